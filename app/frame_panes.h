// The side panes the frame lays out around the 3D view: the property pane with
// its pages, the display bar above the view, and the object and material lists.
#pragma once

class CQuorvelDoc;
class QStackedWidget;
class QWidget;

struct FramePanes {
    // One page per PropertyPage value, at that index; page 0 shown.
    QStackedWidget* propertyPane = nullptr;
    // A strip kDisplayBarHeight pixels high above the 3D view.
    QWidget* displayBar = nullptr;
    QWidget* objectList = nullptr;
    QWidget* materialList = nullptr;
};

inline constexpr int kDisplayBarHeight = 22;

// Creates the panes as children of `parent`; the frame places them.
FramePanes CreateFramePanes(CQuorvelDoc& doc, QWidget* parent);
