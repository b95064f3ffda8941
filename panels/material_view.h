// The material list: a colour swatch and the name of every material. A click
// makes the material current (the one the paint tool uses); a double-click
// also opens the material form.
#pragma once

#include "panels/panel_list.h"

class CMaterialView : public CPanelList {
    Q_OBJECT

public:
    CMaterialView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    // Makes the row under the point current (−1 and no row marked when none).
    void SelectAt(QPoint point);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void RowChosen(int row) override;
    void FollowRows(const ChangeReport& report) override;
    void RowsUpdated() override;

private:
    void MakeCurrent(int row);
};
