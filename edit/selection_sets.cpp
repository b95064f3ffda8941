#include "edit/selection_sets.h"

#include <algorithm>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

SelectableKinds SelectableKindsOf(const CCentigrade& scene) {
    return {scene.vertexSelectable, scene.edgeSelectable, scene.faceSelectable};
}

namespace {

// Bits of a vertex's uses, gathered face by face.
constexpr std::uint8_t kOnFace = 4;
constexpr std::uint8_t kOnVisibleFace = 8;

void NoteUses(const CFace& f, std::vector<std::uint8_t>& states) {
    const std::uint8_t use = f.hidden ? kOnFace : kOnFace | kOnVisibleFace;
    for (int v : f.indices) {
        states[static_cast<std::size_t>(v)] |= use;
    }
}

bool OnlyOnHiddenFaces(std::uint8_t uses) {
    return (uses & (kOnFace | kOnVisibleFace)) == kOnFace;
}

}  // namespace

std::vector<std::uint8_t> ClassifyVertices(const CModel& model) {
    std::vector<std::uint8_t> states(model.vertices.size(), 0);
    for (const CFace& f : model.faces) {
        NoteUses(f, states);
        if (!f.hidden) {
            ForEachMarkedCorner(
                f, [&states](int v) { states[static_cast<std::size_t>(v)] |= kVertexAffected; });
        }
    }
    for (std::size_t v = 0; v < states.size(); ++v) {
        const CVector& vertex = model.vertices[v];
        std::uint8_t state = states[v] & kVertexAffected;
        if (vertex.selected) {
            state |= kVertexAffected;
        }
        if (vertex.used && !OnlyOnHiddenFaces(states[v])) {
            state |= kVertexSelectable;
        }
        states[v] = state;
    }
    return states;
}

std::vector<bool> HiddenVertices(const CModel& model) {
    const bool anyHidden = std::any_of(model.faces.begin(), model.faces.end(),
                                       [](const CFace& f) { return f.hidden; });
    if (!anyHidden) {
        return {};
    }
    std::vector<std::uint8_t> uses(model.vertices.size(), 0);
    for (const CFace& f : model.faces) {
        NoteUses(f, uses);
    }
    std::vector<bool> hidden(uses.size());
    for (std::size_t v = 0; v < uses.size(); ++v) {
        hidden[v] = OnlyOnHiddenFaces(uses[v]);
    }
    return hidden;
}

const std::vector<bool>& HiddenVerticesOf(const CCentigrade& scene, std::size_t object) {
    scene.pickCaches.resize(scene.models.size());
    const CModel& model = scene.models[object];
    ObjectPickCache& cache = scene.pickCaches[object];
    if (cache.hiddenTopology != model.topologyRevision ||
        (!cache.hiddenVertices.empty() && cache.hiddenVertices.size() != model.vertices.size())) {
        cache.hiddenVertices = HiddenVertices(model);
        cache.hiddenTopology = model.topologyRevision;
    }
    return cache.hiddenVertices;
}

bool IsFaceSelected(const CModel& model, const CFace& face) {
    if (face.selected) {
        return true;
    }
    const std::size_t edges = EdgeCount(face);
    if (edges > 0 && face.edgeSelected.size() >= edges) {
        bool all = true;
        for (std::size_t k = 0; k < edges && all; ++k) {
            all = face.edgeSelected[k];
        }
        if (all) {
            return true;
        }
    }
    for (int v : face.indices) {
        if (!model.vertices[static_cast<std::size_t>(v)].selected) {
            return false;
        }
    }
    return !face.indices.empty();
}

void ObjectSelection::ClearAll() {
    for (std::size_t v = 0; v < model_.vertices.size(); ++v) {
        CVector& vertex = model_.vertices[v];
        if (vertex.selected) {
            vertex.selected = false;
            NoteVertex(v);
        }
        if (vertex.mark) {
            vertex.mark = false;
        }
    }
    for (std::size_t r = 0; r < model_.faces.size(); ++r) {
        CFace& f = model_.faces[r];
        bool any = f.selected;
        for (bool edge : f.edgeSelected) {
            any = any || edge;
        }
        if (any) {
            ClearFlags(f);
            NoteFace(r);
        }
    }
    remarking_ = true;
}

void ObjectSelection::Remark() {
    for (CVector& v : model_.vertices) {
        if (v.mark) {
            v.mark = false;
        }
    }
    remarking_ = true;
}

void ObjectSelection::SetVertex(std::size_t vertex, bool on) {
    CVector& v = model_.vertices[vertex];
    if (v.selected != on) {
        v.selected = on;
        NoteVertex(vertex);
    }
}

void ObjectSelection::SetEdge(std::size_t face, std::size_t edge, bool on) {
    CFace& f = model_.faces[face];
    if (edge >= f.edgeSelected.size()) {
        return;
    }
    if (f.edgeSelected[edge] != on) {
        f.edgeSelected[edge] = on;
        NoteFace(face);
    }
    const std::size_t n = f.indices.size();
    if (on && remarking_ && edge < EdgeCount(n)) {
        Mark(f.indices[edge]);
        Mark(f.indices[(edge + 1) % n]);
    }
}

void ObjectSelection::SetEdges(std::size_t face, bool on) {
    const std::size_t edges = model_.faces[face].edgeSelected.size();
    for (std::size_t k = 0; k < edges; ++k) {
        SetEdge(face, k, on);
    }
}

void ObjectSelection::SetFace(std::size_t face, bool on) {
    CFace& f = model_.faces[face];
    if (f.selected != on) {
        f.selected = on;
        NoteFace(face);
    }
    if (on && remarking_) {
        for (int v : f.indices) {
            Mark(v);
        }
    }
}

void ObjectSelection::SetFaceFlags(std::size_t face, bool selected, unsigned edges) {
    CFace& f = model_.faces[face];
    bool changed = f.selected != selected;
    if (changed) {
        f.selected = selected;
    }
    for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
        const bool on = (edges >> k & 1u) != 0;
        if (f.edgeSelected[k] != on) {
            f.edgeSelected[k] = on;
            changed = true;
        }
    }
    if (changed) {
        NoteFace(face);
    }
    if (remarking_) {
        ForEachMarkedCorner(f, [this](int v) { Mark(v); });
    }
}

void ObjectSelection::TakeFace(std::size_t face, const SelectableKinds& kinds) {
    if (kinds.faces) {
        SetFace(face, true);
    }
    if (kinds.faces || kinds.edges) {
        SetEdges(face, true);
    }
    if (kinds.vertices) {
        for (int v : model_.faces[face].indices) {
            SetVertex(static_cast<std::size_t>(v), true);
        }
    }
}

void ObjectSelection::Touch() {
    if (!vertices_.Empty() || !faces_.Empty()) {
        model_.TouchSelection(vertices_, faces_);
    }
}

SceneSelection::SceneSelection(CCentigrade& scene)
    : scene_(scene), kinds_(SelectableKindsOf(scene)), objects_(scene.models.size()) {}

ObjectSelection& SceneSelection::Of(std::size_t object) {
    if (!objects_[object]) {
        objects_[object].emplace(scene_.models[object]);
    }
    return *objects_[object];
}

void SceneSelection::ClearAll() {
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        Of(i).ClearAll();
    }
}

void SceneSelection::Finish() {
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        if (objects_[i]) {
            objects_[i]->Touch();
        }
        if (!objects_[i] || !objects_[i]->Remarking()) {
            CModel& model = scene_.models[i];
            for (CVector& v : model.vertices) {
                if (v.mark) {
                    v.mark = false;
                }
            }
            MarkSelectedCorners(model);
        }
    }
    PlaceGizmo(scene_);
}
