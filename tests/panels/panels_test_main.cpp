// The panel tests: each panel shown in a window of its own, driven with
// clicks, keys and focus changes, checked on the screen and in the scene.
#include <QApplication>

int RunMaterialPanelsTest(int argc, char** argv);
int RunObjectPanelsTest(int argc, char** argv);
int RunToolPanelsTest(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int failures = RunMaterialPanelsTest(argc, argv) + RunObjectPanelsTest(argc, argv) +
                         RunToolPanelsTest(argc, argv);
    return failures == 0 ? 0 : 1;
}
