#include "panels/scene_rows_model.h"

#include <algorithm>

CSceneRowsModel::CSceneRowsModel(QStringList headings, std::function<int()> recordCount,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      headings_(std::move(headings)),
      recordCount_(std::move(recordCount)) {}

int CSceneRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CSceneRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant CSceneRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headings_.size()) {
        return headings_[section];
    }
    return {};
}

void CSceneRowsModel::Rebuild() {
    beginResetModel();
    rows_ = recordCount_();
    endResetModel();
}

void CSceneRowsModel::Follow(const std::vector<std::size_t>& removed,
                             const std::vector<std::size_t>& added,
                             const std::vector<std::size_t>& changed) {
    // From the last, so that the indices still name the rows they did before.
    for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
        const auto row = static_cast<int>(*it);
        if (row < rows_) {
            beginRemoveRows({}, row, row);
            --rows_;
            endRemoveRows();
        }
    }
    for (std::size_t index : added) {
        const int row = std::min(static_cast<int>(index), rows_);
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    }
    // A change that slipped past the report must not leave rows that name nothing.
    if (rows_ != recordCount_()) {
        Rebuild();
        return;
    }
    for (std::size_t index : changed) {
        const auto row = static_cast<int>(index);
        if (row < rows_) {
            emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
        }
    }
}

bool CSceneRowsModel::HasRecord(int row) const {
    return row >= 0 && row < rows_ && row < recordCount_();
}
