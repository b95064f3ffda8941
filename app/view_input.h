// The mouse side of the 3D view: which buttons went down in it, the drag they
// make, and what every press, move, release and wheel turn hands to the scene
// (picks, manipulator drags, camera moves). Free of the window system, so the
// view only translates its events.
#pragma once

#include <functional>
#include <string_view>

#include "commands/parameters.h"
#include "edit/drag.h"

class CCentigrade;
class EditHistory;

// What an edge click selects: the loop along the edge or the ring across it,
// in place of the selection or added to it.
enum class EdgePath { Loop, Ring };

// What the view must do after an event: nothing, draw before the next event,
// or repaint when the window system gets round to it.
enum class ViewRedraw { None, Now, Later };

struct ViewPoint {
    int x = 0;
    int y = 0;
};

class ViewInput {
public:
    // Edits are recorded as undo steps in `history` when one is given.
    explicit ViewInput(CCentigrade& scene, EditHistory* history = nullptr)
        : scene_(scene), history_(history) {}

    // Called whenever an edit in the view changed the document; the step it
    // makes is recorded by the time of the call that ends it.
    std::function<void()> onDocumentModified;
    // Runs a command of the command table; an edge click does nothing without it.
    std::function<void(std::string_view id, const Values& values)> runCommand;

    // Positions are client pixels, y growing downwards.
    ViewRedraw LeftButtonDown(int x, int y);
    ViewRedraw LeftButtonUp(int x, int y);
    ViewRedraw RightButtonDown(int x, int y);
    ViewRedraw RightButtonUp();
    ViewRedraw MouseMove(int x, int y, bool middleButtonHeld);
    // `delta` is 120 per notch, positive when turned away from the user.
    ViewRedraw Wheel(int delta);
    // A click that selects the loop or ring through the edge under (x, y),
    // whatever the tool; it starts no pick, rectangle or drag of its own.
    ViewRedraw EdgePathClick(int x, int y, EdgePath path, bool add);

    bool LeftDown() const { return leftDown_; }
    bool RightDown() const { return rightDown_; }
    ViewPoint LastPoint() const { return lastPoint_; }

private:
    void DocumentModified() const;
    void ManipulatorDrag(float dx, float dy);

    CCentigrade& scene_;
    EditHistory* history_;
    DragSession drag_;
    bool leftDown_ = false;
    bool rightDown_ = false;
    ViewPoint lastPoint_;
};
