#include "edit/flood.h"

#include <vector>

#include "edit/vertex_faces.h"
#include "scene/model.h"

namespace {

// Breadth-first over vertices with an explicit work list: a mesh of a million
// faces would overflow the stack with one call per face. A vertex is expanded
// once; a second expansion could only find faces already visited.
void Flood(CModel& model, std::vector<int>& pending, bool state) {
    std::vector<bool> expanded(model.vertices.size(), false);
    while (!pending.empty()) {
        const int key = pending.back();
        pending.pop_back();
        if (expanded[static_cast<std::size_t>(key)]) {
            continue;
        }
        expanded[static_cast<std::size_t>(key)] = true;
        for (int p : model.vertexInfo[static_cast<std::size_t>(key)].faces) {
            CFace& face = model.faces[static_cast<std::size_t>(p)];
            if (face.visited) {
                continue;
            }
            face.selected = state;
            face.visited = true;
            face.SetAllEdges(state);
            for (int v : face.indices) {
                if (v != key && !expanded[static_cast<std::size_t>(v)]) {
                    pending.push_back(v);
                }
            }
        }
    }
}

}  // namespace

void FloodSelect(CModel& model, int face, bool state) {
    for (CFace& f : model.faces) {
        f.visited = false;
    }
    EnsureVertexFaces(model);
    const auto& corners = model.faces[static_cast<std::size_t>(face)].indices;
    std::vector<int> pending(corners.begin(), corners.end());
    Flood(model, pending, state);
}

void FloodFromVertex(CModel& model, int vertex, bool state) {
    EnsureVertexFaces(model);
    std::vector<int> pending = {vertex};
    Flood(model, pending, state);
}
