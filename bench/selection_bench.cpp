// The selection commands on the 1000 × 1000 quad grid (1,002,001 vertices,
// 1,000,000 faces) seen whole from below, where its faces face, and the range
// pick over the whole view. The BM_Run ones go through the command session,
// as the window's menus, keys and clicks do: with the note of what changed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "commands/session.h"
#include "edit/edge_loops.h"
#include "edit/frame_selection.h"
#include "edit/gizmo.h"
#include "edit/hide.h"
#include "edit/pick.h"
#include "edit/select_all.h"
#include "edit/select_grow.h"
#include "seen_grid.h"

namespace {

constexpr int kCells = 1000;

CommandSession& GridSession() {
    static CommandSession session;
    static const bool built = [] {
        session.Scene() = GridSeenFromBelow(kCells, 0.3f);
        return true;
    }();
    benchmark::DoNotOptimize(built);
    return session;
}

CCentigrade& Grid() {
    return GridSession().Scene();
}

// The grid with nothing selected and nothing hidden.
CCentigrade& CleanGrid() {
    CCentigrade& scene = Grid();
    RevealHidden(scene);
    SelectNone(scene);
    scene.vertexSelectable = scene.faceSelectable = true;
    scene.edgeSelectable = false;
    return scene;
}

// Face x, z of the grid.
int FaceAt(int x, int z) {
    return z * kCells + x;
}

void SelectFace(CCentigrade& scene, int face) {
    CFace& f = scene.models[0].faces[static_cast<std::size_t>(face)];
    f.selected = true;
    f.SetAllEdges(true);
    scene.models[0].TouchSelection();
    UpdateGizmo(scene);
}

// The faces of the near half of the grid (rows 0 to 499).
void SelectHalf(CCentigrade& scene) {
    for (std::size_t r = 0; r < scene.models[0].faces.size() / 2; ++r) {
        scene.models[0].faces[r].selected = true;
    }
    scene.models[0].TouchSelection();
    UpdateGizmo(scene);
}

// Edge 3 of a quad runs along x: its loop crosses the whole grid, 1000 edges.
void BM_LoopOfFullRow(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    const ObjectEdgeRef edge{0, FaceAt(500, 500), 3};
    for (auto _ : state) {
        benchmark::DoNotOptimize(SelectEdgeLoop(scene, edge, SelectionUpdate::Replace));
    }
    state.counters["edges"] =
        static_cast<double>(EdgeLoopOf(scene.models[0], edge.face, edge.corner).size());
}
BENCHMARK(BM_LoopOfFullRow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RingOfFullColumn(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    const ObjectEdgeRef edge{0, FaceAt(500, 500), 3};
    for (auto _ : state) {
        benchmark::DoNotOptimize(SelectEdgeRing(scene, edge, SelectionUpdate::Replace));
    }
}
BENCHMARK(BM_RingOfFullColumn)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectAll(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        SelectAll(scene);
    }
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// From one selected face to all but the faces around it, and back.
void BM_Invert(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    SelectFace(scene, FaceAt(500, 500));
    for (auto _ : state) {
        InvertSelection(scene);
    }
}
BENCHMARK(BM_Invert)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectNone(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    SelectHalf(scene);
    for (auto _ : state) {
        SelectNone(scene);
    }
}
BENCHMARK(BM_SelectNone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrowOneFace(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        state.PauseTiming();
        SelectNone(scene);
        SelectFace(scene, FaceAt(500, 500));
        state.ResumeTiming();
        GrowSelection(scene);
    }
}
BENCHMARK(BM_GrowOneFace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShrinkHalf(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        state.PauseTiming();
        SelectHalf(scene);
        state.ResumeTiming();
        ShrinkSelection(scene);
    }
}
BENCHMARK(BM_ShrinkHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectLinkedFromOneFace(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    SelectFace(scene, FaceAt(500, 500));
    for (auto _ : state) {
        SelectLinked(scene);
    }
}
BENCHMARK(BM_SelectLinkedFromOneFace)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectByMaterial(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        SelectByMaterial(scene, 0, SelectionUpdate::Replace);
    }
}
BENCHMARK(BM_SelectByMaterial)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HideHalf(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        state.PauseTiming();
        RevealHidden(scene);
        SelectNone(scene);
        SelectHalf(scene);
        state.ResumeTiming();
        HideSelected(scene);
    }
}
BENCHMARK(BM_HideHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RevealHalf(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    for (auto _ : state) {
        state.PauseTiming();
        SelectNone(scene);
        SelectHalf(scene);
        HideSelected(scene);
        state.ResumeTiming();
        RevealHidden(scene);
    }
}
BENCHMARK(BM_RevealHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FrameSelectedHalf(benchmark::State& state) {
    CCentigrade& scene = CleanGrid();
    SelectHalf(scene);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FrameSelection(scene));
    }
}
BENCHMARK(BM_FrameSelectedHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

// One command through the session, from the state `prepare` leaves, outside the timing.
template <typename Prepare>
void RunCommand(benchmark::State& state, std::string_view id, const Values& values,
                Prepare prepare) {
    CleanGrid();
    CommandSession& session = GridSession();
    for (auto _ : state) {
        state.PauseTiming();
        prepare(session.Scene());
        state.ResumeTiming();
        if (!session.Run(id, values).Done()) {
            state.SkipWithError("refused");
        }
    }
}

void NoPreparation(CCentigrade&) {}

void BM_RunSelectAll(benchmark::State& state) {
    RunCommand(state, "select.all", {}, SelectNone);
}
BENCHMARK(BM_RunSelectAll)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunInvert(benchmark::State& state) {
    RunCommand(state, "select.invert", {}, NoPreparation);
}
BENCHMARK(BM_RunInvert)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunLoopOfFullRow(benchmark::State& state) {
    RunCommand(state, "select.loop", {{"object", 0}, {"face", FaceAt(500, 500)}, {"corner", 3}},
               NoPreparation);
}
BENCHMARK(BM_RunLoopOfFullRow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunHideHalf(benchmark::State& state) {
    RunCommand(state, "view.hide", {}, [](CCentigrade& scene) {
        RevealHidden(scene);
        SelectNone(scene);
        SelectHalf(scene);
    });
}
BENCHMARK(BM_RunHideHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunFrameSelectedHalf(benchmark::State& state) {
    RunCommand(state, "view.frame_selected", {}, [](CCentigrade& scene) {
        if (!scene.models[0].faces[0].selected) {
            SelectHalf(scene);
        }
    });
}
BENCHMARK(BM_RunFrameSelectedHalf)->Unit(benchmark::kMillisecond)->UseRealTime();

// A range pick over the rectangle (left, top, right, bottom).
void RangePick(benchmark::State& state, std::array<int, 4> rectangle) {
    CCentigrade& scene = CleanGrid();
    scene.toolMode = ToolRangeSelect;
    for (auto _ : state) {
        std::copy(rectangle.begin(), rectangle.end(), scene.rubberBand);
        benchmark::DoNotOptimize(Pick(scene, 0, 0));
    }
    scene.toolMode = ToolNone;
}

void BM_RangePickWholeGrid(benchmark::State& state) {
    RangePick(state, {0, 0, 800, 600});
}
BENCHMARK(BM_RangePickWholeGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// The boxes of the pick dismiss most faces at once.
void BM_RangePickSmallRectangle(benchmark::State& state) {
    RangePick(state, {380, 280, 420, 320});
}
BENCHMARK(BM_RangePickSmallRectangle)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
