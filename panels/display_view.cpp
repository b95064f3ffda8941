#include "panels/display_view.h"

#include <QPushButton>

#include "document/quorvel_document.h"

namespace {

constexpr int kButtonSide = 20;
constexpr int kBarHeight = 22;
constexpr int kFrontFromRight = 30;
constexpr int kXrayX = 98;

struct ToggleSpec {
    DisplayFlag flag;
    const char* command;
    const char* text;
    const char* accessibleName;
    int x;
};

// In the order of DisplayFlag; the axis toggle stands a little apart.
constexpr ToggleSpec kToggles[] = {
    {DisplayFlag::Vertices, "display.vertices", "点", "点を表示", 0},
    {DisplayFlag::Edges, "display.edges", "辺", "辺を表示", 21},
    {DisplayFlag::Faces, "display.faces", "面", "面を表示", 42},
    {DisplayFlag::Axis, "display.axis", "軸", "軸を表示", 70},
};

QPushButton* MakeButton(QWidget* parent, const char* text, const char* accessibleName) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setCheckable(true);
    button->setAccessibleName(QString::fromUtf8(accessibleName));
    button->setFixedSize(kButtonSide, kButtonSide);
    return button;
}

}  // namespace

CDisplayView::CDisplayView(CQuorvelDoc& doc, QWidget* parent)
    : CPanelForm(doc, QStringLiteral("表示の切り替え"), parent) {
    for (const ToggleSpec& spec : kToggles) {
        QPushButton* button = MakeButton(this, spec.text, spec.accessibleName);
        button->move(spec.x, 0);
        toggles_[static_cast<std::size_t>(spec.flag)] = button;
        connect(button, &QPushButton::clicked, this, [this, spec, button] {
            OwnEdit([&] { doc_.Run(spec.command); });
            button->setChecked(doc_.Scene().*DisplayFlagField(spec.flag));
        });
    }
    // The command says whether it took; the button shows the scene's flag.
    xray_ = MakeButton(this, "透", "透過選択");
    xray_->move(kXrayX, 0);
    connect(xray_, &QPushButton::clicked, this, [this] {
        OwnEdit([this] { doc_.Run("view.xray"); });
        xray_->setChecked(doc_.Scene().xray);
    });
    // 前 has no command: a click only changes its own look. Made last, it
    // comes last in the Tab order.
    front_ = MakeButton(this, "前", "前");
    setMinimumHeight(kBarHeight);
    // A new or opened document or a display command changes the flags; the
    // buttons follow.
    FollowDocument(FormSubject::Scene);
    OnInitialUpdate();
}

void CDisplayView::OnInitialUpdate() {
    for (const ToggleSpec& spec : kToggles) {
        Toggle(spec.flag)->setChecked(doc_.Scene().*DisplayFlagField(spec.flag));
    }
    xray_->setChecked(doc_.Scene().xray);
}

QPushButton* CDisplayView::Toggle(DisplayFlag flag) const {
    return toggles_[static_cast<std::size_t>(flag)];
}

QSize CDisplayView::sizeHint() const {
    return QSize(400, kBarHeight);
}

void CDisplayView::resizeEvent(QResizeEvent* event) {
    CPanelForm::resizeEvent(event);
    front_->move(width() - kFrontFromRight, 0);
}
