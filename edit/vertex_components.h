// The connected components of an object's vertex-face graph: two vertices lie
// in one component when a chain of faces sharing vertices joins them.
#pragma once

#include <algorithm>
#include <numeric>
#include <vector>

// A forest over the vertices; Join merges the components of two vertices.
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

    // The root of v's component; valid after Flatten.
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
