#include "panels/scene_rows_model.h"

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

bool CSceneRowsModel::HasRecord(int row) const {
    return row >= 0 && row < rows_ && row < recordCount_();
}
