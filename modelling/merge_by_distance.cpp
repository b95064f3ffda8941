#include "modelling/merge_by_distance.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/vertex_merge.h"
#include "scene/centigrade.h"

namespace {

struct Cell {
    std::int64_t x;
    std::int64_t y;
    std::int64_t z;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// The points of some vertices in cells of a uniform grid: an open-addressing
// table from cell to the first vertex in it, and a list through the vertices
// of each cell. The table holds only vertex numbers; a cell's key is read
// back from its first vertex's position.
class PointGrid {
public:
    // A cell size of 0 puts only equal points together.
    PointGrid(const LargeArray<CVector>& points, const std::vector<int>& members, double cell)
        : points_(points), cell_(cell), next_(points.size(), kEmpty) {
        const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, members.size() * 2));
        slots_.assign(slots, kEmpty);
        mask_ = slots - 1;
        for (auto m = members.rbegin(); m != members.rend(); ++m) {
            const Cell cell = CellOf(points_[static_cast<std::size_t>(*m)]);
            std::uint32_t& head = Slot(cell);
            next_[static_cast<std::size_t>(*m)] = head;
            head = static_cast<std::uint32_t>(*m);
        }
    }

    // Calls visit(w) for every vertex in the cells that can hold points
    // within `radius` of p.
    template <typename Visit>
    void ForEachNear(const CVector& p, double radius, Visit visit) {
        Cell low = CellOf(p);
        Cell high = low;
        if (cell_ > 0) {
            low = {Floor((p.x - radius) / cell_), Floor((p.y - radius) / cell_),
                   Floor((p.z - radius) / cell_)};
            high = {Floor((p.x + radius) / cell_), Floor((p.y + radius) / cell_),
                    Floor((p.z + radius) / cell_)};
        }
        for (std::int64_t x = low.x; x <= high.x; ++x) {
            for (std::int64_t y = low.y; y <= high.y; ++y) {
                for (std::int64_t z = low.z; z <= high.z; ++z) {
                    for (std::uint32_t w = Slot({x, y, z}); w != kEmpty; w = next_[w]) {
                        visit(static_cast<int>(w));
                    }
                }
            }
        }
    }

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    // Saturated, so that far points share the outermost cells instead of overflowing.
    static std::int64_t Floor(double value) {
        constexpr double kLimit = 4.0e18;
        return static_cast<std::int64_t>(std::floor(std::clamp(value, -kLimit, kLimit)));
    }
    static std::int64_t Bits(float value) {
        return std::bit_cast<std::int32_t>(value == 0.0f ? 0.0f : value);
    }

    Cell CellOf(const CVector& p) const {
        if (cell_ > 0) {
            return {Floor(p.x / cell_), Floor(p.y / cell_), Floor(p.z / cell_)};
        }
        return {Bits(p.x), Bits(p.y), Bits(p.z)};
    }

    static std::uint64_t Mix(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        return h ^ (h >> 33);
    }

    // The slot of `cell`: the one holding its first vertex, or the empty one
    // where it would go.
    std::uint32_t& Slot(const Cell& cell) {
        const std::uint64_t hash =
            Mix(static_cast<std::uint64_t>(cell.x) * 0x9E3779B97F4A7C15ULL ^
                Mix(static_cast<std::uint64_t>(cell.y) + 0x632BE59BD9B4E019ULL) ^
                Mix(static_cast<std::uint64_t>(cell.z) * 0xD6E8FEB86659FD93ULL));
        for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
            std::uint32_t& head = slots_[slot];
            if (head == kEmpty || CellOf(points_[head]) == cell) {
                return head;
            }
        }
    }

    const LargeArray<CVector>& points_;
    double cell_;
    std::vector<std::uint32_t> slots_;
    std::size_t mask_ = 0;
    std::vector<std::uint32_t> next_;
};

double DistanceSquared(const CVector& a, const CVector& b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    const double dz = static_cast<double>(a.z) - b.z;
    return dx * dx + dy * dy + dz * dz;
}

}  // namespace

ModellingResult MergeByDistance(CCentigrade& scene, const MergeByDistanceOptions& options,
                                PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != Refusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!std::isfinite(options.distance) || options.distance < 0) {
        return ModellingResult::Refuse(Refusal::DistanceOutOfRange);
    }
    CModel& model = scene.models[target.object];
    const std::vector<bool> affected = AffectedVertices(model);
    const bool all = std::none_of(affected.begin(), affected.end(), [](bool a) { return a; });
    std::vector<int> members;
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if ((all || affected[v]) && IsFinitePoint(model.vertices[v])) {
            members.push_back(static_cast<int>(v));
        }
    }
    const double distance = options.distance;
    // Cells need not be narrower than what sets float coordinates apart; a
    // floor keeps far points from piling up in the outermost cells.
    double extent = 0;
    for (int v : members) {
        const CVector& p = model.vertices[static_cast<std::size_t>(v)];
        extent =
            std::max({extent, std::fabs(static_cast<double>(p.x)),
                      std::fabs(static_cast<double>(p.y)), std::fabs(static_cast<double>(p.z))});
    }
    const double cell = distance > 0 ? std::max(2 * distance, extent * 1e-12) : 0.0;
    PointGrid grid(model.vertices, members, cell);
    constexpr int kFree = -1;
    std::vector<int> into(model.vertices.size(), kFree);
    std::size_t taken = 0;
    for (int v : members) {
        if (into[static_cast<std::size_t>(v)] != kFree) {
            continue;
        }
        into[static_cast<std::size_t>(v)] = v;
        const CVector& p = model.vertices[static_cast<std::size_t>(v)];
        grid.ForEachNear(p, distance, [&](int w) {
            int& slot = into[static_cast<std::size_t>(w)];
            if (slot == kFree && w > v &&
                DistanceSquared(p, model.vertices[static_cast<std::size_t>(w)]) <=
                    distance * distance) {
                slot = v;
                ++taken;
            }
        });
    }
    ModellingResult result;
    if (taken == 0) {
        return result;
    }
    for (std::size_t v = 0; v < into.size(); ++v) {
        if (into[v] == kFree) {
            into[v] = static_cast<int>(v);
        }
    }
    result.acted = MergeVertices(model, target.object, into, prior);
    FinishReshape(model, target.object, result);
    PlaceManipulator(scene);
    return result;
}
