#include "edit/select_all.h"

#include <cstdint>
#include <vector>

#include "scene/face_rules.h"

namespace {

// Selects the vertices of `taken` (one byte per vertex) within `kinds`, the
// edges whose two ends it holds, the faces whose corners it all holds, and
// with `Replace` clears every other flag of the object; one pass over each
// array, writing only flags that change.
void SelectVertexSet(CModel& model, ObjectSelection& selection,
                     const std::vector<std::uint8_t>& taken, const SelectableKinds& kinds,
                     SelectionUpdate update) {
    const bool keep = update == SelectionUpdate::Add;
    selection.Remark();
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        const bool now = model.vertices[v].selected;
        selection.SetVertex(v, (kinds.vertices && taken[v] != 0) || (keep && now));
    }
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        const std::size_t n = f.indices.size();
        unsigned corners = 0;
        for (std::size_t k = 0; k < n && !f.hidden; ++k) {
            corners |= (taken[static_cast<std::size_t>(f.indices[k])] != 0 ? 1u : 0u) << k;
        }
        const bool whole = kinds.faces && n > 0 && corners == (1u << n) - 1;
        unsigned edges = 0;
        for (std::size_t k = 0; k < EdgeCount(n) && k < f.edgeSelected.size(); ++k) {
            const bool ends = (corners >> k & 1u) != 0 && (corners >> (k + 1) % n & 1u) != 0;
            const bool edge = whole || (kinds.edges && ends) || (keep && f.edgeSelected[k]);
            edges |= (edge ? 1u : 0u) << k;
        }
        selection.SetFaceFlags(r, whole || (keep && f.selected), edges);
    }
}

}  // namespace

void SelectAll(CCentigrade& scene) {
    ChangeEditableSelections(
        scene, SelectionUpdate::Add,
        [](CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
            std::vector<std::uint8_t> taken = selection.ClassifyVertices();
            for (std::uint8_t& state : taken) {
                state = state & kVertexSelectable;
            }
            SelectVertexSet(model, selection, taken, kinds, SelectionUpdate::Add);
        });
}

void SelectNone(CCentigrade& scene) {
    SceneSelection selection(scene);
    selection.ClearAll();
    selection.Finish();
}

void InvertSelection(CCentigrade& scene) {
    ChangeEditableSelections(
        scene, SelectionUpdate::Add,
        [](CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
            std::vector<std::uint8_t> taken = selection.ClassifyVertices();
            for (std::uint8_t& state : taken) {
                state = (state & (kVertexSelectable | kVertexAffected)) == kVertexSelectable;
            }
            SelectVertexSet(model, selection, taken, kinds, SelectionUpdate::Replace);
        });
}

void SelectByMaterial(CCentigrade& scene, int material, SelectionUpdate update) {
    ChangeEditableSelections(
        scene, update,
        [material](CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
            for (std::size_t r = 0; r < model.faces.size(); ++r) {
                const CFace& f = model.faces[r];
                if (!f.hidden && f.material == material) {
                    selection.TakeFace(r, kinds);
                }
            }
        });
}
