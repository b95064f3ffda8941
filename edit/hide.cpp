#include "edit/hide.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "edit/selection_sets.h"
#include "scene/face_rules.h"

namespace {

// Hides the visible faces for which hides(face) holds (asked before any flag
// changes) and clears their flags; then drops the selection of the vertices
// drop(corners) names (one byte per vertex, given the corners of the faces
// hidden) and of the visible faces' edges whose two ends it names. The marks
// are rebuilt on the way.
template <typename Hides, typename Drop>
void Hide(CModel& model, ObjectSelection& selection, Hides hides, Drop drop) {
    std::vector<std::uint8_t> corners(model.vertices.size(), 0);
    std::vector<std::size_t> flagged;  // visible faces with a flag set
    bool any = false;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        CFace& f = model.faces[r];
        if (f.hidden) {
            continue;
        }
        if (!hides(f)) {
            if (f.selected || std::find(f.edgeSelected.begin(), f.edgeSelected.end(), true) !=
                                  f.edgeSelected.end()) {
                flagged.push_back(r);
            }
            continue;
        }
        f.hidden = true;
        selection.SetFaceFlags(r, false, 0);
        for (int v : f.indices) {
            corners[static_cast<std::size_t>(v)] = 1;
        }
        any = true;
    }
    if (!any) {
        return;
    }
    model.TouchTopology();
    const std::vector<std::uint8_t> dropped = drop(std::move(corners));
    for (std::size_t v = 0; v < dropped.size(); ++v) {
        if (dropped[v] != 0) {
            selection.SetVertex(v, false);
        }
    }
    // Only flagged faces mark vertices.
    selection.Remark();
    for (std::size_t r : flagged) {
        const CFace& f = model.faces[r];
        const std::size_t n = f.indices.size();
        unsigned edges = 0;
        for (std::size_t k = 0; k < f.edgeSelected.size(); ++k) {
            const bool droppedEnds = k < EdgeCount(n) &&
                                     dropped[static_cast<std::size_t>(f.indices[k])] != 0 &&
                                     dropped[static_cast<std::size_t>(f.indices[(k + 1) % n])] != 0;
            edges |= (f.edgeSelected[k] && !droppedEnds ? 1u : 0u) << k;
        }
        selection.SetFaceFlags(r, f.selected, edges);
    }
}

void HideSelectedOf(CModel& model, ObjectSelection& selection, const SelectableKinds&) {
    Hide(
        model, selection, [&model](const CFace& f) { return IsFaceSelected(model, f); },
        [](std::vector<std::uint8_t> corners) { return corners; });
}

void HideUnselectedOf(CModel& model, ObjectSelection& selection, const SelectableKinds&) {
    Hide(
        model, selection, [&model](const CFace& f) { return !IsFaceSelected(model, f); },
        [&model](std::vector<std::uint8_t> corners) {
            const std::vector<bool> hidden = HiddenVertices(model);
            for (std::size_t v = 0; v < corners.size(); ++v) {
                corners[v] = corners[v] != 0 && hidden[v] ? 1 : 0;
            }
            return corners;
        });
}

void RevealHiddenOf(CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
    bool any = false;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        if (model.faces[r].hidden) {
            model.faces[r].hidden = false;
            selection.TakeFace(r, kinds);
            any = true;
        }
    }
    if (any) {
        model.TouchTopology();
    }
}

}  // namespace

void HideSelected(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, HideSelectedOf);
}

void HideUnselected(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, HideUnselectedOf);
}

void RevealHidden(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, RevealHiddenOf);
}
