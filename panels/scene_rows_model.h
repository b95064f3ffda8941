// The rows of a side list: one per scene record. Cells read the record when
// they are drawn; the list follows the document's reports row by row, so
// views keep their selection and scroll position across edits.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

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
    // Records `removed` (indices before the change) went, `added` (indices
    // after it) came, and `changed` show something new; all ascending.
    void Follow(const std::vector<std::size_t>& removed, const std::vector<std::size_t>& added,
                const std::vector<std::size_t>& changed);
    // Whether the row names a record.
    bool HasRecord(int row) const;

private:
    QStringList headings_;
    std::function<int()> recordCount_;
    int rows_ = 0;
};
