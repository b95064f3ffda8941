#include "edit/drag.h"

#include "edit/pick.h"
#include "scene/angles.h"
#include "scene/centigrade.h"

namespace {

// The centre handle of the move tool: a motion roughly in the plane of the
// screen, built from the camera's yaw and pitch taken one at a time.
CVector FreeMove(float dx, float dy, const CAnimation& camera) {
    const float ax = Radians(camera.rotation.x);
    const float ay = Radians(camera.rotation.y);
    return {Cosine(ay) * dx, -Cosine(ax) * dy, Sine(ay) * dx + Sine(ax) * dy};
}

DragStep MoveStep(int handle, float dx, float dy, const CAnimation& camera) {
    switch (handle) {
        case HandleX:
            return {DragOperation::Move, {dx - dy, 0, 0}};
        case HandleY:
            return {DragOperation::Move, {0, dx - dy, 0}};
        case HandleZ:
            return {DragOperation::Move, {0, 0, dy - dx}};
        default:
            return {DragOperation::Move, FreeMove(dx, dy, camera)};
    }
}

DragStep RotateStep(int handle, float dx, float dy) {
    switch (handle) {
        case HandleX:
            return {DragOperation::RotateX, {dx - dy, 0, 0}};
        case HandleY:
            return {DragOperation::RotateY, {0, dx - dy, 0}};
        case HandleZ:
            return {DragOperation::RotateZ, {0, 0, dy - dx}};
        default:
            return {DragOperation::RotateYThenX, {-dy, dx, 0}};
    }
}

DragStep ScaleStep(int handle, float dx, float dy) {
    const float k = (dx - dy) / 100;
    switch (handle) {
        case HandleX:
            return {DragOperation::ScaleBy, {k, 0, 0}};
        case HandleY:
            return {DragOperation::ScaleBy, {0, k, 0}};
        case HandleZ:
            return {DragOperation::ScaleBy, {0, 0, k}};
        default:
            return {DragOperation::ScaleBy, {k, k, k}};
    }
}

}  // namespace

DragStep ComputeDragStep(int tool, int handle, float dx, float dy, const CAnimation& camera) {
    if (handle < HandleX || handle > HandleCenter) {
        return {};
    }
    switch (tool) {
        case ToolMove:
            return MoveStep(handle, dx, dy, camera);
        case ToolRotate:
            return RotateStep(handle, dx, dy);
        case ToolScale:
            return ScaleStep(handle, dx, dy);
        default:
            return {};
    }
}

void ApplyDragStep(CCentigrade& scene, const DragStep& step) {
    const CVector& a = step.amount;
    switch (step.operation) {
        case DragOperation::None:
            break;
        case DragOperation::Move:
            scene.MoveSelection(a.x, a.y, a.z);
            scene.gizmo += a;
            break;
        case DragOperation::RotateX:
            scene.RotateSelectionX(a.x);
            break;
        case DragOperation::RotateY:
            scene.RotateSelectionY(a.y);
            break;
        case DragOperation::RotateZ:
            scene.RotateSelectionZ(a.z);
            break;
        case DragOperation::RotateYThenX:
            scene.RotateSelectionY(a.y);
            scene.RotateSelectionX(a.x);
            break;
        case DragOperation::ScaleBy:
            scene.ScaleSelectionBy(a.x, a.y, a.z);
            break;
    }
}

void CCentigrade::DragSelection(float dx, float dy) {
    ApplyDragStep(*this, ComputeDragStep(toolMode, hitIndex, dx, dy, camera));
}
