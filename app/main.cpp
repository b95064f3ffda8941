// quorvel [FILE] [--screenshot PNG] [--autosave-interval SECONDS] | --help | --version
// Opens the modeler, on FILE when given. With --screenshot the window is
// rendered once its 3D view has drawn, saved to PNG and the program quits
// (used without a display). --autosave-interval overrides the setting for
// this run (0: no autosave). --help and --version need no display.
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "app/desktop_registration.h"
#include "app/gl_format.h"
#include "app/icon_check.h"
#include "app/japanese_translations.h"
#include "app/main_frame.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "app/start_options.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "exchange/mqoz_folder.h"
#include "scene/message_sink.h"

int main(int argc, char** argv) {
    if (const std::optional<int> answered = AnswerWithoutDisplay(argc, argv)) {
        return *answered;
    }
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationName);
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QApplication::setOrganizationName(kApplicationName);
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.quorvel"));
    InstallJapaneseTranslations(app);

    const std::variant<StartOptions, int> read = ReadStartOptions(QApplication::arguments());
    if (const int* usageError = std::get_if<int>(&read)) {
        return *usageError;
    }
    const StartOptions& options = std::get<StartOptions>(read);
    const bool screenshot = !options.screenshot.isEmpty();

    SetMessageSink([](const std::string& message) {
        QMessageBox::information(QApplication::activeWindow(), QString::fromUtf8(kApplicationName),
                                 QString::fromStdString(message));
    });
    // Archives a killed run was unpacking.
    RemoveStaleArchiveFolders();

    // A run from the build tree makes its file types known to the desktop, as
    // an installation does; a headless screenshot run is no desktop session.
    if (RunningFromBuildTree() && !screenshot) {
        if (const QString failure = RegisterForUser(QApplication::applicationFilePath());
            !failure.isEmpty()) {
            ShowMessage(failure.toStdString());
        }
    }

    CQuorvelDoc doc;
    doc.NewDocument();
    CMainFrame frame(doc);
    frame.show();
    CheckToolBarIcons(frame, *frame.FileToolBar());
    // A screenshot run leaves the user's autosaves alone.
    if (!screenshot) {
        doc.StartAutosaving(DefaultAutosaveFolder(),
                            options.autosaveSeconds.value_or(
                                QSettings().value("Autosave/IntervalSeconds", 120).toInt()));
        frame.Commands().OfferRecovery();
    }
    if (!options.file.isEmpty()) {
        frame.Commands().OpenFile(options.file);
    }

    if (screenshot) {
        // Taken once the 3D view has shown its first frame.
        const QString out = options.screenshot;
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
