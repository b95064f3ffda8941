#include "edit/flood.h"

#include <cstdint>
#include <vector>

#include "edit/parallel.h"
#include "edit/vertex_faces.h"
#include "scene/model.h"

namespace {

// Finds the faces reachable from `seeds` over faces not `visited` (all faces
// count as unvisited when `ignoreVisited`), breadth first over vertices with
// an explicit queue: a mesh of a million faces would overflow the stack with
// one call per face. A vertex is expanded once; a second expansion could only
// find faces already reached. Nothing is changed here, so a walk abandoned on
// a stale face list leaves no trace. False when a stale list was met.
bool FindReached(const CModel& model, const std::vector<int>& seeds, bool ignoreVisited,
                 std::vector<std::uint8_t>& reached) {
    reached.assign(model.faces.size(), 0);
    std::vector<std::uint8_t> expanded(model.vertices.size(), 0);
    std::vector<int> queue(seeds);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int key = queue[head];
        if (expanded[static_cast<std::size_t>(key)]) {
            continue;
        }
        expanded[static_cast<std::size_t>(key)] = 1;
        if (!VertexFaceListIsConsistent(model, key)) {
            return false;
        }
        for (int p : model.vertexInfo[static_cast<std::size_t>(key)].faces) {
            const auto face = static_cast<std::size_t>(p);
            if (reached[face] || (!ignoreVisited && model.faces[face].visited)) {
                continue;
            }
            reached[face] = 1;
            for (int v : model.faces[face].indices) {
                if (!expanded[static_cast<std::size_t>(v)]) {
                    queue.push_back(v);
                }
            }
        }
    }
    return true;
}

void Mark(CFace& f, bool state) {
    f.selected = state;
    f.visited = true;
    f.SetAllEdges(state);
}

}  // namespace

void FloodSelect(CModel& model, int face, bool state) {
    const auto& corners = model.faces[static_cast<std::size_t>(face)].indices;
    const std::vector<int> seeds(corners.begin(), corners.end());
    std::vector<std::uint8_t> reached;
    WithVertexFaces(model, [&] { return FindReached(model, seeds, true, reached); });
    ForParts(model.faces.size(),
             [&model, &reached, state](int, std::size_t begin, std::size_t end) {
                 for (std::size_t r = begin; r < end; ++r) {
                     if (reached[r]) {
                         Mark(model.faces[r], state);
                     } else {
                         model.faces[r].visited = false;
                     }
                 }
             });
}

void FloodFromVertex(CModel& model, int vertex, bool state) {
    std::vector<std::uint8_t> reached;
    WithVertexFaces(model, [&] { return FindReached(model, {vertex}, false, reached); });
    for (std::size_t r = 0; r < reached.size(); ++r) {
        if (reached[r]) {
            Mark(model.faces[r], state);
        }
    }
}
