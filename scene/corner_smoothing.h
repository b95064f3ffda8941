// The smoothed normals of the corners around one vertex. A corner averages,
// in list order, the normals of the faces around its vertex that pass the
// smoothing test against its own face (its own face always counts, once per
// use of the vertex). Corners whose faces pass the same faces share one sum,
// so a vertex costs about as much as its valence in the cases the smoothing
// rule allows (a smooth fan, copies of one face, an angle of 0), while every
// result stays that of the corner-by-corner computation, bit for bit.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/vector.h"
#include "scene/vertex_face_lists.h"

class CornerSmoothing {
public:
    // `faceNormals` in face order; `cornerNormals` receives corner c of face f
    // at f × 4 + c. `minimumDot` is SmoothingMinimumDot of the angle.
    CornerSmoothing(const PackedVector* faceNormals, float minimumDot, PackedVector* cornerNormals)
        : faceNormals_(faceNormals), minimumDot_(minimumDot), cornerNormals_(cornerNormals) {}

    // Computes the corners of `info`, whose vertex is `used` or not.
    void Smooth(const VertexInfo& info, bool used);

private:
    using Mask = std::uint64_t;
    static constexpr std::size_t kMaskedValence = 64;

    bool Passes(const PackedVector& a, const PackedVector& b) const;
    void Store(const VertexInfo& info, std::size_t entry, const PackedVector& normal) const;
    // The sum of the listed normals whose entries `in` accepts, normalised.
    template <typename In>
    PackedVector Average(In in) const;
    bool AllPairsPass() const;
    void SmoothMasked(const VertexInfo& info);
    bool SurelyAllPass() const;
    void SmoothGrouped(const VertexInfo& info);

    const PackedVector* faceNormals_;
    float minimumDot_;
    PackedVector* cornerNormals_;
    // Per entry of the vertex being computed: its face's normal, and for the
    // grouped computation its group of equal normals.
    std::vector<PackedVector> normals_;
    std::vector<std::uint32_t> order_;
    std::vector<std::uint32_t> group_;
    std::vector<std::uint32_t> groupStarts_;  // of each group in order_, then the end
    std::vector<PackedVector> groupNormals_;
    std::vector<std::uint8_t> groupPasses_;
};
