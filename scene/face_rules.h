// The rule every face of a scene keeps, which readers establish at the
// boundary and every later step relies on: 2 (a line), 3 or 4 corners, each
// an index into the object's vertex list, and either no texture coordinates
// or one pair per corner.
#pragma once

#include <cstddef>

#include "scene/face.h"

constexpr bool HasValidCornerCount(std::size_t corners) {
    return corners >= 2 && corners <= 4;
}

// The edges a face owns: a line one, a triangle or quad one per corner (edge k
// runs from corner k to corner k + 1), a face breaking the rule none.
constexpr std::size_t EdgeCount(std::size_t corners) {
    return corners == 2 ? 1 : HasValidCornerCount(corners) ? corners : 0;
}
inline std::size_t EdgeCount(const CFace& face) {
    return EdgeCount(face.indices.size());
}

// A triangle or a quad: a face with an area to draw, fill and pick.
inline bool IsSurface(const CFace& face) {
    return face.indices.size() == 3 || face.indices.size() == 4;
}

// The corner count and every index within `vertexCount`.
inline bool HasValidCorners(const CFace& face, std::size_t vertexCount) {
    if (!HasValidCornerCount(face.indices.size())) {
        return false;
    }
    for (int i : face.indices) {
        if (i < 0 || static_cast<std::size_t>(i) >= vertexCount) {
            return false;
        }
    }
    return true;
}

inline bool HasMatchingUvs(const CFace& face) {
    return face.uvs.empty() || face.uvs.size() == face.indices.size();
}

// The whole rule, with one edge flag per corner.
inline bool IsValidFace(const CFace& face, std::size_t vertexCount) {
    return HasValidCorners(face, vertexCount) && HasMatchingUvs(face) &&
           face.edgeSelected.size() == face.indices.size();
}
