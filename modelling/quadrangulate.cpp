#include "modelling/quadrangulate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/radix_sort.h"
#include "modelling/vertex_face_index.h"
#include "scene/centigrade.h"

namespace {

constexpr std::uint32_t kUnpaired = UINT32_MAX;

bool IsCandidate(const CFace& face) {
    return face.selected && face.indices.size() == 3;
}

struct Pair {
    float angle;         // degrees between the normals, in hundredths
    float sharedLength;  // in ten-thousandths of the longest shared edge
    std::uint32_t first;
    std::uint32_t second;
    std::uint8_t firstEdge;   // the shared edge in `first`
    std::uint8_t secondEdge;  // and in `second`
};

// Flatter first, then longer shared edges; pairs alike in both stay in the
// order they were found in.
std::uint64_t SortKey(const Pair& pair) {
    constexpr std::uint64_t kLongest = 10000;
    return static_cast<std::uint64_t>(pair.angle) << 16 |
           (kLongest - static_cast<std::uint64_t>(pair.sharedLength));
}

// The quad's corners: the first triangle's corner off the shared edge, the
// edge's start, the second triangle's corner off it, the edge's end.
std::array<std::size_t, 4> QuadCorners(const Pair& pair) {
    return {static_cast<std::size_t>((pair.firstEdge + 2) % 3), pair.firstEdge,
            static_cast<std::size_t>((pair.secondEdge + 2) % 3),
            static_cast<std::size_t>((pair.firstEdge + 1) % 3)};
}

bool IsConvex(const CVector (&p)[4]) {
    CVector normal;
    for (int i = 0; i < 4; ++i) {
        normal = Plus(normal, CrossOf(p[i], p[(i + 1) % 4]));
    }
    for (int i = 0; i < 4; ++i) {
        const CVector turn =
            CrossOf(Minus(p[(i + 1) % 4], p[i]), Minus(p[(i + 2) % 4], p[(i + 1) % 4]));
        if (!(CVector::Dot(turn, normal) > 0)) {
            return false;
        }
    }
    return true;
}

bool SameUv(const CUV& a, const CUV& b) {
    return std::bit_cast<std::uint32_t>(a.u) == std::bit_cast<std::uint32_t>(b.u) &&
           std::bit_cast<std::uint32_t>(a.v) == std::bit_cast<std::uint32_t>(b.v);
}

// The pairs, from packed copies of what they need of each triangle, so that
// looking at a neighbour does not read its face record.
class PairFinder {
public:
    PairFinder(const CModel& model, float maximumAngle)
        : model_(model),
          index_(model, 3),
          maximumAngle_(maximumAngle),
          normals_(model.faces.size()),
          materials_(model.faces.size()),
          kinds_(model.faces.size(), kOther) {
        for (std::size_t f = 0; f < model.faces.size(); ++f) {
            const CFace& face = model.faces[f];
            if (IsCandidate(face)) {
                normals_[f] = FrontNormal(model, face);
                materials_[f] = face.material;
                kinds_[f] = face.uvs.empty() ? kPlain : kWithUvs;
            }
        }
    }

    std::vector<Pair> Find() const {
        std::vector<Pair> pairs;
        for (std::uint32_t t = 0; t < model_.faces.size(); ++t) {
            if (kinds_[t] != kOther) {
                for (std::uint8_t k = 0; k < 3; ++k) {
                    Consider(t, k, pairs);
                }
            }
        }
        return pairs;
    }

private:
    // What a face is to the search: no selected triangle, or one without or
    // with texture coordinates.
    enum Kind : std::uint8_t { kOther, kPlain, kWithUvs };

    void Consider(std::uint32_t t, std::uint8_t k, std::vector<Pair>& pairs) const {
        const std::array<int, 4>& first = index_.CornersOf(t);
        const int a = first[k];
        const int b = first[(k + 1) % 3];
        int users = 0;
        std::uint32_t other = 0;
        std::size_t otherEdge = 0;
        index_.ForEachEdgeUse(a, b, [&](std::uint32_t g, std::size_t e) {
            ++users;
            if (g != t) {
                other = g;
                otherEdge = e;
            }
        });
        if (users != 2 || other <= t || kinds_[other] != kinds_[t] ||
            materials_[other] != materials_[t] || index_.CornersOf(other)[otherEdge] != b) {
            return;
        }
        Pair pair{0, 0, t, other, k, static_cast<std::uint8_t>(otherEdge)};
        if ((kinds_[t] == kWithUvs && !SameUvsOnEdge(pair)) || !Flat(pair) || !Convex(pair)) {
            return;
        }
        pair.sharedLength = Minus(Position(a), Position(b)).Length();
        pairs.push_back(pair);
    }

    const CVector& Position(int v) const { return model_.vertices[static_cast<std::size_t>(v)]; }

    bool SameUvsOnEdge(const Pair& pair) const {
        const CFace& first = model_.faces[pair.first];
        const CFace& second = model_.faces[pair.second];
        return SameUv(first.uvs[pair.firstEdge], second.uvs[(pair.secondEdge + 1) % 3]) &&
               SameUv(first.uvs[(pair.firstEdge + 1) % 3], second.uvs[pair.secondEdge]);
    }

    bool Flat(Pair& pair) const {
        const CVector& n = normals_[pair.first];
        const CVector& m = normals_[pair.second];
        if (LengthSquared(n) == 0 || LengthSquared(m) == 0) {
            return false;
        }
        // atan2 of sine and cosine keeps small angles exact, where the
        // arccosine of a float cosine near 1 cannot tell apart less than 0.02°.
        const double nx = n.x, ny = n.y, nz = n.z, mx = m.x, my = m.y, mz = m.z;
        const double sine = std::hypot(ny * mz - nz * my, nz * mx - nx * mz, nx * my - ny * mx);
        const double degrees =
            std::atan2(sine, nx * mx + ny * my + nz * mz) * 180.0 / 3.141592653589793;
        // Pairs within a hundredth of a degree are equally flat: rounding
        // in the normals of a flat region must not decide the order.
        pair.angle = static_cast<float>(std::round(degrees * 100.0));
        return degrees <= maximumAngle_;
    }

    bool Convex(const Pair& pair) const {
        const std::array<int, 4>& first = index_.CornersOf(pair.first);
        const std::array<int, 4>& second = index_.CornersOf(pair.second);
        const auto c = QuadCorners(pair);
        const CVector p[4] = {Position(first[c[0]]), Position(first[c[1]]), Position(second[c[2]]),
                              Position(first[c[3]])};
        return IsConvex(p);
    }

    const CModel& model_;
    VertexFaceIndex index_;
    float maximumAngle_;
    std::vector<CVector> normals_;
    std::vector<int> materials_;
    std::vector<Kind> kinds_;
};

CFace QuadOf(const CModel& model, const Pair& pair) {
    const CFace& first = model.faces[pair.first];
    const CFace& second = model.faces[pair.second];
    const auto c = QuadCorners(pair);
    const int corners[4] = {first.indices[c[0]], first.indices[c[1]], second.indices[c[2]],
                            first.indices[c[3]]};
    CFace quad;
    if (first.uvs.empty()) {
        quad = MakeFace(corners, first.material);
    } else {
        const CUV uvs[4] = {first.uvs[c[0]], first.uvs[c[1]], second.uvs[c[2]], first.uvs[c[3]]};
        quad = MakeFace(corners, first.material, uvs);
    }
    SelectWhole(quad);
    return quad;
}

}  // namespace

ModellingResult QuadrangulateFaces(CCentigrade& scene, const QuadrangulateOptions& options,
                                   PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!(options.angle >= 0 && options.angle <= 180)) {
        return ModellingResult::Refuse(ModellingRefusal::AngleOutOfRange);
    }
    CModel& model = scene.models[target.object];
    std::vector<Pair> pairs = PairFinder(model, options.angle).Find();
    // Edges whose lengths differ only by rounding count as equally long.
    float longest = 0;
    for (const Pair& pair : pairs) {
        longest = std::max(longest, pair.sharedLength);
    }
    for (Pair& pair : pairs) {
        pair.sharedLength = longest > 0 ? std::round(pair.sharedLength / longest * 1e4f) : 0;
    }
    RadixSort(pairs, 32, SortKey);
    // partner[f]: the index in `pairs` of the pair f belongs to.
    std::vector<std::uint32_t> partner(model.faces.size(), kUnpaired);
    ModellingResult result;
    for (std::uint32_t i = 0; i < pairs.size(); ++i) {
        const Pair& pair = pairs[i];
        if (partner[pair.first] == kUnpaired && partner[pair.second] == kUnpaired) {
            partner[pair.first] = partner[pair.second] = i;
            ++result.acted;
        }
    }
    if (result.acted == 0) {
        return result;
    }
    LargeArray<CFace> faces;
    faces.reserve(model.faces.size() - result.acted);
    for (std::uint32_t f = 0; f < model.faces.size(); ++f) {
        if (partner[f] == kUnpaired) {
            CarryFace(faces, model.faces[f], prior);
        } else if (pairs[partner[f]].first == f) {
            faces.push_back(QuadOf(model, pairs[partner[f]]));
        }
    }
    ReplaceFaces(model, target.object, std::move(faces), prior);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
