#include "modelling/object_edit.h"

#include <algorithm>
#include <utility>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/prior_state.h"

Target CurrentEditableObject(const CCentigrade& scene) {
    const int current = scene.currentModel;
    if (current < 0 || static_cast<std::size_t>(current) >= scene.models.size()) {
        return {Refusal::NoCurrentObject, 0};
    }
    const CModel& model = scene.models[static_cast<std::size_t>(current)];
    if (model.IsHidden()) {
        return {Refusal::CurrentObjectHidden, 0};
    }
    if (!model.IsEditable()) {
        return {Refusal::CurrentObjectLocked, 0};
    }
    return {Refusal::None, static_cast<std::size_t>(current)};
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

std::size_t AddObject(CCentigrade& scene, CModel&& model) {
    model.id = ++scene.modelSerial;
    scene.models.push_back(std::move(model));
    return scene.models.size() - 1;
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

bool AnyFaceSelected(const CModel& model) {
    return std::any_of(model.faces.begin(), model.faces.end(),
                       [](const CFace& f) { return f.selected; });
}

void BeforeChange(PriorState* prior, std::size_t object, const CModel& model) {
    if (prior) {
        prior->CopyArrays(object, model);
    }
}

void ReplaceFaces(CModel& model, std::size_t object, LargeArray<CFace>&& faces, PriorState* prior) {
    if (prior && !prior->HoldsArrays(object)) {
        prior->TakeArrays(object, LargeArray<CVector>(model.vertices), std::move(model.faces));
    }
    model.faces = std::move(faces);
}

void ReplaceArrays(CModel& model, std::size_t object, LargeArray<CVector>&& vertices,
                   LargeArray<CFace>&& faces, PriorState* prior) {
    if (prior && !prior->HoldsArrays(object)) {
        prior->TakeArrays(object, std::move(model.vertices), std::move(model.faces));
    }
    model.vertices = std::move(vertices);
    model.faces = std::move(faces);
}

void GrowArrays(CModel& model, std::size_t object, std::size_t vertices, std::size_t faces,
                PriorState* prior) {
    if (prior && !prior->HoldsArrays(object)) {
        LargeArray<CVector> grownVertices;
        grownVertices.reserve(model.vertices.size() + vertices);
        grownVertices.assign(model.vertices.begin(), model.vertices.end());
        LargeArray<CFace> grownFaces;
        grownFaces.reserve(model.faces.size() + faces);
        grownFaces.assign(model.faces.begin(), model.faces.end());
        ReplaceArrays(model, object, std::move(grownVertices), std::move(grownFaces), prior);
        return;
    }
    model.vertices.reserve(model.vertices.size() + vertices);
    model.faces.reserve(model.faces.size() + faces);
}

void ClearObjectSelection(CModel& model) {
    ClearSelectionOf(model);
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

void SetUsedFlags(CModel& model) {
    std::vector<bool> referenced(model.vertices.size(), false);
    for (const CFace& face : model.faces) {
        for (int v : face.indices) {
            referenced[static_cast<std::size_t>(v)] = true;
        }
    }
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if (model.vertices[v].used != referenced[v]) {
            model.vertices[v].used = referenced[v];
        }
    }
}

void FinishReshape(CModel& model, std::size_t object, ModellingResult& result) {
    SetUsedFlags(model);
    ClearMarksOf(model);
    MarkSelectedCorners(model);
    model.TouchTopology();
    model.TouchPositions();
    model.TouchSelection();
    if (std::find(result.reshaped.begin(), result.reshaped.end(), object) ==
        result.reshaped.end()) {
        result.reshaped.push_back(object);
    }
}

void PlaceManipulator(CCentigrade& scene) {
    PlaceGizmo(scene);
}
