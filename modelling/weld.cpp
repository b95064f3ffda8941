#include "modelling/weld.h"

#include <numeric>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/object_edit.h"
#include "modelling/vertex_merge.h"
#include "scene/centigrade.h"

ModellingResult WeldVertices(CCentigrade& scene, PriorState* prior) {
    ModellingResult result;
    bool anyAffected = false;
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        CModel& model = scene.models[m];
        if (!model.IsEditable()) {
            continue;
        }
        const std::vector<bool> affected = AffectedVertices(model);
        std::vector<int> into(model.vertices.size());
        std::iota(into.begin(), into.end(), 0);
        int first = -1;
        std::size_t count = 0;
        for (std::size_t v = 0; v < affected.size(); ++v) {
            if (affected[v]) {
                first = first < 0 ? static_cast<int>(v) : first;
                into[v] = first;
                ++count;
            }
        }
        anyAffected = anyAffected || count > 0;
        if (count < 2) {
            continue;
        }
        result.acted += MergeVertices(model, m, into, prior);
        FinishReshape(model, m, result);
    }
    if (!anyAffected) {
        return ModellingResult::Refuse(ModellingRefusal::NoVertexSelected);
    }
    PlaceGizmo(scene);
    return result;
}
