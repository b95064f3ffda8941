#include "modelling/flip.h"

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult FlipFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    BeginInPlace(prior, target.object, model);
    ModellingResult result;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        CFace& face = model.faces[f];
        if (face.selected) {
            KeepFace(prior, target.object, f, face);
            ReverseCorners(face);
            ++result.acted;
        }
    }
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
