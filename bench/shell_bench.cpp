// The main window's waits a user notices, each up to the first frame the 3D
// view shows: start-up with an empty document, and opening the 1000 × 1000
// quad grid through the open path; and on that grid, what an autosave tick
// and an undo or redo of a move cost the user-interface thread. Run under
// xvfb-run.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

#include "app/gl_format.h"
#include "app/main_frame.h"
#include "app/quorvel_view.h"
#include "document/document_commands.h"
#include "document/document_prompts.h"
#include "document/quorvel_document.h"
#include "edit/gizmo.h"
#include "exchange/document_files.h"
#include "support/mesh_generators.h"

namespace {

// Nothing is asked: the documents are never modified.
struct SilentPrompts : CDocumentPrompts {
    QString AskOpenPath() override { return {}; }
    QString AskSavePath(const QString&, bool) override { return {}; }
    SaveChoice AskSaveChanges(const QString&) override { return SaveChoice::No; }
    RecoveryAnswer AskRecovery(const QStringList&) override { return {}; }
    void ShowError(const QString&) override { std::abort(); }
    void ShowInformation(const QString&) override {}
};

void WaitForFrame(CQuorvelView* view) {
    QEventLoop loop;
    QObject::connect(view, &QOpenGLWidget::frameSwapped, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, [] { std::abort(); });
    loop.exec();
}

QTemporaryDir* folder = nullptr;

void BM_StartupToFirstFrame(benchmark::State& state) {
    SilentPrompts prompts;
    for (auto _ : state) {
        CQuorvelDoc doc;
        doc.NewDocument();
        CMainFrame frame(doc, &prompts);
        frame.show();
        WaitForFrame(frame.View());
        state.PauseTiming();
        frame.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OpenGridToFirstFrame(benchmark::State& state) {
    const QString grid = folder->filePath(QStringLiteral("grid.qvl"));
    if (!QFile::exists(grid)) {
        SaveDocumentFile(grid.toStdString(), MakeSceneWith(MakeQuadGrid(1000, 10.0f)));
    }
    SilentPrompts prompts;
    CQuorvelDoc doc;
    doc.NewDocument();
    CMainFrame frame(doc, &prompts);
    frame.show();
    WaitForFrame(frame.View());
    double readSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer read;
        read.start();
        if (!frame.Commands().OpenFile(grid)) {
            std::abort();
        }
        readSeconds += read.nsecsElapsed() / 1e9;
        WaitForFrame(frame.View());
        state.PauseTiming();
        doc.NewDocument();
        WaitForFrame(frame.View());
        state.ResumeTiming();
    }
    // The part spent reading the file and computing normals, before drawing.
    state.counters["read_ms"] = benchmark::Counter(readSeconds * 1000 / state.iterations());
}
BENCHMARK(BM_OpenGridToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The grid opened in the main window with the vertices of its first
// `columns` columns of its first `rows` rows selected: all of them by default.
struct GridFrame {
    explicit GridFrame(int rows = 1001, int columns = 1001) : frame(doc, &prompts) {
        const QString grid = folder->filePath(QStringLiteral("grid.qvl"));
        if (!QFile::exists(grid)) {
            SaveDocumentFile(grid.toStdString(), MakeSceneWith(MakeQuadGrid(1000, 10.0f)));
        }
        doc.NewDocument();
        frame.show();
        if (!frame.Commands().OpenFile(grid)) {
            std::abort();
        }
        auto& vertices = doc.Scene().models[0].vertices;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                vertices[static_cast<std::size_t>(r * 1001 + c)].selected = true;
            }
        }
        UpdateGizmo(doc.Scene());
        WaitForFrame(frame.View());
    }
    SilentPrompts prompts;
    CQuorvelDoc doc;
    CMainFrame frame;
};

// What the autosave timer's tick costs the user-interface thread inside the
// application: the scene's copy and the start of the writer.
void BM_AutosaveTickInTheApp(benchmark::State& state) {
    GridFrame shown;
    shown.doc.StartAutosaving(folder->filePath(QStringLiteral("autosave")).toStdString(), 0);
    shown.doc.SetModifiedFlag(true);
    shown.doc.AutosaveNow();  // the first copy also maps its buffers
    shown.doc.WaitForAutosave();
    for (auto _ : state) {
        if (!shown.doc.AutosaveNow()) {
            std::abort();
        }
        state.PauseTiming();
        shown.doc.WaitForAutosave();
        state.ResumeTiming();
    }
    shown.doc.Closed();
}
BENCHMARK(BM_AutosaveTickInTheApp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Undo and redo of a typed move of all 1M vertices as the Edit menu runs them:
// the history, the normals of the grid and the views' refresh, before the frame.
void BM_UndoRedoMoveInTheApp(benchmark::State& state) {
    GridFrame shown;
    shown.doc.Run("edit.move", {{"by", CVector(5, 0, 0)}});
    // One iteration is an undo and a redo.
    for (auto _ : state) {
        shown.frame.Action("edit.undo")->trigger();
        shown.frame.Action("edit.redo")->trigger();
    }
}
BENCHMARK(BM_UndoRedoMoveInTheApp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// What undo and redo would cost if each computed the normals of the grid
// again: the whole computation on all cores, for comparison.
void BM_GridNormalsInTheApp(benchmark::State& state) {
    GridFrame shown;
    for (auto _ : state) {
        shown.doc.Scene().ComputeAllNormals();
    }
}
BENCHMARK(BM_GridNormalsInTheApp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The same for a 32 × 32 patch of the grid: the normals around it alone.
void BM_UndoRedoPatchMoveInTheApp(benchmark::State& state) {
    GridFrame shown(32, 32);
    shown.doc.Run("edit.move", {{"by", CVector(5, 0, 0)}});
    for (auto _ : state) {
        shown.frame.Action("edit.undo")->trigger();
        shown.frame.Action("edit.redo")->trigger();
    }
}
BENCHMARK(BM_UndoRedoPatchMoveInTheApp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // Settings (the recent-file list) go to a temporary folder.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    folder = &home;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
