// Metasequoia import and export of the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces; about 70 MB of text).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "support/mesh_generators.h"

namespace {

CCentigrade GridScene() {
    return MakeSceneWith(MakeQuadGrid(1000, 10.0f));
}

// Written once; the scene that wrote it is gone before any timing starts.
std::filesystem::path GridFile() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "quorvel-bench-grid.mqo";
        SaveMQO(GridScene(), p);
        return p;
    }();
    return path;
}

// Parsing into the scene, without the normals an open computes afterwards.
void BM_ImportMqo(benchmark::State& state) {
    const auto path = GridFile();
    for (auto _ : state) {
        CCentigrade scene;
        if (LoadMQO(scene, path).result != 0) {
            state.SkipWithError("the grid document did not read");
        }
        benchmark::DoNotOptimize(scene.models.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ImportMqo)->Unit(benchmark::kMillisecond)->UseRealTime();

// Formatting, writing to a temporary file, flushing it to disk and renaming.
void BM_ExportMqo(benchmark::State& state) {
    const CCentigrade scene = GridScene();
    const auto path = std::filesystem::temp_directory_path() / "quorvel-bench-save.mqo";
    for (auto _ : state) {
        SaveMQO(scene, path);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportMqo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FormatMqo(benchmark::State& state) {
    const CCentigrade scene = GridScene();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatMQO(scene).data());
    }
}
BENCHMARK(BM_FormatMqo)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
