// Editing the 1000 × 1000 grid (faces, edges and vertices shown) at 800 × 600:
// each benchmark times one user action from the input to the finished frame
// (one pixel read back), through the calls the 3D view makes. Each also
// reports frame_ms, the time of a frame without any edit measured right after
// it, so every figure can be read beside the frame time of the same run; and
// the drags report allocs_per_step from a counting allocator, which must stay 0.
// Run under xvfb-run.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/view_input.h"
#include "counting_allocator.h"
#include "edit/drag.h"
#include "edit/gizmo.h"
#include "edit/pick.h"
#include "offscreen_gl.h"
#include "render/scene_renderer.h"
#include "scene/centigrade.h"
#include "viewed_grid.h"

namespace {

constexpr int kCells = 1000;

// The scene and the renderer that has drawn it once.
class Session {
public:
    Session() : scene_(MakeViewedGrid(kCells, true)), input_(scene_) {
        renderer_.CreateContext(scene_);
        Frame();
    }
    ~Session() { renderer_.ReleaseContext(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    CCentigrade& Scene() { return scene_; }
    ViewInput& Input() { return input_; }
    void Frame() {
        renderer_.Draw(scene_, kBenchWidth, kBenchHeight);
        FinishFrame();
    }

    // The time of a frame without edits, averaged over a few.
    void ReportFrameTime(benchmark::State& state) {
        constexpr int kFrames = 5;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i) {
            Frame();
        }
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        state.counters["frame_ms"] = elapsed.count() / kFrames;
    }

private:
    CCentigrade scene_;
    SceneRenderer renderer_;
    ViewInput input_;
};

// Selects the vertices of rows [row0, row0 + rows) and columns
// [column0, column0 + columns) of the grid.
void SelectPatch(CCentigrade& scene, int row0, int rows, int column0, int columns) {
    CModel& grid = scene.models[0];
    for (int r = row0; r < row0 + rows; ++r) {
        for (int c = column0; c < column0 + columns; ++c) {
            grid.vertices[static_cast<std::size_t>(r * (kCells + 1) + c)].selected = true;
        }
    }
}

// A drag with the move tool's x handle, one pixel to and fro per step, as the
// view hands each mouse move to the drag it started at the press.
void DragSteps(benchmark::State& state, Session& session) {
    CCentigrade& scene = session.Scene();
    scene.toolMode = ToolMove;
    scene.showGizmo = true;
    UpdateGizmo(scene);
    DragSession drag;
    drag.Begin(scene);
    float dx = 1;
    drag.Apply(scene, ComputeDragStep(ToolMove, HandleX, dx, 0, scene.camera));
    session.Frame();
    long steps = 0;
    const long before = AllocationCount();
    for (auto _ : state) {
        dx = -dx;
        drag.Apply(scene, ComputeDragStep(ToolMove, HandleX, dx, 0, scene.camera));
        session.Frame();
        ++steps;
    }
    const long allocations = AllocationCount() - before;
    state.counters["allocs_per_step"] =
        static_cast<double>(allocations) / static_cast<double>(std::max(steps, 1L));
    drag.Finish(scene);
    session.ReportFrameTime(state);
}

void BM_Frame1M(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        session.Frame();
    }
    session.ReportFrameTime(state);
}
BENCHMARK(BM_Frame1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DragStepAll1M(benchmark::State& state) {
    Session session;
    SelectPatch(session.Scene(), 0, kCells + 1, 0, kCells + 1);
    DragSteps(state, session);
}
BENCHMARK(BM_DragStepAll1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// 25 rows of 40 vertices in the middle of the grid.
void BM_DragStep1kOf1M(benchmark::State& state) {
    Session session;
    SelectPatch(session.Scene(), 488, 25, 480, 40);
    DragSteps(state, session);
}
BENCHMARK(BM_DragStep1kOf1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// A click in the middle of the view selects the face (or vertex) there,
// dropping the previous selection. The first click after the grid was built
// also builds the boxes the pick keeps, so it is made before the timing.
void BM_ClickSelect1M(benchmark::State& state) {
    Session session;
    CCentigrade& scene = session.Scene();
    scene.toolMode = ToolSelect;
    session.Input().LeftButtonDown(kBenchWidth / 2, kBenchHeight / 2);
    session.Input().LeftButtonUp(kBenchWidth / 2, kBenchHeight / 2);
    session.Frame();
    for (auto _ : state) {
        session.Input().LeftButtonDown(kBenchWidth / 2, kBenchHeight / 2);
        session.Input().LeftButtonUp(kBenchWidth / 2, kBenchHeight / 2);
        session.Frame();
    }
    session.ReportFrameTime(state);
}
BENCHMARK(BM_ClickSelect1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rectangle over the whole view, timed from the release.
void BM_RangeSelectAll1M(benchmark::State& state) {
    Session session;
    session.Scene().toolMode = ToolRangeSelect;
    ViewInput& input = session.Input();
    for (auto _ : state) {
        state.PauseTiming();
        input.LeftButtonDown(0, 0);
        input.MouseMove(kBenchWidth, kBenchHeight, false);
        state.ResumeTiming();
        input.LeftButtonUp(kBenchWidth, kBenchHeight);
        session.Frame();
    }
    session.ReportFrameTime(state);
}
BENCHMARK(BM_RangeSelectAll1M)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every vertex dragged one step, then released: the grid's normals and a frame.
void BM_ReleaseAfterDrag1M(benchmark::State& state) {
    Session session;
    CCentigrade& scene = session.Scene();
    SelectPatch(scene, 0, kCells + 1, 0, kCells + 1);
    scene.toolMode = ToolMove;
    DragSession drag;
    float dx = 1;
    for (auto _ : state) {
        state.PauseTiming();
        drag.Begin(scene);
        dx = -dx;
        drag.Apply(scene, ComputeDragStep(ToolMove, HandleX, dx, 0, scene.camera));
        session.Frame();
        state.ResumeTiming();
        drag.Finish(scene);
        session.Frame();
    }
    session.ReportFrameTime(state);
}
BENCHMARK(BM_ReleaseAfterDrag1M)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return RunOffscreenBenchmarks(argc, argv);
}
