// The main window comes up with a working OpenGL context under Xvfb and the
// 3D view clears to the scene's background colour (a corner of a new view shows
// it; the axes run through the centre).
#include <QtTest>

#include "app/gl_format.h"
#include "app/main_window.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "document/quorvel_document.h"
#include "private_home.h"

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
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(WindowSmokeTest)

#include "window_smoke_test.moc"
