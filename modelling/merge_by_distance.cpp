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
        inverse_ = 1 / side_;
        for (int a = 0; a < 3; ++a) {
            origin_[a] = members.empty() ? 0 : low[a];
            cells_[a] = members.empty() ? 1 : std::floor((high[a] - low[a]) * inverse_) + 1;
            bits_[a] = std::bit_width(static_cast<std::uint64_t>(cells_[a]) + 1);
        }
    }

    // Multiplying may round a point into the next cell where dividing would
    // not, and the last one onto the grid's edge: points within the distance
    // (at most half a cell apart) still land in the same or neighbouring cells.
    std::uint64_t KeyOf(const CVector& p) const {
        std::uint64_t key = 0;
        for (int a = 0; a < 3; ++a) {
            const double cell = std::clamp(
                std::floor((Coordinate(p, a) - origin_[a]) * inverse_) + 1, 1.0, cells_[a]);
            key = key << bits_[a] | static_cast<std::uint64_t>(cell);
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
    double inverse_ = 1;
    double cells_[3] = {1, 1, 1};
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

constexpr std::uint32_t kNoCell = UINT32_MAX;

// The members grouped by cell (each cell's run in ascending vertex order),
// every member's cell, and every occupied cell's occupied neighbours: what a
// vertex needs to find the members within the distance of it.
class CellIndex {
public:
    CellIndex(const LargeArray<CVector>& points, const std::vector<std::uint32_t>& members,
              double distance)
        : cellOf_(points.size(), kNoCell) {
        const CellGrid grid(points, members, distance);
        // Where the vertex number fits below the key, the two sort as one
        // number: half the bytes to move.
        const int vertexBits = std::bit_width(points.size());
        std::vector<std::uint64_t> keys;
        if (grid.KeyBits() + vertexBits <= 64) {
            const std::uint64_t vertexMask = (std::uint64_t{1} << vertexBits) - 1;
            keys = Group<std::uint64_t>(
                members, grid.KeyBits(),
                [&](std::uint32_t v) { return grid.KeyOf(points[v]) << vertexBits | v; },
                [vertexBits](std::uint64_t item) { return item >> vertexBits; },
                [vertexMask](std::uint64_t item) {
                    return static_cast<std::uint32_t>(item & vertexMask);
                });
        } else {
            keys = Group<Keyed>(
                members, grid.KeyBits(),
                [&](std::uint32_t v) {
                    return Keyed{grid.KeyOf(points[v]), v};
                },
                [](const Keyed& item) { return item.key; },
                [](const Keyed& item) { return item.vertex; });
        }
        LinkNeighbours(keys, ForwardNeighbourOffsets(grid));
    }

    // Calls visit(w) for every member w in the cell of member `v` or in a
    // neighbouring one (v itself included).
    template <typename Visit>
    void ForEachNear(std::uint32_t v, Visit visit) const {
        const std::uint32_t cell = cellOf_[v];
        VisitRun(cell, visit);
        for (std::uint32_t n = neighbourStart_[cell]; n < neighbourStart_[cell + 1]; ++n) {
            VisitRun(neighbours_[n], visit);
        }
    }

    bool IsMember(std::size_t v) const { return cellOf_[v] != kNoCell; }

private:
    template <typename Visit>
    void VisitRun(std::uint32_t cell, Visit& visit) const {
        for (std::uint32_t i = runs_[cell]; i < runs_[cell + 1]; ++i) {
            visit(order_[i]);
        }
    }

    // Sorts the members, as items made by `make`, by their cells' keys of
    // `bits` bits (stably: each cell's run keeps the members' ascending
    // order), fills order_, runs_ and cellOf_, and returns the cells' keys.
    template <typename Item, typename Make, typename CellKey, typename Vertex>
    std::vector<std::uint64_t> Group(const std::vector<std::uint32_t>& members, int bits, Make make,
                                     CellKey cellKey, Vertex vertex) {
        std::vector<Item> sorted;
        sorted.reserve(members.size());
        for (std::uint32_t v : members) {
            sorted.push_back(make(v));
        }
        RadixSort(sorted, bits, cellKey);
        std::vector<std::uint64_t> keys;
        order_.resize(sorted.size());
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const std::uint64_t key = cellKey(sorted[i]);
            if (keys.empty() || key != keys.back()) {
                runs_.push_back(static_cast<std::uint32_t>(i));
                keys.push_back(key);
            }
            order_[i] = vertex(sorted[i]);
            cellOf_[order_[i]] = static_cast<std::uint32_t>(keys.size() - 1);
        }
        runs_.push_back(static_cast<std::uint32_t>(sorted.size()));
        return keys;
    }

    // The occupied cells sorted by key are swept once with one cursor for
    // each forward neighbour; every cursor only moves ahead. Each meeting is
    // kept both ways, then grouped by cell.
    void LinkNeighbours(const std::vector<std::uint64_t>& keys,
                        const std::array<std::uint64_t, 13>& offsets) {
        const std::size_t cells = keys.size();
        std::vector<std::uint64_t> links;  // (cell << 32 | neighbour), both ways
        std::array<std::size_t, 13> cursor{};
        for (std::size_t c = 0; c < cells; ++c) {
            for (std::size_t o = 0; o < offsets.size(); ++o) {
                const std::uint64_t wanted = keys[c] + offsets[o];
                std::size_t& n = cursor[o];
                while (n < cells && keys[n] < wanted) {
                    ++n;
                }
                if (n < cells && keys[n] == wanted) {
                    links.push_back(std::uint64_t{c} << 32 | n);
                    links.push_back(std::uint64_t{n} << 32 | c);
                }
            }
        }
        neighbourStart_.assign(cells + 1, 0);
        for (std::uint64_t link : links) {
            ++neighbourStart_[(link >> 32) + 1];
        }
        for (std::size_t c = 0; c < cells; ++c) {
            neighbourStart_[c + 1] += neighbourStart_[c];
        }
        neighbours_.resize(links.size());
        std::vector<std::uint32_t> fill(neighbourStart_.begin(), neighbourStart_.end() - 1);
        for (std::uint64_t link : links) {
            neighbours_[fill[link >> 32]++] = static_cast<std::uint32_t>(link);
        }
    }

    std::vector<std::uint32_t> order_;   // the members, cell by cell
    std::vector<std::uint32_t> runs_;    // where each cell's members start in order_, and the end
    std::vector<std::uint32_t> cellOf_;  // of each vertex; kNoCell for one not a member
    std::vector<std::uint32_t> neighbourStart_;  // where each cell's neighbours start, and the end
    std::vector<std::uint32_t> neighbours_;
};

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
    members.reserve(model.vertices.size());
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if ((all || affected[v]) && IsFinitePoint(model.vertices[v])) {
            members.push_back(static_cast<std::uint32_t>(v));
        }
    }
    const CellIndex cells(model.vertices, members, options.distance);
    // In index order, a vertex no earlier one took takes every later one
    // within the distance that is still free.
    const double limit = static_cast<double>(options.distance) * options.distance;
    constexpr int kFree = -1;
    std::vector<int> into(model.vertices.size(), kFree);
    bool anyTaken = false;
    for (std::size_t v = 0; v < into.size(); ++v) {
        if (into[v] != kFree) {
            continue;
        }
        into[v] = static_cast<int>(v);
        if (!cells.IsMember(v)) {
            continue;
        }
        const CVector& p = model.vertices[v];
        cells.ForEachNear(static_cast<std::uint32_t>(v), [&](std::uint32_t w) {
            if (w > v && into[w] == kFree && DistanceSquared(p, model.vertices[w]) <= limit) {
                into[w] = static_cast<int>(v);
                anyTaken = true;
            }
        });
    }
    ModellingResult result;
    if (!anyTaken) {
        return result;
    }
    result.acted = MergeVertices(model, target.object, into, prior);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
