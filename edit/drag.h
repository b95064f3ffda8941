// Turning mouse motion into transform amounts while a manipulator handle is dragged.
#pragma once

#include "scene/vector.h"

class CAnimation;
class CCentigrade;

enum class DragOperation {
    None,
    Move,          // MoveSelection(amount); the manipulator moves along
    RotateX,       // RotateSelectionX(amount.x)
    RotateY,       // RotateSelectionY(amount.y)
    RotateZ,       // RotateSelectionZ(amount.z)
    RotateYThenX,  // RotateSelectionY(amount.y), then RotateSelectionX(amount.x)
    ScaleBy,       // ScaleSelectionBy(amount)
};

struct DragStep {
    DragOperation operation = DragOperation::None;
    CVector amount;
};

// The operation and amounts of one mouse-move event with the left button held:
// `tool` and `handle` are the scene's toolMode and hitIndex, (dx, dy) the motion
// in client pixels (y down) since the previous event. One pixel is one unit of
// move, one degree of rotation, or 1/100 of growth.
DragStep ComputeDragStep(int tool, int handle, float dx, float dy, const CAnimation& camera);

// Applies `step` to the scene's affected vertices.
void ApplyDragStep(CCentigrade& scene, const DragStep& step);
