#include "edit/flood.h"

#include "edit/vertex_components.h"
#include "scene/model.h"

namespace {

void Mark(CFace& f, bool state) {
    f.selected = state;
    f.visited = true;
    f.SetAllEdges(state);
}

// The faces a flood reaches from a vertex are those joined to it by a chain of
// eligible faces sharing vertices: exactly the eligible faces in the vertex's
// connected component of the vertex-face graph. Two passes in face order find
// it without recursion and without the scattered reads of a walk; a forest
// over the vertices merges the corners of every eligible face. Hidden faces
// are never eligible: they neither join nor take a selection.
//
// Floods from `key` over the faces that are not `visited`, or over all faces
// when `freshWalk` (whose faces then all end with `visited` telling whether
// they were reached).
void Flood(CModel& model, int key, bool state, bool freshWalk) {
    VertexComponents components(model.vertices.size());
    for (const CFace& f : model.faces) {
        if (!f.hidden && (freshWalk || !f.visited)) {
            for (std::size_t k = 1; k < f.indices.size(); ++k) {
                components.Join(f.indices[0], f.indices[k]);
            }
        }
    }
    components.Flatten();
    const int component = components.Component(key);
    for (CFace& f : model.faces) {
        if (!freshWalk && f.visited) {
            continue;
        }
        if (!f.hidden && components.Component(f.indices[0]) == component) {
            Mark(f, state);
        } else if (freshWalk) {
            f.visited = false;
        }
    }
}

}  // namespace

void FloodSelect(CModel& model, int face, bool state) {
    Flood(model, model.faces[static_cast<std::size_t>(face)].indices[0], state, true);
}

void FloodFromVertex(CModel& model, int vertex, bool state) {
    Flood(model, vertex, state, false);
}
