#include "app/view_input.h"

#include "edit/pick.h"
#include "edit/pick_edge.h"
#include "history/edit_history.h"
#include "history/face_steps.h"
#include "history/step_names.h"
#include "scene/centigrade.h"
#include "view/camera_navigation.h"

ViewRedraw ViewInput::LeftButtonDown(int x, int y) {
    leftDown_ = true;
    lastPoint_ = {x, y};
    if (scene_.toolMode == ToolRangeSelect) {
        scene_.rubberBand[0] = scene_.rubberBand[2] = x;
        scene_.rubberBand[1] = scene_.rubberBand[3] = y;
        return ViewRedraw::Now;
    }
    const bool hit = history_ ? ClickFaceTool(*history_, scene_, x, y) : Pick(scene_, x, y);
    // A drag of a manipulator handle is one step from this press to the release.
    if (history_ && IsManipulatorTool(scene_.toolMode) && scene_.hitIndex != HandleNone) {
        history_->BeginTransform(scene_, TransformStepName(scene_.toolMode));
    }
    if (IsManipulatorTool(scene_.toolMode)) {
        drag_.Begin(scene_);
    }
    if (hit && (scene_.toolMode == ToolDeleteFace || scene_.toolMode == ToolPaintMaterial)) {
        DocumentModified();
    }
    return ViewRedraw::Now;
}

ViewRedraw ViewInput::LeftButtonUp(int x, int y) {
    leftDown_ = false;
    if (scene_.toolMode == ToolRangeSelect) {
        Pick(scene_, x, y);
        scene_.rubberBand[0] = scene_.rubberBand[2] = x;
        scene_.rubberBand[1] = scene_.rubberBand[3] = y;
    }
    // The drag or the deletion changed the geometry; the lighting catches up
    // now, for the objects the drag moved.
    if (IsManipulatorTool(scene_.toolMode)) {
        drag_.Finish(scene_);
    } else if (scene_.toolMode == ToolDeleteFace) {
        scene_.ComputeAllNormals();
    }
    if (history_ && history_->EndTransform(scene_)) {
        DocumentModified();
    }
    return ViewRedraw::Now;
}

ViewRedraw ViewInput::RightButtonDown(int x, int y) {
    rightDown_ = true;
    lastPoint_ = {x, y};
    return ViewRedraw::Now;
}

ViewRedraw ViewInput::RightButtonUp() {
    rightDown_ = false;
    return ViewRedraw::None;
}

ViewRedraw ViewInput::MouseMove(int x, int y, bool middleButtonHeld) {
    const auto dx = static_cast<float>(x - lastPoint_.x);
    const auto dy = static_cast<float>(y - lastPoint_.y);
    lastPoint_ = {x, y};
    if (leftDown_ && rightDown_) {
        DragZoom(scene_, dx, dy);
        return ViewRedraw::Later;
    }
    if (leftDown_) {
        if (scene_.toolMode == ToolRangeSelect) {
            scene_.rubberBand[2] = x;
            scene_.rubberBand[3] = y;
        } else if (IsManipulatorTool(scene_.toolMode)) {
            ManipulatorDrag(dx, dy);
        }
        return ViewRedraw::Later;
    }
    if (rightDown_) {
        OrbitCamera(scene_, dx, dy);
        return ViewRedraw::Later;
    }
    if (middleButtonHeld) {
        PanCamera(scene_, dx, dy);
        return ViewRedraw::Later;
    }
    return ViewRedraw::None;
}

ViewRedraw ViewInput::Wheel(int delta) {
    WheelZoom(scene_, delta);
    return ViewRedraw::Later;
}

ViewRedraw ViewInput::EdgePathClick(int x, int y, EdgePath path, bool add) {
    const std::optional<ObjectEdgeRef> edge = PickEdge(scene_, x, y);
    if (!edge || !runCommand) {
        return ViewRedraw::None;
    }
    runCommand(path == EdgePath::Loop ? "select.loop" : "select.ring",
               {{"object", edge->object},
                {"face", edge->face},
                {"corner", edge->corner},
                {"mode", add ? "add" : "replace"}});
    return ViewRedraw::Now;
}

void ViewInput::DocumentModified() const {
    if (onDocumentModified) {
        onDocumentModified();
    }
}

// Every step counts as an edit, even one that moved nothing.
void ViewInput::ManipulatorDrag(float dx, float dy) {
    drag_.Apply(scene_, ComputeDragStep(scene_.toolMode, scene_.hitIndex, dx, dy, scene_.camera));
    DocumentModified();
}
