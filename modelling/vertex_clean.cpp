#include "modelling/vertex_clean.h"

#include <vector>

#include "edit/gizmo.h"
#include "modelling/compact.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult CleanVertices(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    std::vector<bool> used(model.vertices.size(), false);
    for (const CFace& face : model.faces) {
        for (int v : face.indices) {
            used[static_cast<std::size_t>(v)] = true;
        }
    }
    ModellingResult result;
    for (bool u : used) {
        result.acted += u ? 0 : 1;
    }
    if (result.acted == 0) {
        return result;
    }
    CompactObject(model, target.object, used, std::vector<bool>(model.faces.size(), true), prior);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
