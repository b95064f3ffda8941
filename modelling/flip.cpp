#include "modelling/flip.h"

#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult FlipFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != Refusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    if (!AnyFaceSelected(model)) {
        return ModellingResult::Refuse(Refusal::NoFaceSelected);
    }
    BeforeChange(prior, target.object, model);
    ModellingResult result;
    for (CFace& face : model.faces) {
        if (face.selected) {
            ReverseCorners(face);
            ++result.acted;
        }
    }
    FinishReshape(model, target.object, result);
    PlaceManipulator(scene);
    return result;
}
