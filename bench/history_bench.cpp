// The undo history and the autosave on the 1000 × 1000 quad grid (1,002,001
// vertices, 1,000,000 faces) with every vertex selected.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "edit/gizmo.h"
#include "edit/transforms.h"
#include "history/autosave.h"
#include "history/edit_history.h"
#include "support/mesh_generators.h"

namespace {

CCentigrade& Grid() {
    static CCentigrade scene = [] {
        CCentigrade s = MakeSceneWith(MakeQuadGrid(1000, 0.3f));
        for (CVector& v : s.models[0].vertices) {
            v.selected = true;
        }
        s.ComputeAllNormals();
        UpdateGizmo(s);
        return s;
    }();
    return scene;
}

// The press of a manipulator drag: the affected vertices' positions are kept.
void BM_RecordMoveAtPress(benchmark::State& state) {
    CCentigrade& scene = Grid();
    EditHistory history;
    for (auto _ : state) {
        history.BeginTransform(scene, "移動");
        state.PauseTiming();
        history.EndTransform(scene);  // nothing moved: no step
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecordMoveAtPress)->Unit(benchmark::kMillisecond)->UseRealTime();

// The release: the step is checked and added to the history.
void BM_RecordMoveAtRelease(benchmark::State& state) {
    CCentigrade& scene = Grid();
    EditHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        history.Clear();
        history.BeginTransform(scene, "移動");
        MoveSelection(scene, 1, 0, 0);
        state.ResumeTiming();
        history.EndTransform(scene);
    }
    state.counters["step_MB"] = static_cast<double>(history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_RecordMoveAtRelease)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UndoMove(benchmark::State& state) {
    CCentigrade& scene = Grid();
    EditHistory history;
    history.RecordTransform(scene, "移動", [&] { MoveSelection(scene, 1, 0, 0); });
    for (auto _ : state) {
        history.Undo(scene);
        state.PauseTiming();
        history.Redo(scene);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoMove)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RedoMove(benchmark::State& state) {
    CCentigrade& scene = Grid();
    EditHistory history;
    history.RecordTransform(scene, "移動", [&] { MoveSelection(scene, 1, 0, 0); });
    for (auto _ : state) {
        state.PauseTiming();
        history.Undo(scene);
        state.ResumeTiming();
        history.Redo(scene);
    }
}
BENCHMARK(BM_RedoMove)->Unit(benchmark::kMillisecond)->UseRealTime();

// What an autosave costs the user-interface thread: the copy and the start
// of the writer; the write itself runs on the worker.
void BM_AutosaveStall(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("quorvel-bench-autosave-" + std::to_string(::getpid()));
    const CCentigrade& scene = Grid();
    {
        AutosaveSession session(folder);
        session.Start(scene, {});  // the first copy also maps its buffers
        session.Wait();
        for (auto _ : state) {
            session.Start(scene, {});
            state.PauseTiming();
            session.Wait();
            state.ResumeTiming();
        }
        session.Remove();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AutosaveStall)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
