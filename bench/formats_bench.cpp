// Exchange formats on the 1000 × 1000 quad grid (1,002,001 vertices,
// 1,000,000 quads): OBJ import (written with six decimals as most exporters
// do, 64 MB) and export, glTF binary and STL export.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "exchange/glb_writer.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "exchange/stl_writer.h"
#include "scene/atomic_file.h"
#include "support/mesh_generators.h"

namespace {

CCentigrade GridScene() {
    return MakeSceneWith(MakeQuadGrid(1000, 10.0f));
}

// Six decimals and counter-clockwise corners, as Blender writes a grid.
std::filesystem::path GridFile() {
    static const std::filesystem::path path = [] {
        const CCentigrade scene = GridScene();
        std::string text = "o grid\n";
        char line[128];
        for (const CVector& v : scene.models[0].vertices) {
            text.append(line, static_cast<std::size_t>(std::snprintf(
                                  line, sizeof line, "v %f %f %f\n", static_cast<double>(v.x),
                                  static_cast<double>(v.y), static_cast<double>(v.z))));
        }
        for (const CFace& f : scene.models[0].faces) {
            text.append(line, static_cast<std::size_t>(std::snprintf(
                                  line, sizeof line, "f %d %d %d %d\n", f.indices[0] + 1,
                                  f.indices[3] + 1, f.indices[2] + 1, f.indices[1] + 1)));
        }
        auto p = std::filesystem::temp_directory_path() / "quorvel-bench-grid.obj";
        WriteFileAtomically(p, text);
        return p;
    }();
    return path;
}

// Reading into the scene, without the normals an open computes afterwards.
void BM_ImportObj(benchmark::State& state) {
    const auto path = GridFile();
    for (auto _ : state) {
        CCentigrade scene;
        if (!ImportObjFile(scene, path).failure.empty()) {
            state.SkipWithError("the grid file did not read");
        }
        benchmark::DoNotOptimize(scene.models.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ImportObj)->Unit(benchmark::kMillisecond)->UseRealTime();

// Formatting both files, writing them through temporary files and renaming.
void BM_ExportObj(benchmark::State& state) {
    const CCentigrade scene = GridScene();
    const auto path = std::filesystem::temp_directory_path() / "quorvel-bench-save.obj";
    for (auto _ : state) {
        if (SaveObj(path, scene)) {
            state.SkipWithError("the grid file could not be written");
        }
    }
    std::filesystem::remove(path);
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".mtl"));
}
BENCHMARK(BM_ExportObj)->Unit(benchmark::kMillisecond)->UseRealTime();

// With the normals an open leaves, which the glTF file carries.
using Saver = FileFailure (*)(const std::filesystem::path&, const CCentigrade&);

void BM_Export(benchmark::State& state, Saver save, const char* extension) {
    CCentigrade scene = GridScene();
    scene.ComputeAllNormals();
    const auto path =
        std::filesystem::temp_directory_path() / (std::string("quorvel-bench-save.") + extension);
    for (auto _ : state) {
        if (save(path, scene)) {
            state.SkipWithError("the grid file could not be written");
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(BM_Export, glb, SaveGlb, "glb")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Export, stl, SaveStl, "stl")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
