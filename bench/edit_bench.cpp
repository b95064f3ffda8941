// Picking, selection and a move step on the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces) seen whole, and the belt across the 1000-quad ring
// of a 1000 × 1000 cylinder.
#include <benchmark/benchmark.h>

#include "edit/drag.h"
#include "edit/face_tools.h"
#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "seen_grid.h"
#include "support/mesh_generators.h"

namespace {

CCentigrade& Grid() {
    static CCentigrade scene = GridSeenFromBelow(1000, 0.3f);
    return scene;
}

void BM_ClickPick(benchmark::State& state) {
    CCentigrade& scene = Grid();
    scene.toolMode = ToolSelect;
    scene.selectMode = SelectNormal;
    scene.vertexSelectable = scene.edgeSelectable = scene.faceSelectable = true;
    scene.keyFlag = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Pick(scene, 413, 297));
    }
    ClearSelection(scene);
}
BENCHMARK(BM_ClickPick)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RangePickWholeGrid(benchmark::State& state) {
    CCentigrade& scene = Grid();
    scene.toolMode = ToolRangeSelect;
    scene.vertexSelectable = scene.edgeSelectable = scene.faceSelectable = true;
    scene.keyFlag = false;
    for (auto _ : state) {
        scene.rubberBand[0] = 0;
        scene.rubberBand[1] = 0;
        scene.rubberBand[2] = 800;
        scene.rubberBand[3] = 600;
        benchmark::DoNotOptimize(Pick(scene, 0, 0));
    }
    ClearSelection(scene);
}
BENCHMARK(BM_RangePickWholeGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

PickResult FaceHit(PickKind kind, int element) {
    PickResult hit;
    hit.best = {kind, 0, element, 1.0f};
    hit.records.push_back(hit.best);
    return hit;
}

void BM_ConnectedSelectWholeGrid(benchmark::State& state) {
    CCentigrade& scene = Grid();
    scene.toolMode = ToolSelect;
    scene.selectMode = SelectConnected;
    const PickResult hit = FaceHit(PickKind::Face, 500500);
    for (auto _ : state) {
        ProcessHits(scene, hit);
    }
    ClearSelection(scene);
}
BENCHMARK(BM_ConnectedSelectWholeGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MoveStepMillionVertices(benchmark::State& state) {
    CCentigrade& scene = Grid();
    for (CVector& v : scene.models[0].vertices) {
        v.selected = true;
    }
    scene.toolMode = ToolMove;
    UpdateGizmo(scene);
    scene.hitIndex = HandleX;
    float direction = 1;
    for (auto _ : state) {
        DragSelection(scene, direction, 0);
        direction = -direction;
    }
    ClearSelection(scene);
}
BENCHMARK(BM_MoveStepMillionVertices)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BeltAcrossCylinderRing(benchmark::State& state) {
    CCentigrade scene = MakeSceneWith(MakeCylinder(1000, 1000, 100, 300));
    scene.ComputeAllNormals();
    scene.toolMode = ToolSelect;
    scene.selectMode = SelectBelt;
    // Edge 1 of a quad in the middle ring runs up the wall: the belt runs around.
    const PickResult hit = FaceHit(PickKind::Edge, 500 * 1000 * 4 + 1);
    for (auto _ : state) {
        ProcessHits(scene, hit);
    }
}
BENCHMARK(BM_BeltAcrossCylinderRing)->Unit(benchmark::kMillisecond)->UseRealTime();

// A face of a small object beside the grid deleted: every object's used flags
// are brought up to date, the grid's in a pass that finds nothing to change.
void BM_DeleteFaceBesideTheGrid(benchmark::State& state) {
    CCentigrade scene = GridSeenFromBelow(1000, 0.3f);
    scene.models.push_back(MakeCube(10));
    CModel& cube = scene.models[1];
    for (auto _ : state) {
        const CFace deleted = cube.faces.front();
        DeleteFace(scene, 1, 0);
        cube.faces.push_back(deleted);
    }
}
BENCHMARK(BM_DeleteFaceBesideTheGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
