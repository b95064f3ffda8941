// File names between Qt and the core: the bytes the file system holds,
// decoded and encoded the way Qt does for the user's locale.
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

inline std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

inline QString FromNative(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}
