#include "panels/list_cell_delegate.h"

#include <QPainter>

namespace {

constexpr int kTextMargin = 4;

}  // namespace

CListCellDelegate::CListCellDelegate(PaintFirstCell paintFirstCell, int minimumRowHeight,
                                     QObject* parent)
    : QStyledItemDelegate(parent),
      paintFirstCell_(std::move(paintFirstCell)),
      minimumRowHeight_(minimumRowHeight) {}

void CListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    if (index.column() == 0) {
        paintFirstCell_(*painter, option.rect, index);
        return;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return;
    }
    const QRect textRect = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter->save();
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    painter->restore();
}

QSize CListCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), minimumRowHeight_));
    return size;
}
