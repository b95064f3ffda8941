#include "document/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const char* const kSettingsKey = "RecentFiles";

}  // namespace

CRecentFileList::CRecentFileList(QObject* parent) : QObject(parent) {
    files_ = QSettings().value(kSettingsKey).toStringList().mid(0, kSize);
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
    Store();
}

void CRecentFileList::Remove(const QString& path) {
    if (files_.removeAll(path) > 0) {
        Store();
    }
}

void CRecentFileList::Store() {
    QSettings().setValue(kSettingsKey, files_);
    emit changed();
}
