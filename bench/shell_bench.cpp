// The main window's two waits a user notices, each up to the first frame the
// 3D view shows: start-up with an empty document, and opening the 1000 × 1000
// quad grid through the open path. Run under xvfb-run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

#include "app/gl_format.h"
#include "app/main_window.h"
#include "app/quorvel_view.h"
#include "document/document_commands.h"
#include "document/document_prompts.h"
#include "document/quorvel_document.h"
#include "exchange/document_files.h"
#include "support/mesh_generators.h"

namespace {

// Nothing is asked: the documents are never modified.
struct SilentPrompts : CDocumentPrompts {
    QString AskOpenPath() override { return {}; }
    QString AskSavePath(const QString&, bool) override { return {}; }
    SaveChoice AskSaveChanges(const QString&) override { return SaveChoice::No; }
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
