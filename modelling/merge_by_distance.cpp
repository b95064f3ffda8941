#include "modelling/merge_by_distance.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/radix_sort.h"
#include "modelling/vertex_merge.h"
#include "scene/centigrade.h"

namespace {

// At most this many cells along an axis, so that a cell's numbers on the
// three axes pack into one 64-bit key.
constexpr double kMostCells = double{1 << 20};

struct Keyed {
    std::uint64_t key;
    std::uint32_t vertex;
};

// The vertices' cells: cubes of side at least twice the distance (so that
// points within the distance lie in neighbouring cells), and wide enough
// that at most kMostCells of them span the points on any axis. A cell is
// numbered from 1 along each axis, the numbers packed x, y, z from the top
// in just enough bits: keys sort by x, then y, then z, and a neighbour's key
// is the cell's plus a constant.
class CellGrid {
public:
    CellGrid(const LargeArray<CVector>& points, const std::vector<std::uint32_t>& members,
             double distance) {
        double low[3] = {INFINITY, INFINITY, INFINITY};
        double high[3] = {-INFINITY, -INFINITY, -INFINITY};
        for (std::uint32_t v : members) {
            for (int a = 0; a < 3; ++a) {
                const double c = Coordinate(points[v], a);
                low[a] = std::min(low[a], c);
                high[a] = std::max(high[a], c);
            }
        }
        double widest = 0;
        for (int a = 0; a < 3; ++a) {
            widest = std::max(widest, high[a] - low[a]);
        }
        side_ = std::max(2 * distance, widest / (kMostCells - 2));
        if (!(side_ > 0)) {
            side_ = 1;  // no members, or all on one point
        }
        for (int a = 0; a < 3; ++a) {
            origin_[a] = members.empty() ? 0 : low[a];
            const auto cells = static_cast<std::uint64_t>(
                members.empty() ? 1 : std::floor((high[a] - low[a]) / side_) + 1);
            bits_[a] = std::bit_width(cells + 1);
        }
    }

    std::uint64_t KeyOf(const CVector& p) const {
        std::uint64_t key = 0;
        for (int a = 0; a < 3; ++a) {
            const auto cell =
                static_cast<std::uint64_t>(std::floor((Coordinate(p, a) - origin_[a]) / side_) + 1);
            key = key << bits_[a] | cell;
        }
        return key;
    }
    int KeyBits() const { return bits_[0] + bits_[1] + bits_[2]; }
    // What moving by (dx, dy, dz) cells adds to a key.
    std::uint64_t Offset(int dx, int dy, int dz) const {
        const std::int64_t offset =
            (std::int64_t{dx} << (bits_[1] + bits_[2])) + (std::int64_t{dy} << bits_[2]) + dz;
        return static_cast<std::uint64_t>(offset);
    }

private:
    double origin_[3] = {0, 0, 0};
    double side_ = 1;
    int bits_[3] = {1, 1, 1};
};

// What moving to each of the 13 neighbours that come after a cell in key
// order adds to its key.
std::array<std::uint64_t, 13> ForwardNeighbourOffsets(const CellGrid& grid) {
    std::array<std::uint64_t, 13> offsets{};
    std::size_t n = 0;
    for (int dx = 0; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dz = -1; dz <= 1; ++dz) {
                if (dx > 0 || dy > 0 || (dy == 0 && dz > 0)) {
                    offsets[n++] = grid.Offset(dx, dy, dz);
                }
            }
        }
    }
    return offsets;
}

double DistanceSquared(const CVector& a, const CVector& b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    const double dz = static_cast<double>(a.z) - b.z;
    return dx * dx + dy * dy + dz * dz;
}

// Every pair of members within `distance`, as (lower << 32 | higher) vertex
// numbers, in no particular order. The members sorted by cell are swept
// once, with one cursor for each forward neighbour; every cursor only moves
// ahead, so the sweep reads the sorted list in order.
std::vector<std::uint64_t> ClosePairs(const LargeArray<CVector>& points,
                                      const std::vector<std::uint32_t>& members, double distance) {
    const CellGrid grid(points, members, distance);
    std::vector<Keyed> sorted;
    sorted.reserve(members.size());
    for (std::uint32_t v : members) {
        sorted.push_back({grid.KeyOf(points[v]), v});
    }
    RadixSort(sorted, grid.KeyBits(), [](const Keyed& k) { return k.key; });
    // The cells: where each one's run of members starts, and the end.
    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || sorted[i].key != sorted[i - 1].key) {
            runs.push_back(i);
        }
    }
    runs.push_back(sorted.size());
    const std::size_t cells = runs.size() - 1;
    const double limit = distance * distance;
    std::vector<std::uint64_t> pairs;
    const auto check = [&](std::size_t i, std::size_t j) {
        const std::uint32_t a = sorted[i].vertex;
        const std::uint32_t b = sorted[j].vertex;
        if (DistanceSquared(points[a], points[b]) <= limit) {
            pairs.push_back(std::uint64_t{std::min(a, b)} << 32 | std::max(a, b));
        }
    };
    const std::array<std::uint64_t, 13> offsets = ForwardNeighbourOffsets(grid);
    std::array<std::size_t, 13> cursor{};
    for (std::size_t c = 0; c < cells; ++c) {
        const std::uint64_t key = sorted[runs[c]].key;
        for (std::size_t i = runs[c]; i < runs[c + 1]; ++i) {
            for (std::size_t j = i + 1; j < runs[c + 1]; ++j) {
                check(i, j);
            }
        }
        for (std::size_t o = 0; o < offsets.size(); ++o) {
            const std::uint64_t wanted = key + offsets[o];
            std::size_t& n = cursor[o];
            while (n < cells && sorted[runs[n]].key < wanted) {
                ++n;
            }
            if (n < cells && sorted[runs[n]].key == wanted) {
                for (std::size_t i = runs[c]; i < runs[c + 1]; ++i) {
                    for (std::size_t j = runs[n]; j < runs[n + 1]; ++j) {
                        check(i, j);
                    }
                }
            }
        }
    }
    return pairs;
}

}  // namespace

ModellingResult MergeByDistance(CCentigrade& scene, const MergeByDistanceOptions& options,
                                PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!std::isfinite(options.distance) || options.distance < 0) {
        return ModellingResult::Refuse(ModellingRefusal::DistanceOutOfRange);
    }
    CModel& model = scene.models[target.object];
    const std::vector<bool> affected = AffectedVertices(model);
    const bool all = std::none_of(affected.begin(), affected.end(), [](bool a) { return a; });
    std::vector<std::uint32_t> members;
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if ((all || affected[v]) && IsFinitePoint(model.vertices[v])) {
            members.push_back(static_cast<std::uint32_t>(v));
        }
    }
    std::vector<std::uint64_t> pairs = ClosePairs(model.vertices, members, options.distance);
    ModellingResult result;
    if (pairs.empty()) {
        return result;
    }
    // In index order, a vertex no earlier one took takes every later one it
    // is paired with that is still free.
    RadixSort(pairs, std::bit_width(model.vertices.size()),
              [](std::uint64_t pair) { return pair >> 32; });
    constexpr int kFree = -1;
    std::vector<int> into(model.vertices.size(), kFree);
    for (std::uint64_t pair : pairs) {
        const auto lower = static_cast<std::size_t>(pair >> 32);
        const auto higher = static_cast<std::size_t>(pair & 0xFFFFFFFFu);
        if (into[lower] == kFree) {
            into[lower] = static_cast<int>(lower);
        }
        if (into[lower] == static_cast<int>(lower) && into[higher] == kFree) {
            into[higher] = static_cast<int>(lower);
        }
    }
    for (std::size_t v = 0; v < into.size(); ++v) {
        if (into[v] == kFree) {
            into[v] = static_cast<int>(v);
        }
    }
    result.acted = MergeVertices(model, target.object, into, prior);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
