// The undo history and the autosave on the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces) with every vertex selected.
#include <benchmark/benchmark.h>

#include "history/edit_history.h"
#include "history/scene_snapshot.h"
#include "scene/archive.h"
#include "support/mesh_generators.h"

namespace {

CCentigrade& Grid() {
    static CCentigrade scene = [] {
        CCentigrade s = MakeSceneWith(MakeQuadGrid(1000, 0.3f));
        for (CVector& v : s.models[0].vertices) {
            v.selected = true;
        }
        s.ComputeAllNormals();
        s.UpdateGizmo();
        return s;
    }();
    return scene;
}

void BM_SerializeProbe(benchmark::State& state) {
    const CCentigrade& scene = Grid();
    for (auto _ : state) {
        ArchiveWriter writer;
        writer.Reserve(64 + scene.models[0].vertices.size() * 12 +
                       scene.models[0].faces.size() * 40);
        scene.Serialize(writer);
        benchmark::DoNotOptimize(writer.Bytes().data());
    }
}
BENCHMARK(BM_SerializeProbe)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotProbe(benchmark::State& state) {
    const CCentigrade& scene = Grid();
    SceneSnapshot snapshot;
    for (auto _ : state) {
        snapshot.Take(scene);
    }
}
BENCHMARK(BM_SnapshotProbe)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SnapshotWriteProbe(benchmark::State& state) {
    SceneSnapshot snapshot;
    snapshot.Take(Grid());
    for (auto _ : state) {
        ArchiveWriter writer;
        snapshot.WriteTo(writer);
        benchmark::DoNotOptimize(writer.Bytes().data());
    }
}
BENCHMARK(BM_SnapshotWriteProbe)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
