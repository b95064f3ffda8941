// Draws every cell of a side list itself, as the lists' custom draw does: the
// window colour, or the highlight colour across the selected row; the first
// column's picture from a callback; text in the other columns.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

class CListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using PaintFirstCell =
        std::function<void(QPainter& painter, const QRect& cell, const QModelIndex& index)>;

    // Rows are at least `minimumRowHeight` pixels high.
    CListCellDelegate(PaintFirstCell paintFirstCell, int minimumRowHeight, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    PaintFirstCell paintFirstCell_;
    int minimumRowHeight_;
};
