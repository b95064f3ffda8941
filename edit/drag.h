// Turning mouse motion into transform amounts while a manipulator handle is dragged.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/model.h"
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

// One mouse-move event of a manipulator drag with the current tool and
// hitIndex; (dx, dy) in client pixels since the previous event.
void DragSelection(CCentigrade& scene, float dx, float dy);

// One manipulator drag, from the press on a handle to the release. The affected
// vertices are found once at the press, so each step moves them alone and
// names only their span as changed; normals wait for the release.
class DragSession {
public:
    // Collects the affected vertices: those selected or marked, in editable
    // objects. The storage of earlier drags is reused.
    void Begin(const CCentigrade& scene);
    // Applies `step` to the vertices found by Begin, as ApplyDragStep would.
    void Apply(CCentigrade& scene, const DragStep& step);
    // Recomputes the normals of the objects whose vertices moved and ends the
    // drag. True when any moved.
    bool Finish(CCentigrade& scene);

private:
    struct Affected {
        std::size_t object = 0;
        std::vector<std::uint32_t> vertices;
        VertexSpan span;
        bool moved = false;
    };

    template <typename Change>
    void ApplyChange(CCentigrade& scene, Change change);

    std::vector<Affected> objects_;
    std::size_t objectCount_ = 0;  // the entries of objects_ in use
};
