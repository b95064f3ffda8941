// quorvel [FILE] [--screenshot PNG]
// Opens the modeler, on FILE when given. With --screenshot the window is
// rendered once, saved to PNG and the program quits (used without a display).
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>

#include "app/gl_format.h"
#include "app/load_messages.h"
#include "app/main_window.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "exchange/document_files.h"
#include "scene/centigrade.h"
#include "scene/message_sink.h"

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationName);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument("file", "document to open");
    QCommandLineOption screenshot("screenshot", "render once, save to PNG and quit", "png");
    parser.addOption(screenshot);
    parser.process(app);

    SetMessageSink([](const std::string& message) {
        QMessageBox::information(nullptr, QString::fromUtf8(kProductTitle),
                                 QString::fromStdString(message));
    });

    CCentigrade scene;
    CMainFrame frame(scene);
    if (!parser.positionalArguments().isEmpty()) {
        const QString path = parser.positionalArguments().first();
        try {
            ReportTextureFailures(OpenDocumentFile(path.toStdString(), scene));
        } catch (const DocumentError& e) {
            ShowMessage(e.what());
        }
    }
    frame.show();

    if (parser.isSet(screenshot)) {
        const QString out = parser.value(screenshot);
        QTimer::singleShot(500, &app, [&frame, &app, out] {
            const bool saved = frame.grab().save(out);
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
