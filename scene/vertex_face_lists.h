// The faces around every vertex of an object, which the normal computation
// builds and the belt walk follows: for each vertex the faces that use it, in
// face order and once per use, with the corner of the face that does.
//
// All lists share two arrays indexed through one offset array, so a million
// vertices cost three blocks rather than a million small ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "scene/face.h"
#include "scene/large_array_allocator.h"

// The lists of one vertex.
struct VertexInfo {
    std::span<const int> faces;
    std::span<const std::uint8_t> corners;  // the corner of each face, 255 for 255 and beyond
};

class VertexFaceLists {
public:
    // Lists for vertices [0, vertexCount) from the corners of `faces`; corners
    // naming no such vertex are left out.
    void Build(const LargeArray<CFace>& faces, std::size_t vertexCount);
    void clear();

    // The number of vertices listed.
    std::size_t size() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
    bool empty() const { return size() == 0; }
    VertexInfo operator[](std::size_t vertex) const {
        const std::size_t first = offsets_[vertex];
        const std::size_t count = offsets_[vertex + 1] - first;
        return {{faces_.data() + first, count}, {corners_.data() + first, count}};
    }

    // The memory the lists hold.
    std::size_t CapacityBytes() const;

private:
    LargeArray<std::uint32_t> offsets_;  // vertex v's entries are [offsets_[v], offsets_[v + 1])
    LargeArray<int> faces_;
    LargeArray<std::uint8_t> corners_;
};
