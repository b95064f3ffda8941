// The main window comes up with a working OpenGL context under Xvfb and the
// 3D view clears to the scene's background colour.
#include <QtTest>

#include "app/gl_format.h"
#include "app/main_window.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "scene/centigrade.h"

class WindowSmokeTest : public QObject {
    Q_OBJECT

private slots:
    void viewClearsToTheSceneBackground() {
        CCentigrade scene;
        CMainFrame frame(scene);
        frame.resize(400, 300);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QString::fromUtf8(kProductTitle));

        QImage image = frame.View()->grabFramebuffer();
        QVERIFY(!image.isNull());
        const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
        QCOMPARE(centre.red(), 30);
        QCOMPARE(centre.green(), 65);
        QCOMPARE(centre.blue(), 90);
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    WindowSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_smoke_test.moc"
