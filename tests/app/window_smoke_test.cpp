// The main window comes up with a working OpenGL context under Xvfb and the
// 3D view clears to the scene's background colour (a corner of a new view shows
// it; the axes run through the centre), with every toolbar icon drawn, within
// the screen. The test also runs with a scale factor of 2, where the screen
// has half as many logical pixels.
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "app/gl_format.h"
#include "app/icon_check.h"
#include "app/main_frame.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "document/quorvel_document.h"
#include "private_home.h"

namespace {

bool StatusBarShows(const CMainFrame& frame, const QString& text) {
    for (const QLabel* pane : frame.statusBar()->findChildren<QLabel*>()) {
        if (pane->isVisibleTo(frame.statusBar()) && pane->text() == text) {
            return true;
        }
    }
    return false;
}

}  // namespace

class WindowSmokeTest : public QObject {
    Q_OBJECT

private slots:
    void viewClearsToTheSceneBackground() {
        CQuorvelDoc doc;
        doc.NewDocument();
        CMainFrame frame(doc);
        frame.resize(400, 300);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("無題[*] - ") + QString::fromUtf8(kProductTitle));

        QImage image = frame.View()->grabFramebuffer();
        QVERIFY(!image.isNull());
        const QColor corner = image.pixelColor(2, 2);
        QCOMPARE(corner.red(), 30);
        QCOMPARE(corner.green(), 65);
        QCOMPARE(corner.blue(), 90);
    }

    void everyToolbarIconDraws() {
        CQuorvelDoc doc;
        CMainFrame frame(doc);
        int icons = 0;
        for (const QToolBar* bar : {frame.FileToolBar(), frame.ToolToolBar()}) {
            for (const QAction* action : bar->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                const QImage image = action->icon().pixmap(bar->iconSize()).toImage();
                QVERIFY2(!image.isNull(), qPrintable(action->toolTip()));
                bool drawn = false;
                for (int y = 0; y < image.height() && !drawn; ++y) {
                    for (int x = 0; x < image.width() && !drawn; ++x) {
                        drawn = image.pixelColor(x, y).alpha() != 0;
                    }
                }
                QVERIFY2(drawn, qPrintable(action->toolTip()));
                ++icons;
            }
        }
        QCOMPARE(icons, 17);
        QVERIFY(CheckToolBarIcons(frame, *frame.FileToolBar()));
        QVERIFY(!StatusBarShows(frame, QString::fromUtf8(kIconsMissingMessage)));
    }

    // An icon the SVG engine cannot draw stands for all of them: the buttons
    // show their names instead.
    void anIconThatDoesNotDrawIsReportedInTheStatusBar() {
        CQuorvelDoc doc;
        CMainFrame frame(doc);
        QToolBar bar;
        bar.addSeparator();
        bar.addAction(QIcon(QStringLiteral(":/icons/missing.svg")), QStringLiteral("x"));
        QVERIFY(!CheckToolBarIcons(frame, bar));
        QCOMPARE(frame.ToolToolBar()->toolButtonStyle(), Qt::ToolButtonTextOnly);
        QVERIFY(StatusBarShows(
            frame, QStringLiteral("アイコンを表示できません: libqt6svg6 がありません")));
    }

    void opensWithinTheAvailableScreen() {
        CQuorvelDoc doc;
        doc.NewDocument();
        CMainFrame frame(doc);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect available = frame.screen()->availableGeometry();
        QVERIFY2(available.contains(frame.frameGeometry()),
                 qPrintable(QStringLiteral("%1 × %2 at %3, %4 on %5 × %6")
                                .arg(frame.frameGeometry().width())
                                .arg(frame.frameGeometry().height())
                                .arg(frame.frameGeometry().x())
                                .arg(frame.frameGeometry().y())
                                .arg(available.width())
                                .arg(available.height())));
        // Every column keeps a part of the window.
        for (int size : frame.MainSplitter()->sizes()) {
            QVERIFY(size > 0);
        }
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(WindowSmokeTest)

#include "window_smoke_test.moc"
