#include "edit/hide.h"

#include <cstdint>
#include <vector>

#include "edit/selection_sets.h"
#include "scene/face_rules.h"

namespace {

// Hides the visible faces `hide` names, then drops the selection of the
// vertices of `dropped` (filled in by `drop`, given the hidden faces) and of
// visible faces' edges whose two ends lie in it.
template <typename Drop>
void Hide(CModel& model, ObjectSelection& selection, const std::vector<std::uint8_t>& hide,
          Drop drop) {
    bool any = false;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        if (hide[r] != 0) {
            CFace& f = model.faces[r];
            f.hidden = true;
            selection.SetFace(r, false);
            selection.SetEdges(r, false);
            any = true;
        }
    }
    if (!any) {
        return;
    }
    model.TouchTopology();
    const std::vector<std::uint8_t> dropped = drop();
    for (std::size_t v = 0; v < dropped.size(); ++v) {
        if (dropped[v] != 0) {
            selection.SetVertex(v, false);
        }
    }
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        const std::size_t n = f.indices.size();
        for (std::size_t k = 0; !f.hidden && k < EdgeCount(n) && k < f.edgeSelected.size(); ++k) {
            const auto a = static_cast<std::size_t>(f.indices[k]);
            const auto b = static_cast<std::size_t>(f.indices[(k + 1) % n]);
            if (dropped[a] != 0 && dropped[b] != 0) {
                selection.SetEdge(r, k, false);
            }
        }
    }
}

// One byte per face of `model`: the visible faces whose selection is `selected`.
std::vector<std::uint8_t> VisibleFaces(const CModel& model, bool selected) {
    std::vector<std::uint8_t> faces(model.faces.size(), 0);
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        faces[r] = !f.hidden && IsFaceSelected(model, f) == selected ? 1 : 0;
    }
    return faces;
}

}  // namespace

void HideSelected(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add,
                             [](CModel& model, ObjectSelection& selection, const SelectableKinds&) {
                                 const std::vector<std::uint8_t> hide = VisibleFaces(model, true);
                                 Hide(model, selection, hide, [&] {
                                     std::vector<std::uint8_t> corners(model.vertices.size(), 0);
                                     for (std::size_t r = 0; r < model.faces.size(); ++r) {
                                         if (hide[r] != 0) {
                                             for (int v : model.faces[r].indices) {
                                                 corners[static_cast<std::size_t>(v)] = 1;
                                             }
                                         }
                                     }
                                     return corners;
                                 });
                             });
}

void HideUnselected(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add,
                             [](CModel& model, ObjectSelection& selection, const SelectableKinds&) {
                                 Hide(model, selection, VisibleFaces(model, false), [&] {
                                     const std::vector<bool> hidden = HiddenVertices(model);
                                     return std::vector<std::uint8_t>(hidden.begin(), hidden.end());
                                 });
                             });
}

void RevealHidden(CCentigrade& scene) {
    ChangeEditableSelections(
        scene, SelectionUpdate::Add,
        [](CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
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
        });
}
