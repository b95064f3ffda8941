#include "panels/material_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "commands/change_report.h"
#include "document/quorvel_document.h"
#include "panels/box_text.h"
#include "panels/list_cell_delegate.h"
#include "panels/scene_rows_model.h"
#include "panels/swatch.h"

namespace {

constexpr int kSwatchColumnWidth = 25;
constexpr int kNameColumnWidth = 85;
constexpr int kSwatchSide = 11;  // outline included
constexpr int kMinimumRowHeight = 16;

class MaterialRows : public CSceneRowsModel {
public:
    MaterialRows(CCentigrade& scene, QObject* parent)
        : CSceneRowsModel(
              {QStringLiteral("色"), QStringLiteral("材質名")},
              [&scene] { return static_cast<int>(scene.materials.size()); }, parent),
          scene_(scene) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if (!HasRecord(index.row())) {
            return {};
        }
        const CMaterial& material = scene_.materials[static_cast<std::size_t>(index.row())];
        if (index.column() == 0 && role == Qt::DecorationRole) {
            return SwatchColour(material);
        }
        if (index.column() == 1 && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
            return SceneTextToDisplay(material.name);
        }
        return {};
    }

private:
    CCentigrade& scene_;
};

void PaintSwatchCell(QPainter& painter, const QRect& cell, const QModelIndex& index) {
    const QVariant colour = index.data(Qt::DecorationRole);
    if (colour.isValid()) {
        PaintSwatchBox(painter, QRect(cell.left() + 1, cell.top() + 1, kSwatchSide, kSwatchSide),
                       colour.value<QColor>());
    }
}

}  // namespace

CMaterialView::CMaterialView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelList(doc, new MaterialRows(doc.Scene(), nullptr),
                 {kSwatchColumnWidth, kNameColumnWidth}, QStringLiteral("材質の一覧"), parent) {
    setItemDelegate(new CListCellDelegate(PaintSwatchCell, kMinimumRowHeight, this));
    Rebuild();
}

void CMaterialView::SelectAt(QPoint point) {
    const int row = RowAt(point);
    MarkRow(row, indexAt(point).column());
    MakeCurrent(row);
}

void CMaterialView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        CPanelList::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    SelectAt(event->position().toPoint());
}

// The second press of the double-click has already chosen the row.
void CMaterialView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CPanelList::mouseDoubleClickEvent(event);
        return;
    }
    const int row = RowAt(event->position().toPoint());
    if (row >= 0) {
        doc_.Run("material.properties", {{"material", row}});
    }
    doc_.RequestPropertyPage(PageMaterial);
}

void CMaterialView::RowChosen(int row) {
    MakeCurrent(row);
}

void CMaterialView::FollowRows(const ChangeReport& report) {
    Rows()->Follow(report.materialsRemoved, report.materialsAdded, report.materialsChanged);
}

void CMaterialView::RowsUpdated() {
    const int current = doc_.Scene().currentMaterial;
    MarkRow(Rows()->HasRecord(current) ? current : -1);
}

// The material form, when shown, follows the new current material: it must
// never show one material while its edits go to another.
void CMaterialView::MakeCurrent(int row) {
    doc_.Run("material.current", {{"material", row}});
}
