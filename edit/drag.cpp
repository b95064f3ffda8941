#include "edit/drag.h"

#include "edit/pick.h"
#include "edit/vertex_changes.h"
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

bool IsAxisHandle(int handle) {
    return handle >= HandleX && handle <= HandleZ;
}

// The motion along an axis handle: right and up go towards positive x and y,
// left and down towards positive z.
CVector AlongAxis(int handle, float dx, float dy) {
    CVector amount(0, 0, 0);
    if (handle == HandleX) {
        amount.x = dx - dy;
    } else if (handle == HandleY) {
        amount.y = dx - dy;
    } else {
        amount.z = dy - dx;
    }
    return amount;
}

DragStep MoveStep(int handle, float dx, float dy, const CAnimation& camera) {
    return {DragOperation::Move,
            IsAxisHandle(handle) ? AlongAxis(handle, dx, dy) : FreeMove(dx, dy, camera)};
}

DragStep RotateStep(int handle, float dx, float dy) {
    constexpr DragOperation kAbout[] = {DragOperation::RotateX, DragOperation::RotateY,
                                        DragOperation::RotateZ};
    if (!IsAxisHandle(handle)) {
        return {DragOperation::RotateYThenX, {-dy, dx, 0}};
    }
    return {kAbout[handle - HandleX], AlongAxis(handle, dx, dy)};
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

// Hands `visit` the change of every transform the step makes, in order.
template <typename Visit>
void ForEachChange(CCentigrade& scene, const DragStep& step, Visit visit) {
    const CVector& a = step.amount;
    switch (step.operation) {
        case DragOperation::None:
            break;
        case DragOperation::Move:
            visit(MoveChange(a));
            scene.gizmo += a;
            break;
        case DragOperation::RotateX:
            visit(RotateXChange(a.x, scene.gizmo));
            break;
        case DragOperation::RotateY:
            visit(RotateYChange(a.y, scene.gizmo));
            break;
        case DragOperation::RotateZ:
            visit(RotateZChange(a.z, scene.gizmo));
            break;
        case DragOperation::RotateYThenX:
            visit(RotateYChange(a.y, scene.gizmo));
            visit(RotateXChange(a.x, scene.gizmo));
            break;
        case DragOperation::ScaleBy:
            visit(ScaleByChange(a, scene.gizmo));
            break;
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
    ForEachChange(scene, step, [&scene](auto change) { ForAffected(scene.models, change); });
}

void DragSession::Begin(const CCentigrade& scene) {
    objectCount_ = 0;
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        const CModel& model = scene.models[m];
        if (!model.IsEditable()) {
            continue;
        }
        if (objectCount_ == objects_.size()) {
            objects_.emplace_back();
        }
        Affected& affected = objects_[objectCount_];
        affected.object = m;
        affected.vertices.clear();
        affected.moved = false;
        for (std::size_t i = 0; i < model.vertices.size(); ++i) {
            if (model.vertices[i].selected || model.vertices[i].mark) {
                affected.vertices.push_back(static_cast<std::uint32_t>(i));
            }
        }
        if (!affected.vertices.empty()) {
            affected.span = {affected.vertices.front(), std::size_t{affected.vertices.back()} + 1};
            ++objectCount_;
        }
    }
}

template <typename Change>
void DragSession::ApplyChange(CCentigrade& scene, Change change) {
    for (std::size_t k = 0; k < objectCount_; ++k) {
        Affected& affected = objects_[k];
        // The scene may have lost the object or vertices since the press.
        if (affected.object >= scene.models.size() ||
            scene.models[affected.object].vertices.size() < affected.span.end) {
            continue;
        }
        CModel& model = scene.models[affected.object];
        for (std::uint32_t v : affected.vertices) {
            change(model.vertices[v]);
        }
        model.TouchPositions(affected.span.first, affected.span.end);
        affected.moved = true;
    }
}

void DragSession::Apply(CCentigrade& scene, const DragStep& step) {
    ForEachChange(scene, step, [this, &scene](auto change) { ApplyChange(scene, change); });
}

bool DragSession::Finish(CCentigrade& scene) {
    bool any = false;
    for (std::size_t k = 0; k < objectCount_; ++k) {
        const Affected& affected = objects_[k];
        if (affected.moved && affected.object < scene.models.size()) {
            scene.models[affected.object].UpdateNormals(scene.smooth);
            any = true;
        }
    }
    objectCount_ = 0;
    return any;
}

void DragSelection(CCentigrade& scene, float dx, float dy) {
    ApplyDragStep(scene, ComputeDragStep(scene.toolMode, scene.hitIndex, dx, dy, scene.camera));
}
