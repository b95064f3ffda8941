#include "panels/tool_property_views.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/quorvel_document.h"
#include "edit/typed_values.h"
#include "panels/box_text.h"
#include "panels/commit_line_edit.h"

namespace {

// The groups stay at the top of a tall pane.
void EndPage(QVBoxLayout* layout) {
    layout->addStretch(1);
}

// The names the transform commands give the axes.
const char* AxisName(Axis axis) {
    constexpr const char* kNames[] = {"x", "y", "z"};
    return kNames[static_cast<int>(axis)];
}

// `point` with its coordinate on `axis` replaced by `value`.
CVector WithCoordinate(CVector point, Axis axis, float value) {
    (axis == Axis::X ? point.x : axis == Axis::Y ? point.y : point.z) = value;
    return point;
}

// `value` on `axis`, `others` on the other two.
CVector AlongAxis(Axis axis, float value, float others) {
    return CVector(axis == Axis::X ? value : others, axis == Axis::Y ? value : others,
                   axis == Axis::Z ? value : others);
}

}  // namespace

CPropertyView::CPropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("プロパティなし"), parent) {}

CSelectPropertyView::CSelectPropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("選択のプロパティ"), parent), modes_(new QButtonGroup(this)) {
    static const QString kModes[] = {QStringLiteral("通常"), QStringLiteral("接続面"),
                                     QStringLiteral("ベルト"), QStringLiteral("現物指定"),
                                     QStringLiteral("ブラシ選択")};
    // The values of select.mode, in the order of the modes.
    static const char* const kModeValues[] = {"normal", "connected", "belt", "object", "brush"};
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("選択"), this);
    auto* buttons = new QVBoxLayout(group);
    for (int mode = SelectNormal; mode <= SelectBrush; ++mode) {
        auto* button = new QRadioButton(kModes[mode], group);
        modes_->addButton(button, mode);
        buttons->addWidget(button);
    }
    layout->addWidget(group);
    EndPage(layout);
    connect(modes_, &QButtonGroup::idClicked, this, [this](int mode) {
        OwnEdit([&] { doc_.Run("select.mode", {{"mode", kModeValues[mode]}}); });
    });
    FollowDocument(FormSubject::Scene);
    OnInitialUpdate();
}

void CSelectPropertyView::OnInitialUpdate() {
    if (QAbstractButton* button = modes_->button(doc_.Scene().selectMode)) {
        button->setChecked(true);
    }
}

CMovePropertyView::CMovePropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("平行移動のプロパティ"), parent) {
    auto* layout = new QVBoxLayout(this);
    relative_ = AddAxisGroup(this, layout, QStringLiteral("相対移動"));
    absolute_ = AddAxisGroup(this, layout, QStringLiteral("絶対移動"));
    EndPage(layout);
    for (Axis axis : kAxes) {
        CCommitLineEdit* relative = relative_.Box(axis);
        connect(relative, &CCommitLineEdit::committed, this, [this, axis, relative] {
            // A box left at 0 that loses the focus applies nothing, and so
            // does not mark the document modified.
            if (const std::optional<float> by = FiniteBoxNumber(relative->text()); by && *by != 0) {
                OwnEdit([&] { doc_.Run("edit.move", {{"by", AlongAxis(axis, *by, 0.0f)}}); });
            }
            relative->setText(QStringLiteral("0"));
        });
        CCommitLineEdit* absolute = absolute_.Box(axis);
        connect(absolute, &CCommitLineEdit::committed, this, [this, axis, absolute] {
            if (FiniteBoxNumber(absolute->text())) {
                OwnEdit([&] {
                    doc_.Run("edit.move_to", {{AxisName(axis), ReadBoxNumber(absolute->text())}});
                });
            }
            absolute->clear();
        });
    }
    FollowDocument(FormSubject::Scene);
    OnInitialUpdate();
}

// The absolute boxes are empty after every use, so only the relative ones reset.
void CMovePropertyView::OnInitialUpdate() {
    relative_.SetAllTexts(QStringLiteral("0"));
}

CPivotPropertyView::CPivotPropertyView(CQuorvelDoc& doc, const QString& accessibleName,
                                       const QString& title, const QString& neutralText,
                                       QWidget* parent)
    : CPanelForm(doc, accessibleName, parent), neutralText_(neutralText) {
    auto* layout = new QVBoxLayout(this);
    amounts_ = AddAxisGroup(this, layout, title);
    centre_ = AddAxisGroup(this, layout, QStringLiteral("中心点"));
    EndPage(layout);
    for (Axis axis : kAxes) {
        CCommitLineEdit* amount = amounts_.Box(axis);
        connect(amount, &CCommitLineEdit::committed, this, [this, axis, amount] {
            if (const std::optional<float> value = FiniteBoxNumber(amount->text())) {
                OwnEdit([&] { ApplyAmount(axis, *value); });
            }
            amount->setText(neutralText_);
        });
        CCommitLineEdit* centre = centre_.Box(axis);
        connect(centre, &CCommitLineEdit::committed, this, [this, axis, centre] {
            if (const std::optional<float> value = FiniteBoxNumber(centre->text())) {
                OwnEdit([&] {
                    doc_.Run("edit.centre",
                             {{"at", WithCoordinate(doc_.Scene().gizmo, axis, *value)}});
                });
            } else {
                const CVector& pivot = doc_.Scene().gizmo;
                const float shown[] = {pivot.x, pivot.y, pivot.z};
                centre->setText(FormatBoxNumber(shown[static_cast<int>(axis)]));
            }
        });
    }
    // The centre boxes show the pivot in force whenever a page is switched
    // to, so that leaving one unedited never moves the pivot back to where
    // it was earlier.
    FollowDocument(FormSubject::Scene);
}

void CPivotPropertyView::OnInitialUpdate() {
    amounts_.SetAllTexts(neutralText_);
    const CVector& gizmo = doc_.Scene().gizmo;
    centre_.Box(Axis::X)->setText(FormatBoxNumber(gizmo.x));
    centre_.Box(Axis::Y)->setText(FormatBoxNumber(gizmo.y));
    centre_.Box(Axis::Z)->setText(FormatBoxNumber(gizmo.z));
}

CRotatePropertyView::CRotatePropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPivotPropertyView(doc, QStringLiteral("回転のプロパティ"), QStringLiteral("回転"),
                         QStringLiteral("0"), parent) {
    OnInitialUpdate();
}

void CRotatePropertyView::ApplyAmount(Axis axis, float degrees) {
    if (degrees != 0) {
        doc_.Run("edit.rotate", {{"axis", AxisName(axis)}, {"degrees", degrees}});
    }
}

CScalePropertyView::CScalePropertyView(CQuorvelDoc& doc, QWidget* parent)
    : CPivotPropertyView(doc, QStringLiteral("スケーリングのプロパティ"),
                         QStringLiteral("スケーリング"), QStringLiteral("1"), parent) {
    OnInitialUpdate();
}

// A factor not greater than 0 is taken as 1.
void CScalePropertyView::ApplyAmount(Axis axis, float factor) {
    if (const float by = TypedScaleFactor(factor); by != 1) {
        doc_.Run("edit.scale", {{"by", AlongAxis(axis, by, 1.0f)}});
    }
}
