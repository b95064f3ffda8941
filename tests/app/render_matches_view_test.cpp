// quorvel-cli render draws what the 3D view shows: the sample document
// rendered offscreen with the document's own camera at the view's size gives
// the view's picture of it.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/gl_format.h"
#include "exchange/document_files.h"
#include "view_test_support.h"

class RenderMatchesViewTest : public QObject {
    Q_OBJECT

private slots:
    void offscreenRenderEqualsTheView() {
        ShownView shown;
        const QString sample = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.qvl");
        OpenDocumentFile(sample.toStdString(), shown.scene);
        const QImage view = shown.view->grabFramebuffer();

        QTemporaryDir folder;
        const QString out = folder.filePath("render.png");
        QProcess cli;
        cli.start(QStringLiteral(QUORVEL_CLI),
                  {"render", sample, out, "--size",
                   QString("%1x%2").arg(kViewWidth).arg(kViewHeight), "--view", "document"});
        QVERIFY(cli.waitForFinished(120000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        const QImage rendered(out);
        SaveArtifact(view, "sample_view");
        SaveArtifact(rendered, "sample_render");
        QCOMPARE(rendered.size(), view.size());

        int differing = 0;
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                differing += !SameColour(view.pixelColor(x, y), rendered.pixelColor(x, y));
            }
        }
        // The same rasteriser draws both; a few edge pixels may round differently.
        QVERIFY2(differing <= view.width() * view.height() / 500,
                 qPrintable(QString("%1 pixels differ").arg(differing)));
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    RenderMatchesViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "render_matches_view_test.moc"
