// For every vertex of an object, the faces that use it, in face order: the
// adjacency the commands that follow edges (extrude, subdivide,
// quadrangulate) read. Built in two passes over the corners, O(corners), in
// flat arrays, with a packed copy of every face's corners so that the edge
// queries do not read the face records themselves.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "scene/model.h"

class VertexFaceIndex {
public:
    // Faces with fewer than `minimumCorners` corners are left out.
    explicit VertexFaceIndex(const CModel& model, std::size_t minimumCorners = 2);

    // A face using a vertex twice is listed twice.
    std::span<const std::uint32_t> FacesOf(int vertex) const {
        const auto v = static_cast<std::size_t>(vertex);
        return {faces_.data() + starts_[v], faces_.data() + starts_[v + 1]};
    }

    // The corners of a face that was not left out.
    const std::array<int, 4>& CornersOf(std::size_t face) const { return corners_[face]; }

    // Calls visit(face, edge) for every edge of every listed face that joins
    // vertices a and b, in either direction (edge k runs from corner k to
    // corner k + 1).
    template <typename Visit>
    void ForEachEdgeUse(int a, int b, Visit visit) const {
        std::uint32_t previous = UINT32_MAX;
        for (std::uint32_t f : FacesOf(a)) {
            if (f == previous) {
                continue;  // listed once per use of a; its edges are visited once
            }
            previous = f;
            const std::array<int, 4>& corners = corners_[f];
            const std::size_t n = counts_[f];
            const std::size_t edges = n == 2 ? 1 : n;
            for (std::size_t k = 0; k < edges; ++k) {
                const int p = corners[k];
                const int q = corners[k + 1 == n ? 0 : k + 1];
                if ((p == a && q == b) || (p == b && q == a)) {
                    visit(f, k);
                }
            }
        }
    }

private:
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> faces_;
    std::vector<std::array<int, 4>> corners_;
    std::vector<std::uint8_t> counts_;  // 0 for the faces left out
};
