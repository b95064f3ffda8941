#include "modelling/primitives.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "modelling/mesh_parts.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = kTwoPi / 2;

class Builder {
public:
    Builder(const CVector& centre, int material) : centre_(centre), material_(material) {}

    int Vertex(float x, float y, float z) {
        model_.vertices.push_back(Point(centre_.x + x, centre_.y + y, centre_.z + z));
        return static_cast<int>(model_.vertices.size() - 1);
    }

    void Face(std::initializer_list<int> corners, std::initializer_list<CUV> uvs) {
        model_.faces.push_back(MakeFace(std::span<const int>(corners.begin(), corners.size()),
                                        material_, std::span<const CUV>(uvs.begin(), uvs.size())));
    }

    void Reserve(std::size_t vertices, std::size_t faces) {
        model_.vertices.reserve(vertices);
        model_.faces.reserve(faces);
    }

    const CVector& Position(int v) const { return model_.vertices[static_cast<std::size_t>(v)]; }
    CModel Take() { return std::move(model_); }

private:
    CModel model_;
    CVector centre_;
    int material_;
};

float Fraction(int i, int n) {
    return static_cast<float>(i) / static_cast<float>(n);
}

// Corners of a quad cell seen from outside: along the row (to the right as
// seen), then down, then back.
template <typename Index, typename Uv>
void AddCell(Builder& b, int i, int j, Index index, Uv uv) {
    b.Face({index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)},
           {uv(i, j), uv(i + 1, j), uv(i + 1, j + 1), uv(i, j + 1)});
}

CModel Plane(const PrimitiveOptions& o, int material) {
    const int n = o.segments;
    const int side = n + 1;
    Builder b(o.centre, material);
    b.Reserve(static_cast<std::size_t>(side) * side, static_cast<std::size_t>(n) * n);
    for (int j = 0; j <= n; ++j) {
        for (int i = 0; i <= n; ++i) {
            b.Vertex((Fraction(i, n) - 0.5f) * o.size, 0.0f, (Fraction(j, n) - 0.5f) * o.size);
        }
    }
    // Seen from above: right is +x, down the image is +z.
    const auto index = [side](int i, int j) { return j * side + i; };
    const auto uv = [n](int i, int j) { return CUV{Fraction(i, n), Fraction(j, n)}; };
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            AddCell(b, i, j, index, uv);
        }
    }
    return b.Take();
}

// One side of the cube as seen from outside, in lattice steps (0..n on each
// axis): its top left corner, and the directions right and down.
struct CubeSide {
    int origin[3];
    int right[3];
    int down[3];
};

CModel Cube(const PrimitiveOptions& o, int material) {
    const int n = o.segments;
    // Right × up points out of each side.
    const CubeSide sides[6] = {
        {{0, n, n}, {1, 0, 0}, {0, -1, 0}},   // +z
        {{n, n, 0}, {-1, 0, 0}, {0, -1, 0}},  // -z
        {{n, n, n}, {0, 0, -1}, {0, -1, 0}},  // +x
        {{0, n, 0}, {0, 0, 1}, {0, -1, 0}},   // -x
        {{0, n, 0}, {1, 0, 0}, {0, 0, 1}},    // +y
        {{0, 0, n}, {1, 0, 0}, {0, 0, -1}},   // -y
    };
    Builder b(o.centre, material);
    const std::size_t cells = static_cast<std::size_t>(n) * n;
    b.Reserve(6 * cells + 2, 6 * cells);
    // Lattice points on edges and corners belong to several sides: one vertex each.
    std::unordered_map<std::int64_t, int> vertexAt;
    vertexAt.reserve(6 * cells + 2);
    for (const CubeSide& side : sides) {
        const auto index = [&](int i, int j) {
            int p[3];
            for (int a = 0; a < 3; ++a) {
                p[a] = side.origin[a] + side.right[a] * i + side.down[a] * j;
            }
            const std::int64_t key =
                (static_cast<std::int64_t>(p[0]) * (n + 1) + p[1]) * (n + 1) + p[2];
            const auto [it, added] = vertexAt.try_emplace(key, 0);
            if (added) {
                it->second = b.Vertex((Fraction(p[0], n) - 0.5f) * o.size,
                                      (Fraction(p[1], n) - 0.5f) * o.size,
                                      (Fraction(p[2], n) - 0.5f) * o.size);
            }
            return it->second;
        };
        const auto uv = [n](int i, int j) { return CUV{Fraction(i, n), Fraction(j, n)}; };
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                AddCell(b, i, j, index, uv);
            }
        }
    }
    return b.Take();
}

// A ring of `around` points at height y and radius r. Point i sits at angle
// -2πi/around from +x, so that the index grows to the right as seen from
// outside. Returns the index of its first point.
int AddRing(Builder& b, int around, float radius, float y) {
    const int first = b.Vertex(radius, y, 0.0f);
    for (int i = 1; i < around; ++i) {
        const double angle = -kTwoPi * i / around;
        b.Vertex(radius * static_cast<float>(std::cos(angle)), y,
                 radius * static_cast<float>(std::sin(angle)));
    }
    return first;
}

// The bands between consecutive rings (first points in `rings`, top to
// bottom); texture v of ring r is vOfRing(r), u runs once around.
template <typename VOfRing>
void AddWall(Builder& b, int around, const std::vector<int>& rings, VOfRing vOfRing) {
    for (std::size_t r = 0; r + 1 < rings.size(); ++r) {
        const auto index = [&](int i, int j) {
            return rings[r + static_cast<std::size_t>(j)] + i % around;
        };
        const auto uv = [&](int i, int j) {
            return CUV{Fraction(i, around), vOfRing(static_cast<int>(r) + j)};
        };
        for (int i = 0; i < around; ++i) {
            AddCell(b, i, 0, index, uv);
        }
    }
}

// Triangles from `pole` to the ring starting at `ring`: a pole above the
// ring (top) or below it. The pole's corner takes uvOf(pole, i + 0.5), the
// ring's corners uvOf(point, i) and uvOf(point, i + 1).
template <typename UvOf>
void AddFan(Builder& b, int around, int pole, int ring, bool top, UvOf uvOf) {
    for (int i = 0; i < around; ++i) {
        const int a = ring + i;
        const int c = ring + (i + 1) % around;
        const CUV poleUv = uvOf(pole, static_cast<float>(i) + 0.5f);
        const CUV aUv = uvOf(a, static_cast<float>(i));
        const CUV cUv = uvOf(c, static_cast<float>(i + 1));
        if (top) {
            b.Face({pole, c, a}, {poleUv, cUv, aUv});
        } else {
            b.Face({pole, a, c}, {poleUv, aUv, cUv});
        }
    }
}

// Planar coordinates on a cap of diameter `size`, seen from above (top) or
// from below.
auto CapUv(const Builder& b, const CVector& centre, float size, bool top) {
    return [&b, centre, size, top](int v, float) {
        const CVector& p = b.Position(v);
        const float dz = (p.z - centre.z) / size;
        return CUV{0.5f + (p.x - centre.x) / size, top ? 0.5f + dz : 0.5f - dz};
    };
}

// u once around, v = `v`, for the wall's fans.
auto WallUv(int around, float v) {
    return [around, v](int, float i) { return CUV{i / static_cast<float>(around), v}; };
}

CModel Cylinder(const PrimitiveOptions& o, int material) {
    const int m = o.segments;
    const int k = o.rings;
    const float h = o.size / 2;
    Builder b(o.centre, material);
    b.Reserve(static_cast<std::size_t>(m) * (k + 1) + 2, static_cast<std::size_t>(m) * (k + 2));
    std::vector<int> rings;
    for (int j = 0; j <= k; ++j) {
        rings.push_back(AddRing(b, m, h, (0.5f - Fraction(j, k)) * o.size));
    }
    const int top = b.Vertex(0, h, 0);
    const int bottom = b.Vertex(0, -h, 0);
    AddWall(b, m, rings, [k](int ring) { return Fraction(ring, k); });
    AddFan(b, m, top, rings.front(), true, CapUv(b, o.centre, o.size, true));
    AddFan(b, m, bottom, rings.back(), false, CapUv(b, o.centre, o.size, false));
    return b.Take();
}

CModel Sphere(const PrimitiveOptions& o, int material) {
    const int m = o.segments;
    const int k = o.rings;
    const float r = o.size / 2;
    Builder b(o.centre, material);
    b.Reserve(static_cast<std::size_t>(m) * (k - 1) + 2, static_cast<std::size_t>(m) * k);
    std::vector<int> rings;
    for (int j = 1; j < k; ++j) {
        const double latitude = kPi * j / k;
        rings.push_back(AddRing(b, m, r * static_cast<float>(std::sin(latitude)),
                                r * static_cast<float>(std::cos(latitude))));
    }
    const int north = b.Vertex(0, r, 0);
    const int south = b.Vertex(0, -r, 0);
    AddWall(b, m, rings, [k](int ring) { return Fraction(ring + 1, k); });
    AddFan(b, m, north, rings.front(), true, WallUv(m, 0.0f));
    AddFan(b, m, south, rings.back(), false, WallUv(m, 1.0f));
    return b.Take();
}

CModel Cone(const PrimitiveOptions& o, int material) {
    const int m = o.segments;
    const int k = o.rings;
    const float h = o.size / 2;
    Builder b(o.centre, material);
    b.Reserve(static_cast<std::size_t>(m) * k + 2, static_cast<std::size_t>(m) * (k + 1));
    std::vector<int> rings;
    for (int j = 1; j <= k; ++j) {
        rings.push_back(AddRing(b, m, h * Fraction(j, k), (0.5f - Fraction(j, k)) * o.size));
    }
    const int tip = b.Vertex(0, h, 0);
    const int bottom = b.Vertex(0, -h, 0);
    AddWall(b, m, rings, [k](int ring) { return Fraction(ring + 1, k); });
    AddFan(b, m, tip, rings.front(), true, WallUv(m, 0.0f));
    AddFan(b, m, bottom, rings.back(), false, CapUv(b, o.centre, o.size, false));
    return b.Take();
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

PrimitiveOptions DefaultPrimitiveOptions(Primitive shape) {
    PrimitiveOptions options;
    switch (shape) {
        case Primitive::Plane:
        case Primitive::Cube:
            break;
        case Primitive::Cylinder:
        case Primitive::Cone:
            options.segments = 16;
            break;
        case Primitive::Sphere:
            options.segments = 16;
            options.rings = 8;
            break;
    }
    return options;
}

ModellingRefusal CheckPrimitiveOptions(Primitive shape, const PrimitiveOptions& options) {
    if (!std::isfinite(options.size) || options.size <= 0) {
        return ModellingRefusal::SizeOutOfRange;
    }
    if (!IsFinitePoint(options.centre)) {
        return ModellingRefusal::CentreOutOfRange;
    }
    switch (shape) {
        case Primitive::Plane:
            return InRange(options.segments, 1, 1024) ? ModellingRefusal::None
                                                      : ModellingRefusal::SegmentsOutOfRange;
        case Primitive::Cube:
            return InRange(options.segments, 1, 512) ? ModellingRefusal::None
                                                     : ModellingRefusal::SegmentsOutOfRange;
        case Primitive::Cylinder:
        case Primitive::Sphere:
        case Primitive::Cone:
            if (!InRange(options.segments, 3, 1024)) {
                return ModellingRefusal::SegmentsOutOfRange;
            }
            return InRange(options.rings, shape == Primitive::Sphere ? 2 : 1, 1024)
                       ? ModellingRefusal::None
                       : ModellingRefusal::RingsOutOfRange;
    }
    return ModellingRefusal::None;
}

CModel BuildPrimitive(Primitive shape, const PrimitiveOptions& options, int material) {
    switch (shape) {
        case Primitive::Plane:
            return Plane(options, material);
        case Primitive::Cube:
            return Cube(options, material);
        case Primitive::Cylinder:
            return Cylinder(options, material);
        case Primitive::Sphere:
            return Sphere(options, material);
        case Primitive::Cone:
            return Cone(options, material);
    }
    return CModel();
}
