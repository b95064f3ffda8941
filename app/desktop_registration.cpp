#include "app/desktop_registration.h"

#include "app/app_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString DesktopEntryPath() {
    return DataHome() + QStringLiteral("/applications/org.quorvel.quorvel.desktop");
}
QString MimeFolder() {
    return DataHome() + QStringLiteral("/mime");
}
QString MimePackagePath() {
    return MimeFolder() + QStringLiteral("/packages/quorvel.xml");
}
QString IconPath() {
    return DataHome() + QStringLiteral("/icons/hicolor/scalable/apps/quorvel.svg");
}

QByteArray Resource(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The executable as one argument of a desktop entry's Exec key: quoted, with
// the characters the quoting reserves escaped, then the backslashes of the
// string value doubled.
QString ExecArgument(const QString& executable) {
    QString quoted;
    for (const QChar c : executable) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

QString WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        return path + QStringLiteral(": ") + file.errorString();
    }
    return {};
}

// The desktop's caches follow the new files; a missing tool only delays that
// until the desktop rescans.
void RefreshDesktopCaches() {
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty() && QFileInfo::exists(MimeFolder())) {
        QProcess::startDetached(mime, {MimeFolder()});
    }
    const QString desktop =
        QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktop.isEmpty()) {
        QProcess::startDetached(desktop, {QFileInfo(DesktopEntryPath()).path()});
    }
}

}  // namespace

bool RunningFromBuildTree() {
    const QString build = QDir(QStringLiteral(QUORVEL_BUILD_DIR)).canonicalPath();
    const QString here = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    return !build.isEmpty() && (here == build || here.startsWith(build + u'/'));
}

QStringList UserRegistrationFiles() {
    return {DesktopEntryPath(), MimePackagePath(), IconPath()};
}

QString RegisterForUser(const QString& executable) {
    InitAppResources();
    QByteArray entry = Resource(QStringLiteral(":/desktop/org.quorvel.quorvel.desktop"));
    entry.replace("Exec=quorvel %f", "Exec=" + ExecArgument(executable).toUtf8() + " %f");
    const QByteArray contents[] = {entry, Resource(QStringLiteral(":/desktop/quorvel-mime.xml")),
                                   Resource(QStringLiteral(":/icons/quorvel.svg"))};
    const QStringList paths = UserRegistrationFiles();
    for (int i = 0; i < paths.size(); ++i) {
        if (QString failure = WriteFile(paths[i], contents[i]); !failure.isEmpty()) {
            return failure;
        }
    }
    RefreshDesktopCaches();
    return {};
}

void UnregisterForUser() {
    for (const QString& path : UserRegistrationFiles()) {
        QFile::remove(path);
    }
    RefreshDesktopCaches();
}
