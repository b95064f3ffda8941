// The recent-file list: the last four documents opened or saved, newest first,
// kept in the user's settings so that it survives a restart.
#pragma once

#include <QObject>
#include <QStringList>

class CRecentFileList : public QObject {
    Q_OBJECT

public:
    static constexpr int kSize = 4;

    explicit CRecentFileList(QObject* parent = nullptr);

    const QStringList& Files() const { return files_; }
    // Puts `path` first, dropping an older entry of the same file and the
    // oldest entry beyond kSize.
    void Add(const QString& path);
    void Remove(const QString& path);

signals:
    void changed();

private:
    void Store();

    QStringList files_;
};
