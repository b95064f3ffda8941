#include "commands/object_edits.h"

#include "edit/gizmo.h"
#include "history/record_steps.h"
#include "scene/centigrade.h"

bool RenameObject(EditHistory& history, CCentigrade& scene, std::size_t object,
                  std::string cp932Name) {
    return RecordObjectEdit(history, scene, object,
                            [&](CModel& model) { model.name = std::move(cp932Name); });
}

bool SetSmoothingAngle(EditHistory& history, CCentigrade& scene, std::size_t object,
                       float degrees) {
    return RecordObjectEdit(history, scene, object, [&](CModel& model) {
        model.facet = degrees;
        model.ComputeNormals(scene.smooth);
    });
}

bool SetMirrorAxis(EditHistory& history, CCentigrade& scene, std::size_t object, int axis) {
    return RecordObjectEdit(history, scene, object,
                            [axis](CModel& model) { model.mirrorAxis = axis; });
}

int ToggledState(int state, StateButton button) {
    return button == StateButton::Visibility ? 3 - state : state ^ 1;
}

void SetObjectState(CCentigrade& scene, std::size_t object, int state) {
    scene.models[object].state = state;
    UpdateGizmo(scene);
}
