#include "panels/panel_list.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "document/quorvel_document.h"
#include "panels/scene_rows_model.h"

CPanelList::CPanelList(CQuorvelDoc& doc, CSceneRowsModel* rows, QList<int> columnWidths,
                       const QString& accessibleName, QWidget* parent)
    : QTreeView(parent), doc_(doc), rows_(rows), columnWidths_(std::move(columnWidths)) {
    rows_->setParent(this);
    setModel(rows_);
    setAccessibleName(accessibleName);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(&doc_, &CQuorvelDoc::changed, this, &CPanelList::OnDocumentChange);
}

int CPanelList::RowAt(QPoint point) const {
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
}

void CPanelList::MarkRow(int row, int column) {
    marking_ = true;
    if (row >= 0 && row < rows_->rowCount()) {
        selectionModel()->setCurrentIndex(
            rows_->index(row, std::max(column, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    marking_ = false;
}

int CPanelList::MarkedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QSize CPanelList::sizeHint() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int columnWidth : columnWidths_) {
        width += columnWidth;
    }
    return QSize(width, QTreeView::sizeHint().height());
}

void CPanelList::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    if (!marking_ && !selected.indexes().isEmpty()) {
        RowChosen(selected.indexes().first().row());
    }
}

void CPanelList::Rebuild() {
    rows_->Rebuild();
    for (int column = 0; column < columnWidths_.size(); ++column) {
        header()->resizeSection(column, columnWidths_[column]);
    }
    RowsUpdated();
}

void CPanelList::OnDocumentChange(const ChangeReport& report) {
    if (report.documentReplaced) {
        Rebuild();
        return;
    }
    FollowRows(report);
    RowsUpdated();
}
