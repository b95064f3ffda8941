// The bar above the 3D view: push-like toggles for what the view draws
// (点 vertices, 辺 edges, 面 faces, 軸 axes), 透 for see-through faces and
// selection, and 前 at the right edge.
#pragma once

#include <array>

#include "commands/display_flags.h"
#include "panels/panel_form.h"

class QPushButton;

class CDisplayView : public CPanelForm {
    Q_OBJECT

public:
    explicit CDisplayView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    QPushButton* Toggle(DisplayFlag flag) const;
    QPushButton* FrontButton() const { return front_; }
    QPushButton* XrayButton() const { return xray_; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QPushButton*, 4> toggles_{};
    QPushButton* xray_ = nullptr;
    QPushButton* front_ = nullptr;
};
