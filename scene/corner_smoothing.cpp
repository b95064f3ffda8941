#include "scene/corner_smoothing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>

#include "scene/model.h"

namespace {

using NormalBits = std::array<std::uint32_t, 3>;

NormalBits BitsOf(const PackedVector& n) {
    return {std::bit_cast<std::uint32_t>(n.x), std::bit_cast<std::uint32_t>(n.y),
            std::bit_cast<std::uint32_t>(n.z)};
}

// Squared lengths of the normals the cap test accepts: unit vectors rounded
// to single floats lie well inside.
constexpr double kUnitSlack = 1e-6;
// What the cap test keeps between the bound it proves for the exact dot
// products and the float threshold; the float dot products differ from the
// exact ones by less than 4e-7, and the lengths by the slack above.
constexpr double kDotMargin = 1e-5;

// The average of `count` uses of one face, added up as the list order adds them.
PackedVector Repeated(const PackedVector& normal, std::size_t count) {
    CVector sum(0, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        sum += normal.Unpacked();
    }
    sum.Normalize();
    return PackedVector(sum);
}

// Whether no two of `normals` can pass a test against `minimumDot`: their
// coordinates lie in [-1, 1] (or are not numbers), so their dot products in
// [-3, 3] (or are not numbers). Only an angle of 0 asks that much.
bool NonePass(const std::vector<PackedVector>& normals, float minimumDot) {
    const auto bounded = [](float c) { return !(std::abs(c) > 1); };
    return minimumDot > 3 && std::all_of(normals.begin(), normals.end(), [&](const auto& n) {
               return bounded(n.x) && bounded(n.y) && bounded(n.z);
           });
}

}  // namespace

bool CornerSmoothing::Passes(const PackedVector& a, const PackedVector& b) const {
    // The product of CVector::Dot; its factors commute, so a test of a against
    // b is also one of b against a.
    return a.x * b.x + a.y * b.y + a.z * b.z >= minimumDot_;
}

void CornerSmoothing::Store(const VertexInfo& info, std::size_t entry,
                            const PackedVector& normal) const {
    if (info.corners[entry] < CModel::kCornerSlots) {
        cornerNormals_[static_cast<std::size_t>(info.faces[entry]) * CModel::kCornerSlots +
                       info.corners[entry]] = normal;
    }
}

template <typename In>
PackedVector CornerSmoothing::Average(In in) const {
    CVector sum(0, 0, 0);
    for (std::size_t j = 0; j < normals_.size(); ++j) {
        if (in(j)) {
            sum += normals_[j].Unpacked();
        }
    }
    sum.Normalize();
    return PackedVector(sum);
}

void CornerSmoothing::Smooth(const VertexInfo& info, bool used) {
    const std::size_t valence = info.faces.size();
    if (!used) {
        // Nothing is averaged into the corners of an unused vertex.
        const PackedVector up(CVector(0, 0, 1));
        for (std::size_t i = 0; i < valence; ++i) {
            Store(info, i, up);
        }
        return;
    }
    normals_.resize(valence);
    for (std::size_t j = 0; j < valence; ++j) {
        normals_[j] = faceNormals_[static_cast<std::size_t>(info.faces[j])];
    }
    if (valence <= kMaskedValence ? AllPairsPass() : SurelyAllPass()) {
        // Every corner averages every face around the vertex.
        const PackedVector shared = Average([](std::size_t) { return true; });
        for (std::size_t i = 0; i < valence; ++i) {
            Store(info, i, shared);
        }
    } else if (valence <= kMaskedValence) {
        SmoothMasked(info);
    } else {
        SmoothGrouped(info);
    }
}

// The usual case inside a smooth surface, tested without the bookkeeping of
// the masks.
bool CornerSmoothing::AllPairsPass() const {
    bool all = true;
    const std::size_t valence = normals_.size();
    for (std::size_t i = 0; i < valence; ++i) {
        for (std::size_t j = i + 1; j < valence; ++j) {
            all &= Passes(normals_[i], normals_[j]);
        }
    }
    return all;
}

// Each pair is tested once; corners whose masks agree share their average.
void CornerSmoothing::SmoothMasked(const VertexInfo& info) {
    const std::size_t valence = normals_.size();
    Mask masks[kMaskedValence];
    std::fill_n(masks, valence, Mask{0});
    for (std::size_t i = 0; i < valence; ++i) {
        for (std::size_t j = i + 1; j < valence; ++j) {
            if (Passes(normals_[i], normals_[j])) {
                masks[i] |= Mask{1} << j;
                masks[j] |= Mask{1} << i;
            }
        }
    }
    // The corner's own face counts without a test, once per use: the uses of
    // one face are neighbours in the list.
    for (std::size_t first = 0; first < valence;) {
        std::size_t end = first + 1;
        while (end < valence && info.faces[end] == info.faces[first]) {
            ++end;
        }
        const Mask own = (end - first == kMaskedValence ? ~Mask{0} : (Mask{1} << (end - first)) - 1)
                         << first;
        for (std::size_t i = first; i < end; ++i) {
            masks[i] |= own;
        }
        first = end;
    }
    PackedVector averages[kMaskedValence];
    for (std::size_t i = 0; i < valence; ++i) {
        std::size_t same = 0;
        while (same < i && masks[same] != masks[i]) {
            ++same;
        }
        if (same == i) {
            averages[i] =
                Average([mask = masks[i]](std::size_t j) { return (mask >> j & 1) != 0; });
        } else {
            averages[i] = averages[same];
        }
        Store(info, i, averages[i]);
    }
}

// Whether every pair of the normals surely passes the float test: all of them
// lie within an angle θ of their mean direction, so any two within 2θ, and
// cos 2θ clears the threshold by more than the rounding of a float dot product.
bool CornerSmoothing::SurelyAllPass() const {
    double sum[3] = {0, 0, 0};
    for (const PackedVector& n : normals_) {
        const double lengthSquared = double{n.x} * n.x + double{n.y} * n.y + double{n.z} * n.z;
        if (!(std::abs(lengthSquared - 1) <= kUnitSlack)) {
            return false;
        }
        sum[0] += n.x;
        sum[1] += n.y;
        sum[2] += n.z;
    }
    const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    if (!(length > 0)) {
        return false;
    }
    double smallestCosine = 1;
    for (const PackedVector& n : normals_) {
        const double cosine =
            (n.x * sum[0] + n.y * sum[1] + n.z * sum[2]) /
            (length * std::sqrt(double{n.x} * n.x + double{n.y} * n.y + double{n.z} * n.z));
        smallestCosine = std::min(smallestCosine, cosine);
    }
    if (!(smallestCosine > 0)) {
        return false;
    }
    return 2 * smallestCosine * smallestCosine - 1 - kDotMargin >= double{minimumDot_};
}

// Faces with bit-equal normals pass the same faces, so the test runs per pair
// of distinct normals; a group whose normal passes itself shares one average
// among all its corners, one that does not averages each of its faces apart.
void CornerSmoothing::SmoothGrouped(const VertexInfo& info) {
    const std::size_t valence = normals_.size();
    order_.resize(valence);
    std::iota(order_.begin(), order_.end(), 0u);
    std::stable_sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return BitsOf(normals_[a]) < BitsOf(normals_[b]);
    });
    group_.resize(valence);
    groupNormals_.clear();
    groupStarts_.clear();
    for (std::size_t t = 0; t < valence; ++t) {
        if (t == 0 || BitsOf(normals_[order_[t]]) != BitsOf(normals_[order_[t - 1]])) {
            groupNormals_.push_back(normals_[order_[t]]);
            groupStarts_.push_back(static_cast<std::uint32_t>(t));
        }
        group_[order_[t]] = static_cast<std::uint32_t>(groupNormals_.size() - 1);
    }
    groupStarts_.push_back(static_cast<std::uint32_t>(valence));
    const std::size_t groups = groupNormals_.size();
    groupPasses_.assign(groups, 0);
    const bool nonePass = NonePass(groupNormals_, minimumDot_);

    for (std::size_t g = 0; g < groups; ++g) {
        bool others = false;
        for (std::size_t h = 0; h < groups && !nonePass; ++h) {
            groupPasses_[h] = Passes(groupNormals_[g], groupNormals_[h]) ? 1 : 0;
            others = others || (h != g && groupPasses_[h] != 0);
        }
        const std::uint32_t* first = order_.data() + groupStarts_[g];
        const std::uint32_t* end = order_.data() + groupStarts_[g + 1];
        if (groupPasses_[g] != 0) {
            const PackedVector shared =
                Average([this](std::size_t j) { return groupPasses_[group_[j]] != 0; });
            for (const std::uint32_t* member = first; member != end; ++member) {
                Store(info, *member, shared);
            }
            continue;
        }
        // The members come in list order, so the uses of one face are neighbours.
        while (first != end) {
            const int face = info.faces[*first];
            const std::uint32_t* run = first;
            while (run != end && info.faces[*run] == face) {
                ++run;
            }
            const PackedVector average = others ? Average([this, &info, face, g](std::size_t j) {
                return info.faces[j] == face || (group_[j] != g && groupPasses_[group_[j]] != 0);
            })
                                                : Repeated(groupNormals_[g],
                                                           static_cast<std::size_t>(run - first));
            for (; first != run; ++first) {
                Store(info, *first, average);
            }
        }
    }
}
