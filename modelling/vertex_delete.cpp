#include "modelling/vertex_delete.h"

#include <algorithm>
#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/compact.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult DeleteVertices(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    const std::vector<bool> affected = AffectedVertices(model);
    if (std::none_of(affected.begin(), affected.end(), [](bool a) { return a; })) {
        return ModellingResult::Refuse(ModellingRefusal::NoVertexSelected);
    }
    std::vector<bool> keepFace(model.faces.size(), true);
    // 0: no face uses the vertex, 1: only removed faces do, 2: a kept face does.
    std::vector<unsigned char> use(model.vertices.size(), 0);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        keepFace[f] = std::none_of(face.indices.begin(), face.indices.end(),
                                   [&](int v) { return affected[static_cast<std::size_t>(v)]; });
    }
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        for (int v : model.faces[f].indices) {
            auto& u = use[static_cast<std::size_t>(v)];
            u = std::max<unsigned char>(u, keepFace[f] ? 2 : 1);
        }
    }
    std::vector<bool> keepVertex(model.vertices.size());
    ModellingResult result;
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        keepVertex[v] = !affected[v] && use[v] != 1;
        result.acted += affected[v] ? 1 : 0;
    }
    CompactObject(model, target.object, keepVertex, keepFace, prior);
    ClearSelectionOf(model);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
