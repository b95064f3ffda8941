#include "panels/model_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "commands/change_report.h"
#include "document/quorvel_document.h"
#include "panels/box_text.h"
#include "panels/list_cell_delegate.h"
#include "panels/scene_rows_model.h"
#include "panels/state_images.h"

namespace {

constexpr int kStateColumnWidth = 45;
constexpr int kNameColumnWidth = 65;
constexpr int kStateRole = Qt::UserRole;

QString StateDescription(int state) {
    const bool visible = state == 0 || state == 1;
    const bool locked = state == 1 || state == 2;
    return QStringLiteral("%1、%2").arg(
        visible ? QStringLiteral("表示") : QStringLiteral("非表示"),
        locked ? QStringLiteral("ロック") : QStringLiteral("編集可"));
}

class ModelRows : public CSceneRowsModel {
public:
    ModelRows(CCentigrade& scene, QObject* parent)
        : CSceneRowsModel(
              {QStringLiteral("可否"), QStringLiteral("物体名")},
              [&scene] { return static_cast<int>(scene.models.size()); }, parent),
          scene_(scene) {}

    QVariant data(const QModelIndex& index, int role) const override {
        if (!HasRecord(index.row())) {
            return {};
        }
        const CModel& model = scene_.models[static_cast<std::size_t>(index.row())];
        if (index.column() == 0) {
            if (role == kStateRole) {
                return model.state;
            }
            if (role == Qt::AccessibleTextRole) {
                return StateDescription(model.state);
            }
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            return SceneTextToDisplay(model.name);
        }
        return {};
    }

private:
    CCentigrade& scene_;
};

}  // namespace

CModelView::CModelView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelList(doc, new ModelRows(doc.Scene(), nullptr), {kStateColumnWidth, kNameColumnWidth},
                 QStringLiteral("物体の一覧"), parent) {
    auto paintState = [this](QPainter& painter, const QRect& cell, const QModelIndex& index) {
        const QVariant state = index.data(kStateRole);
        if (state.isValid()) {
            PaintStateImage(painter, StateImageRect(cell), state.toInt(), palette());
        }
    };
    setItemDelegate(new CListCellDelegate(paintState, kStateImageHeight + 2, this));
    connect(&doc_, &CQuorvelDoc::currentObjectChanged, this, &CModelView::SelectRow);
    Rebuild();
}

void CModelView::ToggleState(int index, StateZone zone) {
    switch (zone) {
        case StateZone::Visibility:
            doc_.Run("object.visibility", {{"object", index}});
            break;
        case StateZone::Lock:
            doc_.Run("object.lock", {{"object", index}});
            break;
        case StateZone::None:
            break;
    }
}

void CModelView::SelectRow(int index) {
    MarkRow(index);
    if (index >= 0) {
        scrollTo(Rows()->index(index, 0));
    }
}

void CModelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        CPanelList::mousePressEvent(event);
        return;
    }
    // The zone is taken from the list as the user saw it, before marking the
    // row can scroll it.
    const QPoint point = event->position().toPoint();
    const int row = RowAt(point);
    const StateZone zone = row >= 0 && event->button() == Qt::LeftButton
                               ? StateZoneAt(visualRect(Rows()->index(row, 0)), point.x())
                               : StateZone::None;
    setFocus(Qt::MouseFocusReason);
    MarkRow(row, indexAt(point).column());
    MakeCurrent(row);
    ToggleState(row, zone);
}

// Qt turns the second press of a double-click into this event alone, after
// the first press flipped a state button under the pointer once: flipping it
// again leaves the state as it was.
void CModelView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        CPanelList::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int row = RowAt(point);
    if (row >= 0) {
        ToggleState(row, StateZoneAt(visualRect(Rows()->index(row, 0)), point.x()));
        doc_.Run("object.properties", {{"object", row}});
    } else {
        MakeCurrent(row);
    }
    doc_.RequestPropertyPage(PageObject);
}

void CModelView::RowChosen(int row) {
    MakeCurrent(row);
}

// The object form, when shown, follows the new current object: it must never
// show one object while its edits go to another.
void CModelView::MakeCurrent(int row) {
    doc_.Run("object.current", {{"object", row}});
}

void CModelView::FollowRows(const ChangeReport& report) {
    std::vector<std::size_t> shown;
    for (const ObjectChange& change : report.objects) {
        if ((change.aspects & (kObjectName | kObjectState)) != 0) {
            shown.push_back(change.object);
        }
    }
    Rows()->Follow(report.objectsRemoved, report.objectsAdded, shown);
}
