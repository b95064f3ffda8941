// Native documents and normals on the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "scene/native_document.h"
#include "support/mesh_generators.h"

namespace {

const CCentigrade& Grid() {
    static const CCentigrade scene = MakeSceneWith(MakeQuadGrid(1000, 10.0f));
    return scene;
}

std::filesystem::path GridFile() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "quorvel-bench-grid.qvl";
        SaveNativeDocument(p, Grid());
        return p;
    }();
    return path;
}

void BM_SaveNativeDocument(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "quorvel-bench-save.qvl";
    for (auto _ : state) {
        SaveNativeDocument(path, Grid());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveNativeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadNativeDocument(benchmark::State& state) {
    const auto path = GridFile();
    for (auto _ : state) {
        CCentigrade scene;
        LoadNativeDocument(path, scene);
        benchmark::DoNotOptimize(scene.models.data());
    }
}
BENCHMARK(BM_LoadNativeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComputeAllNormals(benchmark::State& state) {
    CCentigrade scene = Grid();
    for (auto _ : state) {
        scene.ComputeAllNormals();
    }
}
BENCHMARK(BM_ComputeAllNormals)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
