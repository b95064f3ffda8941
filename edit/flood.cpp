#include "edit/flood.h"

#include <numeric>
#include <vector>

#include "scene/model.h"

namespace {

// The faces a flood reaches from a vertex are those joined to it by a chain of
// eligible faces sharing vertices: exactly the eligible faces in the vertex's
// connected component of the vertex-face graph. Two passes in face order find
// it without recursion and without the scattered reads of a walk; a forest
// over the vertices merges the corners of every eligible face.
class VertexComponents {
public:
    explicit VertexComponents(std::size_t vertexCount) : parent_(vertexCount) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }

    void Join(int a, int b) {
        a = Root(a);
        b = Root(b);
        if (a != b) {
            // The larger root joins the smaller, which keeps trees shallow for
            // meshes whose faces run in vertex order.
            parent_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
        }
    }

    // After this every vertex points straight at its root. Every vertex points
    // at a smaller one, so in vertex order each parent is already flattened.
    void Flatten() {
        for (std::size_t v = 0; v < parent_.size(); ++v) {
            parent_[v] = parent_[static_cast<std::size_t>(parent_[v])];
        }
    }

    int Component(int v) const { return parent_[static_cast<std::size_t>(v)]; }

    int Root(int v) {
        while (parent_[static_cast<std::size_t>(v)] != v) {
            int& up = parent_[static_cast<std::size_t>(v)];
            up = parent_[static_cast<std::size_t>(up)];
            v = up;
        }
        return v;
    }

private:
    std::vector<int> parent_;
};

void Mark(CFace& f, bool state) {
    f.selected = state;
    f.visited = true;
    f.SetAllEdges(state);
}

// Floods from `key` over the faces that are not `visited`, or over all faces
// when `freshWalk` (whose faces then all end with `visited` telling whether
// they were reached).
void Flood(CModel& model, int key, bool state, bool freshWalk) {
    VertexComponents components(model.vertices.size());
    for (const CFace& f : model.faces) {
        if (freshWalk || !f.visited) {
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
        if (components.Component(f.indices[0]) == component) {
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
