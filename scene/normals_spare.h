// The face and corner normals an object computed for coordinates it had
// before, with what they were computed from. Undoing or redoing a move of a
// whole object brings those coordinates back bit for bit, and with them these
// normals, which then need no computing. It is a cache of its object: a copy
// of the object starts without one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scene/large_array_allocator.h"
#include "scene/vector.h"

struct NormalsSpare {
    NormalsSpare() = default;
    NormalsSpare(const NormalsSpare&) {}
    NormalsSpare& operator=(const NormalsSpare&) {
        *this = NormalsSpare();
        return *this;
    }
    NormalsSpare(NormalsSpare&&) = default;
    NormalsSpare& operator=(NormalsSpare&&) = default;

    // Whether these are the normals of the coordinates named `positions`
    // (CModel::PositionsContent) under `facet` and topology revision `topology`.
    bool Holds(std::uint64_t positions, float facet, std::uint64_t topology) const {
        return this->positions != 0 && this->positions == positions && this->facet == facet &&
               this->topology == topology;
    }
    std::size_t CapacityBytes() const {
        return (faceNormals.capacity() + cornerNormals.capacity()) * sizeof(PackedVector);
    }

    LargeArray<PackedVector> faceNormals;
    LargeArray<PackedVector> cornerNormals;
    std::size_t cornerNormalFaces = 0;
    std::uint64_t positions = 0;  // 0: none held
    float facet = 0;
    std::uint64_t topology = 0;
};
