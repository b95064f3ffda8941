#include "edit/select_grow.h"

#include <cstdint>
#include <vector>

#include "edit/selection_sets.h"
#include "edit/vertex_components.h"

namespace {

bool TouchesAny(const CFace& f, const std::vector<std::uint8_t>& vertices, std::uint8_t bit) {
    for (int v : f.indices) {
        if ((vertices[static_cast<std::size_t>(v)] & bit) != 0) {
            return true;
        }
    }
    return false;
}

void Grow(CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
    const std::vector<std::uint8_t> states = selection.ClassifyVertices();
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        if (!f.hidden && TouchesAny(f, states, kVertexAffected)) {
            selection.TakeFace(r, kinds);
        }
    }
}

// Every face's and vertex's final flags are written, so that a shrink that
// keeps everything changes nothing.
void Shrink(CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
    std::vector<std::uint8_t> selected(model.faces.size(), 0);
    std::vector<std::uint8_t> outside(model.vertices.size(), 0);
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        if (f.hidden) {
            continue;
        }
        selected[r] = IsFaceSelected(model, f) ? 1 : 0;
        if (selected[r] == 0) {
            for (int v : f.indices) {
                outside[static_cast<std::size_t>(v)] = 1;
            }
        }
    }
    std::vector<std::uint8_t> kept(model.vertices.size(), 0);
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        if (selected[r] == 0 || TouchesAny(model.faces[r], outside, 1)) {
            selected[r] = 0;
            continue;
        }
        for (int v : model.faces[r].indices) {
            kept[static_cast<std::size_t>(v)] = 1;
        }
    }
    selection.Remark();
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        selection.SetVertex(v, kinds.vertices && kept[v] != 0);
    }
    const bool edges = kinds.faces || kinds.edges;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const bool keep = selected[r] != 0;
        selection.SetFaceFlags(r, keep && kinds.faces, keep && edges ? ~0u : 0u);
    }
}

void Link(CModel& model, ObjectSelection& selection, const SelectableKinds& kinds) {
    const std::vector<std::uint8_t> states = selection.ClassifyVertices();
    VertexComponents components(model.vertices.size());
    for (const CFace& f : model.faces) {
        if (!f.hidden) {
            for (std::size_t k = 1; k < f.indices.size(); ++k) {
                components.Join(f.indices[0], f.indices[k]);
            }
        }
    }
    components.Flatten();
    std::vector<std::uint8_t> reached(model.vertices.size(), 0);
    for (std::size_t v = 0; v < states.size(); ++v) {
        if ((states[v] & kVertexAffected) != 0) {
            reached[static_cast<std::size_t>(components.Component(static_cast<int>(v)))] = 1;
        }
    }
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        if (!f.hidden && !f.indices.empty() &&
            reached[static_cast<std::size_t>(components.Component(f.indices[0]))] != 0) {
            selection.TakeFace(r, kinds);
        }
    }
}

}  // namespace

void GrowSelection(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, Grow);
}

void ShrinkSelection(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, Shrink);
}

void SelectLinked(CCentigrade& scene) {
    ChangeEditableSelections(scene, SelectionUpdate::Add, Link);
}
