// The object list: the state buttons (visible, locked) and the name of every
// object. A click makes the object current and, on a state button, flips that
// property; a double-click also opens the object form.
#pragma once

#include "panels/panel_list.h"
#include "panels/state_images.h"

class CModelView : public CPanelList {
    Q_OBJECT

public:
    CModelView(CQuorvelDoc& doc, QWidget* parent = nullptr);

    // Flips the state button `zone` of row `index` (none: nothing).
    void ToggleState(int index, StateZone zone);

public slots:
    // Marks the row of an object picked in the 3D view.
    void SelectRow(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void RowChosen(int row) override;
    void FollowRows(const ChangeReport& report) override;

private:
    void MakeCurrent(int row);
};
