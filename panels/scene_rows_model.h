// The rows of a side list: one per scene record, counted when the list is
// rebuilt. Cells read the record when they are drawn, so an edit shows at
// the next paint (the lists repaint whenever the document asks for a redraw);
// a record appended since the last rebuild waits for the next one.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class CSceneRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `recordCount` tells how many records the scene holds now.
    CSceneRowsModel(QStringList headings, std::function<int()> recordCount, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void Rebuild();
    // Whether the row still names a record (records may be removed before the
    // next rebuild).
    bool HasRecord(int row) const;

private:
    QStringList headings_;
    std::function<int()> recordCount_;
    int rows_ = 0;
};
