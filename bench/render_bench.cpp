// Frames of the 3D view rendered off-screen at 800 × 600 through the real
// renderer, each finished by reading one pixel back (so the GL must complete
// it). Run under xvfb-run. The counter allocs_per_frame counts the renderer's
// own heap allocations per frame once its caches are built.
#include <benchmark/benchmark.h>

#include "counting_allocator.h"
#include "offscreen_gl.h"
#include "render/model_arrays.h"
#include "render/scene_renderer.h"
#include "viewed_grid.h"

namespace {

void RenderFrames(benchmark::State& state, int cells, bool edgesAndVertices) {
    const CCentigrade scene = MakeViewedGrid(cells, edgesAndVertices);
    SceneRenderer renderer;
    renderer.CreateContext(scene);
    renderer.Draw(scene, kBenchWidth, kBenchHeight);  // builds the caches
    FinishFrame();
    long frames = 0;
    const long before = AllocationCount();
    for (auto _ : state) {
        renderer.Draw(scene, kBenchWidth, kBenchHeight);
        FinishFrame();
        ++frames;
    }
    state.counters["allocs_per_frame"] =
        static_cast<double>(AllocationCount() - before) / static_cast<double>(frames);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    renderer.ReleaseContext();
}

void BM_Grid1000FacesEdgesVertices(benchmark::State& state) {
    RenderFrames(state, 1000, true);
}
BENCHMARK(BM_Grid1000FacesEdgesVertices)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Grid1000Faces(benchmark::State& state) {
    RenderFrames(state, 1000, false);
}
BENCHMARK(BM_Grid1000Faces)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_10kFacesEdgesVertices(benchmark::State& state) {
    RenderFrames(state, 100, true);
}
BENCHMARK(BM_10kFacesEdgesVertices)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_10kFaces(benchmark::State& state) {
    RenderFrames(state, 100, false);
}
BENCHMARK(BM_10kFaces)->Unit(benchmark::kMillisecond)->UseRealTime();

// A frame after an edit of the 1000 × 1000 grid: the caches are built again.
void BM_Grid1000RebuildAndDraw(benchmark::State& state) {
    CCentigrade scene = MakeViewedGrid(1000, true);
    SceneRenderer renderer;
    renderer.CreateContext(scene);
    for (auto _ : state) {
        scene.models[0].Touch();
        renderer.Draw(scene, kBenchWidth, kBenchHeight);
        FinishFrame();
    }
    renderer.ReleaseContext();
}
BENCHMARK(BM_Grid1000RebuildAndDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a drag step of every vertex of the 1000 × 1000 grid adds to its frame:
// bringing the arrays up to date after the move.
void BM_Grid1000ArraysAfterMovingAll(benchmark::State& state) {
    CCentigrade scene = MakeViewedGrid(1000, true);
    CModel& model = scene.models[0];
    SceneRenderer renderer;
    renderer.CreateContext(scene);
    ModelArrays arrays;
    arrays.Build(model, scene.materials);
    for (auto _ : state) {
        model.TouchPositions();
        arrays.Update(model, scene.materials);
        FinishFrame();
    }
    arrays.Release();
    renderer.ReleaseContext();
}
BENCHMARK(BM_Grid1000ArraysAfterMovingAll)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
