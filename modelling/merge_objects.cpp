#include "modelling/merge_objects.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "edit/gizmo.h"
#include "modelling/object_edit.h"
#include "modelling/prior_state.h"
#include "scene/centigrade.h"

namespace {

ModellingRefusal CheckSources(const CCentigrade& scene, std::size_t current,
                              const std::vector<std::size_t>& objects) {
    if (objects.empty()) {
        return ModellingRefusal::NoObjectToMerge;
    }
    std::vector<std::size_t> sorted = objects;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end() ||
        sorted.back() >= scene.models.size() ||
        std::binary_search(sorted.begin(), sorted.end(), current)) {
        return ModellingRefusal::UnknownObject;
    }
    for (std::size_t m : objects) {
        if (!scene.models[m].IsEditable()) {
            return ModellingRefusal::ObjectNotEditable;
        }
    }
    return ModellingRefusal::None;
}

}  // namespace

ModellingResult MergeObjects(CCentigrade& scene, const MergeObjectsOptions& options,
                             PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (const ModellingRefusal why = CheckSources(scene, target.object, options.objects);
        why != ModellingRefusal::None) {
        return ModellingResult::Refuse(why);
    }
    CModel& model = scene.models[target.object];
    std::size_t vertices = model.vertices.size();
    std::size_t faces = model.faces.size();
    for (std::size_t m : options.objects) {
        vertices += scene.models[m].vertices.size();
        faces += scene.models[m].faces.size();
    }
    if (vertices > kMaximumElements || faces > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    GrowArrays(model, target.object, vertices - model.vertices.size(), faces - model.faces.size(),
               prior);
    for (std::size_t m : options.objects) {
        const CModel& source = scene.models[m];
        const auto offset = static_cast<int>(model.vertices.size());
        model.vertices.insert(model.vertices.end(), source.vertices.begin(), source.vertices.end());
        for (const CFace& face : source.faces) {
            model.faces.push_back(face);
            for (int& v : model.faces.back().indices) {
                v += offset;
            }
        }
    }
    std::vector<std::size_t> removed = options.objects;
    std::sort(removed.begin(), removed.end(), std::greater<>());
    for (std::size_t m : removed) {
        if (prior) {
            prior->TakeRemoved(m, std::move(scene.models[m]));
        }
        scene.models.erase(scene.models.begin() + static_cast<std::ptrdiff_t>(m));
    }
    const auto below = static_cast<std::size_t>(std::count_if(
        removed.begin(), removed.end(), [&](std::size_t m) { return m < target.object; }));
    const std::size_t object = target.object - below;
    scene.currentModel = static_cast<int>(object);
    ModellingResult result;
    result.acted = options.objects.size();
    result.objectListChanged = true;
    FinishReshape(scene.models[object], object, result);
    PlaceGizmo(scene);
    return result;
}
