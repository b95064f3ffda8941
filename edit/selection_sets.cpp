#include "edit/selection_sets.h"

#include <algorithm>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

SelectableKinds SelectableKindsOf(const CCentigrade& scene) {
    return {scene.vertexSelectable, scene.edgeSelectable, scene.faceSelectable};
}

std::vector<std::uint8_t> ClassifyVertices(const CModel& model, const std::vector<bool>& hidden) {
    std::vector<std::uint8_t> states(model.vertices.size(), 0);
    for (std::size_t v = 0; v < states.size(); ++v) {
        const CVector& vertex = model.vertices[v];
        const bool affected = vertex.selected || vertex.mark;
        const bool selectable = vertex.used && (hidden.empty() || !hidden[v]);
        states[v] = static_cast<std::uint8_t>((affected ? kVertexAffected : 0) |
                                              (selectable ? kVertexSelectable : 0));
    }
    return states;
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
    boxed_ = true;
}

bool ObjectSelection::AffectedBox(CVector& min, CVector& max) const {
    if (!affected_) {
        return false;
    }
    min = min_;
    max = max_;
    return true;
}

void ObjectSelection::Remark() {
    for (CVector& v : model_.vertices) {
        if (v.mark) {
            v.mark = false;
        }
    }
    remarking_ = true;
}

void ObjectSelection::Rewrite() {
    Remark();
    boxed_ = true;
}

void ObjectSelection::SetVertex(std::size_t vertex, bool on) {
    CVector& v = model_.vertices[vertex];
    if (v.selected != on) {
        v.selected = on;
        NoteVertex(vertex);
    }
    if (on) {
        Affect(v);
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
    if (!remarking_) {
        return;
    }
    // A selected face marks every corner; its edges can add none.
    if (selected) {
        for (int v : f.indices) {
            Mark(v);
        }
        return;
    }
    const std::size_t count =
        std::min(EdgeCount(f), static_cast<std::size_t>(f.edgeSelected.size()));
    for (std::size_t k = 0; k < count; ++k) {
        if (f.edgeSelected[k]) {
            Mark(f.indices[k]);
            Mark(f.indices[k + 1 == f.indices.size() ? 0 : k + 1]);
        }
    }
}

void ObjectSelection::TakeFace(std::size_t face, const SelectableKinds& kinds) {
    const CFace& f = model_.faces[face];
    const bool allEdges = kinds.faces || kinds.edges;
    unsigned edges = 0;
    for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
        edges |= (allEdges || f.edgeSelected[k] ? 1u : 0u) << k;
    }
    SetFaceFlags(face, kinds.faces || f.selected, edges);
    if (kinds.vertices) {
        for (int v : f.indices) {
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
        objects_[object].emplace(scene_, object, scene_.models[object]);
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
    bool boxed = true;
    for (std::size_t i = 0; i < objects_.size() && boxed; ++i) {
        boxed = !scene_.models[i].IsEditable() || (objects_[i] && objects_[i]->KnowsAffectedBox());
    }
    if (!boxed) {
        PlaceGizmo(scene_);
        return;
    }
    // Only what this command set is affected: the manipulator needs no pass
    // over the vertices.
    CVector min(1000000, 1000000, 1000000);
    CVector max(-1000000, -1000000, -1000000);
    scene_.showGizmo = false;
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        CVector low;
        CVector high;
        if (scene_.models[i].IsEditable() && objects_[i]->AffectedBox(low, high)) {
            ExtendBounds(low, min, max);
            ExtendBounds(high, min, max);
            scene_.showGizmo = true;
        }
    }
    scene_.gizmo = CVector((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}
