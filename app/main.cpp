// quorvel [FILE] [--screenshot PNG] [--autosave-interval SECONDS] | --help | --version
// Opens the modeler, on FILE when given. With --screenshot the window is
// rendered once its 3D view has drawn, saved to PNG and the program quits
// (used without a display). --autosave-interval overrides the setting for
// this run (0: no autosave).
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "app/desktop_registration.h"
#include "app/gl_format.h"
#include "app/japanese_translations.h"
#include "app/main_window.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "exchange/mqoz_folder.h"
#include "scene/message_sink.h"

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationName);
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QApplication::setOrganizationName(kApplicationName);
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    InstallJapaneseTranslations(app);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "document to open");
    QCommandLineOption screenshot("screenshot", "render once, save to PNG and quit", "png");
    parser.addOption(screenshot);
    QCommandLineOption autosaveInterval(
        "autosave-interval", "seconds between autosaves for this run (0: off)", "seconds");
    parser.addOption(autosaveInterval);
    parser.process(app);

    SetMessageSink([](const std::string& message) {
        QMessageBox::information(QApplication::activeWindow(), QString::fromUtf8(kApplicationName),
                                 QString::fromStdString(message));
    });
    // Archives a killed run was unpacking.
    RemoveStaleArchiveFolders();

    // A run from the build tree makes its file types known to the desktop, as
    // an installation does; a headless screenshot run is no desktop session.
    if (RunningFromBuildTree() && !parser.isSet(screenshot)) {
        if (const QString failure = RegisterForUser(QApplication::applicationFilePath());
            !failure.isEmpty()) {
            ShowMessage(failure.toStdString());
        }
    }

    CQuorvelDoc doc;
    doc.NewDocument();
    CMainFrame frame(doc);
    frame.show();
    // A screenshot run leaves the user's autosaves alone.
    if (!parser.isSet(screenshot)) {
        bool valid = false;
        int seconds = parser.value(autosaveInterval).toInt(&valid);
        if (!valid || seconds < 0) {
            seconds = QSettings().value("Autosave/IntervalSeconds", 120).toInt();
        }
        doc.StartAutosaving(DefaultAutosaveFolder(), seconds);
        frame.Commands().OfferRecovery();
    }
    if (!parser.positionalArguments().isEmpty()) {
        frame.Commands().OpenFile(parser.positionalArguments().first());
    }

    if (parser.isSet(screenshot)) {
        // Taken once the 3D view has shown its first frame.
        const QString out = parser.value(screenshot);
        QObject::connect(
            frame.View(), &QOpenGLWidget::frameSwapped, &app,
            [&frame, &app, out] {
                QTimer::singleShot(
                    0, &app, [&frame, &app, out] { app.exit(frame.grab().save(out) ? 0 : 1); });
            },
            Qt::SingleShotConnection);
    }
    return app.exec();
}
