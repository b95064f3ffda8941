#include "scene/vertex_face_lists.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

void VertexFaceLists::Build(const LargeArray<CFace>& faces, std::size_t vertexCount) {
    // A counting sort: the uses of each vertex are counted, the counts give
    // every list its place, and a second walk over the faces fills the places
    // in face order.
    offsets_.assign(vertexCount + 1, 0);
    std::size_t total = 0;
    for (const CFace& f : faces) {
        for (int v : f.indices) {
            if (v >= 0 && static_cast<std::size_t>(v) < vertexCount) {
                ++offsets_[static_cast<std::size_t>(v) + 1];
                ++total;
            }
        }
    }
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("too many corners for the vertex face lists");
    }
    for (std::size_t v = 0; v < vertexCount; ++v) {
        offsets_[v + 1] += offsets_[v];
    }
    faces_.resize(total);
    corners_.resize(total);
    // offsets_[v] serves as the fill position of vertex v and ends as the
    // start of v + 1; one shift puts every start back.
    for (std::size_t r = 0; r < faces.size(); ++r) {
        const CFace& f = faces[r];
        for (std::size_t c = 0; c < f.indices.size(); ++c) {
            const int v = f.indices[c];
            if (v >= 0 && static_cast<std::size_t>(v) < vertexCount) {
                const std::uint32_t at = offsets_[static_cast<std::size_t>(v)]++;
                faces_[at] = static_cast<int>(r);
                corners_[at] = static_cast<std::uint8_t>(std::min<std::size_t>(c, 255));
            }
        }
    }
    std::copy_backward(offsets_.begin(), offsets_.end() - 1, offsets_.end());
    offsets_[0] = 0;
}

void VertexFaceLists::clear() {
    offsets_.clear();
    faces_.clear();
    corners_.clear();
}

std::size_t VertexFaceLists::CapacityBytes() const {
    return offsets_.capacity() * sizeof(std::uint32_t) + faces_.capacity() * sizeof(int) +
           corners_.capacity() * sizeof(std::uint8_t);
}
