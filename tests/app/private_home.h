// Settings and per-user data of a GUI test go to a temporary folder, never to
// the real home. Construct before the QApplication.
#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

struct PrivateHome {
    PrivateHome() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
    }
    QTemporaryDir dir;
};
