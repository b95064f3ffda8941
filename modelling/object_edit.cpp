#include "modelling/object_edit.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/prior_state.h"

Target CurrentEditableObject(const CCentigrade& scene) {
    const int current = scene.currentModel;
    if (current < 0 || static_cast<std::size_t>(current) >= scene.models.size()) {
        return {ModellingRefusal::NoCurrentObject, 0};
    }
    const CModel& model = scene.models[static_cast<std::size_t>(current)];
    if (model.IsHidden()) {
        return {ModellingRefusal::CurrentObjectHidden, 0};
    }
    if (!model.IsEditable()) {
        return {ModellingRefusal::CurrentObjectLocked, 0};
    }
    return {ModellingRefusal::None, static_cast<std::size_t>(current)};
}

int MaterialForNewFaces(CCentigrade& scene, ModellingResult& result) {
    const int current = scene.currentMaterial;
    if (current >= 0 && static_cast<std::size_t>(current) < scene.materials.size()) {
        return scene.materials[static_cast<std::size_t>(current)].id;
    }
    if (scene.materials.empty()) {
        scene.materials.emplace_back(scene.materialSerial++);
        result.materialAdded = true;
    }
    return scene.materials.front().id;
}

std::string UnusedObjectName(const CCentigrade& scene, const std::string& base) {
    const auto taken = [&scene](const std::string& name) {
        return std::any_of(scene.models.begin(), scene.models.end(),
                           [&name](const CModel& m) { return m.name == name; });
    };
    if (!taken(base)) {
        return base;
    }
    for (std::size_t n = 2;; ++n) {
        std::string name = base + std::to_string(n);
        if (!taken(name)) {
            return name;
        }
    }
}

std::size_t AddCurrentObject(CCentigrade& scene, CModel&& model, ModellingResult& result,
                             PriorState* prior) {
    model.id = ++scene.modelSerial;
    scene.models.push_back(std::move(model));
    const std::size_t object = scene.models.size() - 1;
    ClearOtherSelections(scene, object, prior);
    scene.currentModel = static_cast<int>(object);
    result.objectListChanged = true;
    FinishReshape(scene.models[object], object, result);
    return object;
}

std::vector<bool> AffectedVertices(const CModel& model) {
    std::vector<bool> affected(model.vertices.size(), false);
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        affected[v] = model.vertices[v].selected;
    }
    for (const CFace& face : model.faces) {
        ForEachMarkedCorner(face,
                            [&affected](int v) { affected[static_cast<std::size_t>(v)] = true; });
    }
    return affected;
}

Target CurrentObjectWithSelectedFaces(const CCentigrade& scene) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return target;
    }
    const LargeArray<CFace>& faces = scene.models[target.object].faces;
    if (std::none_of(faces.begin(), faces.end(), [](const CFace& f) { return f.selected; })) {
        return {ModellingRefusal::NoFaceSelected, 0};
    }
    return target;
}

void BeginInPlace(PriorState* prior, std::size_t object, const CModel& model) {
    if (prior) {
        prior->BeginInPlace(object, model);
    }
}

void KeepFace(PriorState* prior, std::size_t object, std::size_t face, const CFace& record) {
    if (prior) {
        prior->KeepFace(object, face, record);
    }
}

void ReplaceFaces(CModel& model, std::size_t object, LargeArray<CFace>&& faces, PriorState* prior) {
    if (prior && !prior->Holds(object)) {
        prior->TakeArrays(object, LargeArray<CVector>(model.vertices), std::move(model.faces));
    }
    model.faces = std::move(faces);
}

void ReplaceArrays(CModel& model, std::size_t object, LargeArray<CVector>&& vertices,
                   LargeArray<CFace>&& faces, PriorState* prior) {
    if (prior && !prior->Holds(object)) {
        prior->TakeArrays(object, std::move(model.vertices), std::move(model.faces));
    }
    model.vertices = std::move(vertices);
    model.faces = std::move(faces);
}

void GrowArrays(CModel& model, std::size_t object, std::size_t vertices, std::size_t faces,
                PriorState* prior) {
    BeginInPlace(prior, object, model);
    model.vertices.reserve(model.vertices.size() + vertices);
    model.faces.reserve(model.faces.size() + faces);
}

namespace {

bool HasSelection(const CModel& model) {
    const auto selectedVertex = [](const CVector& v) { return v.selected; };
    const auto selectedFace = [](const CFace& f) {
        return f.selected ||
               std::any_of(f.edgeSelected.begin(), f.edgeSelected.end(), [](bool e) { return e; });
    };
    return std::any_of(model.vertices.begin(), model.vertices.end(), selectedVertex) ||
           std::any_of(model.faces.begin(), model.faces.end(), selectedFace);
}

void ClearMarksOf(CModel& model) {
    for (CVector& v : model.vertices) {
        if (v.mark) {
            v.mark = false;
        }
    }
}

}  // namespace

void ClearOtherSelections(CCentigrade& scene, std::size_t keep, PriorState* prior) {
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        CModel& model = scene.models[m];
        if (m == keep || !HasSelection(model)) {
            continue;
        }
        if (prior) {
            prior->CopyFlags(m, model);
        }
        ClearSelectionOf(model);
        ClearMarksOf(model);
    }
}

// One pass over the faces finds the vertices they use and those their
// selection marks; one over the vertices writes the flags that differ.
void FinishReshape(CModel& model, std::size_t object, ModellingResult& result) {
    constexpr std::uint8_t kUsed = 1;
    constexpr std::uint8_t kMarked = 2;
    std::vector<std::uint8_t> state(model.vertices.size(), 0);
    for (const CFace& face : model.faces) {
        for (int v : face.indices) {
            state[static_cast<std::size_t>(v)] |= kUsed;
        }
        ForEachMarkedCorner(face,
                            [&state](int v) { state[static_cast<std::size_t>(v)] |= kMarked; });
    }
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        CVector& vertex = model.vertices[v];
        const bool used = (state[v] & kUsed) != 0;
        const bool marked = (state[v] & kMarked) != 0;
        if (vertex.used != used || vertex.mark != marked) {
            vertex.used = used;
            vertex.mark = marked;
        }
    }
    model.TouchTopology();
    model.TouchPositions();
    model.TouchSelection();
    if (std::find(result.reshaped.begin(), result.reshaped.end(), object) ==
        result.reshaped.end()) {
        result.reshaped.push_back(object);
    }
}
