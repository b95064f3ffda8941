#include "edit/select_all.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "scene/face_rules.h"

namespace {

// Bit k for edge flag k.
unsigned EdgeBits(const CFace& f) {
    unsigned bits = 0;
    for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
        bits |= (f.edgeSelected[k] ? 1u : 0u) << k;
    }
    return bits;
}

// Selects the vertices of `taken` (one byte per vertex) within `kinds`, the
// edges whose two ends it holds, the faces whose corners it all holds, and
// with `Replace` clears every other flag of the object; one pass over each
// array, writing only flags that change.
void SelectVertexSet(CModel& model, ObjectSelection& selection,
                     const std::vector<std::uint8_t>& taken, const SelectableKinds& kinds,
                     SelectionUpdate update) {
    const bool keep = update == SelectionUpdate::Add;
    selection.Rewrite();
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
        const unsigned everyCorner = (1u << n) - 1;
        const bool whole = kinds.faces && n > 0 && corners == everyCorner;
        const unsigned edgeMask =
            (1u << std::min(EdgeCount(n), static_cast<std::size_t>(f.edgeSelected.size()))) - 1;
        unsigned edges = whole ? edgeMask : 0;
        if (kinds.edges && n > 0) {
            // Bit k: corner k and the next one, the last corner's next being the first.
            edges |= corners & ((corners >> 1) | (corners << (n - 1)));
        }
        if (keep) {
            edges |= EdgeBits(f);
        }
        selection.SetFaceFlags(r, whole || (keep && f.selected), edges & edgeMask);
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
