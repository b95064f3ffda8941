#include "modelling/duplicate_faces.h"

#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult DuplicateFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    const std::size_t oldVertices = model.vertices.size();
    const std::size_t oldFaces = model.faces.size();
    std::vector<int> copyOf(oldVertices, -1);
    std::vector<std::size_t> selected;
    for (std::size_t f = 0; f < oldFaces; ++f) {
        if (model.faces[f].selected) {
            selected.push_back(f);
            for (int v : model.faces[f].indices) {
                copyOf[static_cast<std::size_t>(v)] = 0;
            }
        }
    }
    const std::size_t newFaces = selected.size();
    auto next = static_cast<int>(oldVertices);
    for (int& copy : copyOf) {
        copy = copy == 0 ? next++ : copy;
    }
    const auto newVertices = static_cast<std::size_t>(next) - oldVertices;
    if (oldVertices + newVertices > kMaximumElements || oldFaces + newFaces > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    GrowArrays(model, target.object, newVertices, newFaces, prior);
    ClearSelectionOf(model);
    for (std::size_t v = 0; v < oldVertices; ++v) {
        if (copyOf[v] >= 0) {
            const CVector& p = model.vertices[v];
            model.vertices.push_back(Point(p.x, p.y, p.z));
        }
    }
    for (std::size_t f : selected) {
        CFace copy = CopyFace(model.faces[f]);
        for (int& v : copy.indices) {
            v = copyOf[static_cast<std::size_t>(v)];
        }
        SelectWhole(copy);
        model.faces.push_back(std::move(copy));
    }
    ModellingResult result;
    result.acted = newFaces;
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
