// Native documents and normals on the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces).
#include <benchmark/benchmark.h>

#include <cmath>
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

// The first `faces` faces of a grid of 250 × 250 quads: rows of 250.
CModel GridFaces(std::size_t faces) {
    CModel grid = MakeQuadGrid(250, 10.0f);
    grid.faces.resize(faces);
    return grid;
}

// `triangles` triangles around one vertex, the rim on a shallow cone (as an
// n-gon split into a fan, every face shares the centre).
CModel Fan(int triangles) {
    CModel fan;
    fan.vertices.push_back(CVector(0, 1, 0));
    for (int k = 0; k < triangles; ++k) {
        const double azimuth = 6.283185307 * k / triangles;
        fan.vertices.push_back(CVector(static_cast<float>(100 * std::cos(azimuth)), 0,
                                       static_cast<float>(100 * std::sin(azimuth))));
    }
    for (int k = 0; k < triangles; ++k) {
        CFace& f = fan.faces.emplace_back();
        f.indices = {0, 1 + (k + 1) % triangles, 1 + k};
        f.edgeSelected.resize(3, false);
    }
    return fan;
}

// Copies of one triangle.
CModel DuplicateFaces(int copies) {
    CModel model;
    model.vertices = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 0, 1)};
    CFace f;
    f.indices = {0, 1, 2};
    f.edgeSelected.resize(3, false);
    model.faces.assign(static_cast<std::size_t>(copies), f);
    return model;
}

void TimeNormals(benchmark::State& state, CModel model) {
    for (auto _ : state) {
        model.ComputeNormals(1);
    }
}

// The fan and the copies beside grids of as many faces: each vertex's cost
// must not grow with the number of faces around it.
void BM_NormalsFan20k(benchmark::State& state) {
    TimeNormals(state, Fan(20000));
}
BENCHMARK(BM_NormalsFan20k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NormalsGrid20k(benchmark::State& state) {
    TimeNormals(state, GridFaces(20000));
}
BENCHMARK(BM_NormalsGrid20k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NormalsDuplicateFaces50k(benchmark::State& state) {
    TimeNormals(state, DuplicateFaces(50000));
}
BENCHMARK(BM_NormalsDuplicateFaces50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NormalsGrid50k(benchmark::State& state) {
    TimeNormals(state, GridFaces(50000));
}
BENCHMARK(BM_NormalsGrid50k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
