// The modelling commands on the 1000 × 1000 quad grid (1,002,001 vertices,
// 1,000,000 faces) with every face selected, each run as the application
// runs it: recorded as one undo step. Undo and redo report their own times
// (undo_ms, redo_ms) and what bringing the normals of the object up to date
// after them costs (undo_normals_ms, redo_normals_ms).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "edit/gizmo.h"
#include "exchange/document_files.h"
#include "history/edit_history.h"
#include "history/geometry_step.h"
#include "modelling/create.h"
#include "modelling/extrude.h"
#include "modelling/merge_by_distance.h"
#include "modelling/mesh_parts.h"
#include "modelling/quadrangulate.h"
#include "modelling/subdivide.h"
#include "modelling/triangulate.h"
#include "support/mesh_generators.h"

namespace {

using Clock = std::chrono::steady_clock;
using Command = std::function<ModellingResult(CCentigrade&, PriorState*)>;

// The history keeps every step here: with today's face records a step of a
// million faces is larger than the application's default cap.
constexpr std::size_t kUnlimited = std::size_t{1} << 40;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void SelectEveryFace(CCentigrade& scene) {
    for (CFace& face : scene.models[0].faces) {
        SelectWhole(face);
    }
    scene.models[0].Touch();
    UpdateGizmo(scene);
}

CCentigrade GridScene(int cells) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells, 0.3f));
    scene.currentModel = 0;
    SelectEveryFace(scene);
    scene.ComputeAllNormals();
    return scene;
}

const CCentigrade& Grid1M() {
    static const CCentigrade scene = GridScene(1000);
    return scene;
}

// The grid triangulated: 2,000,000 triangles.
const CCentigrade& Triangles2M() {
    static const CCentigrade scene = [] {
        CCentigrade s = GridScene(1000);
        TriangulateFaces(s);
        SelectEveryFace(s);
        s.ComputeAllNormals();
        return s;
    }();
    return scene;
}

// The grid with every face on corners of its own (4,000,000 vertices), as a
// triangle soup from another program comes.
const CCentigrade& FacesApart1M() {
    static const CCentigrade scene = [] {
        CCentigrade s = GridScene(1000);
        CModel& model = s.models[0];
        LargeArray<CVector> vertices;
        vertices.reserve(model.faces.size() * 4);
        for (CFace& face : model.faces) {
            for (int& v : face.indices) {
                const CVector& p = model.vertices[static_cast<std::size_t>(v)];
                v = static_cast<int>(vertices.size());
                vertices.push_back(Point(p.x, p.y, p.z));
            }
        }
        model.vertices = std::move(vertices);
        model.Touch();
        SelectEveryFace(s);
        s.ComputeAllNormals();
        return s;
    }();
    return scene;
}

CCentigrade EmptyScene() {
    CCentigrade scene;
    scene.materials.emplace_back(scene.materialSerial++);
    return scene;
}

// The command on a fresh copy of `input` per iteration, recorded.
void TimeCommand(benchmark::State& state, const CCentigrade& input, std::string_view name,
                 const Command& command) {
    std::size_t faces = 0;
    std::size_t vertices = 0;
    double stepMegabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<CCentigrade>(input);
        auto history = std::make_unique<EditHistory>();
        history->SetMemoryCap(kUnlimited);
        state.ResumeTiming();
        RecordGeometryEdit(*history, *scene, name,
                           [&](PriorState& prior) { return command(*scene, &prior); });
        state.PauseTiming();
        const CModel& result = scene->models.back();
        faces = result.faces.size();
        vertices = result.vertices.size();
        stepMegabytes = static_cast<double>(history->Bytes()) / (1 << 20);
        scene.reset();
        history.reset();
        state.ResumeTiming();
    }
    state.counters["faces"] = static_cast<double>(faces);
    state.counters["vertices"] = static_cast<double>(vertices);
    state.counters["step_MB"] = stepMegabytes;
}

double NormalsMilliseconds(CCentigrade& scene, const SceneChange& change) {
    const auto start = Clock::now();
    for (std::size_t m : change.reshapedModels) {
        scene.models[m].UpdateNormals(scene.smooth);
    }
    return Milliseconds(Clock::now() - start);
}

// Undo and redo of the command, each timed on its own.
void TimeUndoRedo(benchmark::State& state, const CCentigrade& input, std::string_view name,
                  const Command& command) {
    CCentigrade scene = input;
    EditHistory history;
    history.SetMemoryCap(kUnlimited);
    RecordGeometryEdit(history, scene, name,
                       [&](PriorState& prior) { return command(scene, &prior); });
    scene.ComputeAllNormals();
    double undo = 0;
    double redo = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        history.Undo(scene);
        const auto middle = Clock::now();
        history.Redo(scene);
        undo += Milliseconds(middle - start);
        redo += Milliseconds(Clock::now() - middle);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["undo_ms"] = undo / n;
    state.counters["redo_ms"] = redo / n;
    state.counters["undo_normals_ms"] = NormalsMilliseconds(scene, history.Undo(scene));
    state.counters["redo_normals_ms"] = NormalsMilliseconds(scene, history.Redo(scene));
}

const Command kExtrude = [](CCentigrade& s, PriorState* p) {
    return ExtrudeFaces(s, {1.0f, false}, p);
};
const Command kSubdivide = [](CCentigrade& s, PriorState* p) { return SubdivideFaces(s, p); };
const Command kWeld = [](CCentigrade& s, PriorState* p) { return MergeByDistance(s, {0.01f}, p); };
const Command kTriangulate = [](CCentigrade& s, PriorState* p) { return TriangulateFaces(s, p); };
const Command kQuadrangulate = [](CCentigrade& s, PriorState* p) {
    return QuadrangulateFaces(s, {}, p);
};
const Command kSphere = [](CCentigrade& s, PriorState* p) {
    return CreatePrimitive(s, Primitive::Sphere, {100.0f, 256, 128, CVector()}, p);
};

// The peak resident memory of a child process doing `work`, in megabytes.
double ChildPeakMegabytes(const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// Runs first, while this process is still small (a child starts with its
// parent's pages): the peak of subdividing the whole grid, recorded, with the
// normals of the result, against opening the 2000 × 2000 grid it equals and
// against building that grid in memory with its normals.
void BM_SubdivideAll1MPeakMemory(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("quorvel-bench-grid2000-" + std::to_string(::getpid()) + ".qvl");
    ChildPeakMegabytes([&] { SaveDocumentFile(file, MakeSceneWith(MakeQuadGrid(2000, 0.15f))); });
    for (auto _ : state) {
        const double nothing = ChildPeakMegabytes([] {});
        const double subdivided = ChildPeakMegabytes([] {
            CCentigrade scene = GridScene(1000);
            EditHistory history;
            history.SetMemoryCap(kUnlimited);
            RecordGeometryEdit(history, scene, "細分化",
                               [&](PriorState& prior) { return SubdivideFaces(scene, &prior); });
            scene.ComputeAllNormals();
        });
        const double opened = ChildPeakMegabytes([&] {
            CCentigrade scene;
            OpenDocumentFile(file, scene);
        });
        const double built = ChildPeakMegabytes([] { GridScene(2000); });
        state.counters["subdivided_MB"] = subdivided - nothing;
        state.counters["opened_2000_MB"] = opened - nothing;
        state.counters["built_2000_MB"] = built - nothing;
        state.counters["ratio_to_opened"] = (subdivided - nothing) / (opened - nothing);
        state.counters["ratio_to_built"] = (subdivided - nothing) / (built - nothing);
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_SubdivideAll1MPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// What writing a new array of the grid's million faces costs with today's
// face record, beside the commands that write one or more.
void BM_CopyFaceArray1M(benchmark::State& state) {
    const LargeArray<CFace>& faces = Grid1M().models[0].faces;
    for (auto _ : state) {
        LargeArray<CFace> copy(faces);
        benchmark::DoNotOptimize(copy.data());
        state.PauseTiming();
        copy = LargeArray<CFace>();
        state.ResumeTiming();
    }
    state.counters["record_bytes"] = sizeof(CFace);
}
BENCHMARK(BM_CopyFaceArray1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ExtrudeAll1M(benchmark::State& state) {
    TimeCommand(state, Grid1M(), "押し出し", kExtrude);
}
BENCHMARK(BM_ExtrudeAll1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SubdivideAll1M(benchmark::State& state) {
    TimeCommand(state, Grid1M(), "細分化", kSubdivide);
}
BENCHMARK(BM_SubdivideAll1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_WeldByDistance1M(benchmark::State& state) {
    TimeCommand(state, FacesApart1M(), "近い頂点を結合", kWeld);
}
BENCHMARK(BM_WeldByDistance1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Every vertex looks around and finds nothing to merge: no step.
void BM_WeldByDistance1MNothingClose(benchmark::State& state) {
    TimeCommand(state, Grid1M(), "近い頂点を結合", kWeld);
}
BENCHMARK(BM_WeldByDistance1MNothingClose)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_Triangulate1M(benchmark::State& state) {
    TimeCommand(state, Grid1M(), "三角形に分割", kTriangulate);
}
BENCHMARK(BM_Triangulate1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_Quadrangulate2M(benchmark::State& state) {
    TimeCommand(state, Triangles2M(), "四角形に結合", kQuadrangulate);
}
BENCHMARK(BM_Quadrangulate2M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CreateSphere256x128(benchmark::State& state) {
    TimeCommand(state, EmptyScene(), "球", kSphere);
}
BENCHMARK(BM_CreateSphere256x128)->Unit(benchmark::kMillisecond)->UseRealTime();

// Creating beside the grid also clears the grid's selection, and keeps its flags.
void BM_CreateSphere256x128BesideGrid1M(benchmark::State& state) {
    TimeCommand(state, Grid1M(), "球", kSphere);
}
BENCHMARK(BM_CreateSphere256x128BesideGrid1M)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_UndoRedoExtrudeAll1M(benchmark::State& state) {
    TimeUndoRedo(state, Grid1M(), "押し出し", kExtrude);
}
BENCHMARK(BM_UndoRedoExtrudeAll1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoSubdivideAll1M(benchmark::State& state) {
    TimeUndoRedo(state, Grid1M(), "細分化", kSubdivide);
}
BENCHMARK(BM_UndoRedoSubdivideAll1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoWeldByDistance1M(benchmark::State& state) {
    TimeUndoRedo(state, FacesApart1M(), "近い頂点を結合", kWeld);
}
BENCHMARK(BM_UndoRedoWeldByDistance1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoTriangulate1M(benchmark::State& state) {
    TimeUndoRedo(state, Grid1M(), "三角形に分割", kTriangulate);
}
BENCHMARK(BM_UndoRedoTriangulate1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoQuadrangulate2M(benchmark::State& state) {
    TimeUndoRedo(state, Triangles2M(), "四角形に結合", kQuadrangulate);
}
BENCHMARK(BM_UndoRedoQuadrangulate2M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoRedoCreateSphere256x128(benchmark::State& state) {
    TimeUndoRedo(state, EmptyScene(), "球", kSphere);
}
BENCHMARK(BM_UndoRedoCreateSphere256x128)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
