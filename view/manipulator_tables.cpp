#include "view/manipulator_tables.h"

#include <cmath>

#include "scene/angles.h"

namespace {

// Places the coordinate `along` on the axis and (p, q) on the two others, in
// x, y, z order.
CVector OnAxis(int axis, float along, float p, float q) {
    switch (axis) {
        case 0:
            return {along, p, q};
        case 1:
            return {p, along, q};
        default:
            return {p, q, along};
    }
}

std::array<CVector, 15> BuildArrowPoints() {
    std::array<CVector, 15> points;
    for (int axis = 0; axis < 3; ++axis) {
        CVector* p = &points[static_cast<std::size_t>(axis * kArrowPointsPerAxis)];
        p[0] = OnAxis(axis, 100, 0, 0);
        p[1] = OnAxis(axis, 80, 0, 10);
        p[2] = OnAxis(axis, 80, -8, -5);
        p[3] = OnAxis(axis, 80, 8, -5);
        p[4] = OnAxis(axis, 80, 0, 0);
    }
    return points;
}

// A point of a ring about `axis` at radius r, `offset` along the axis, where
// (c, s) are the cosine and sine of the station's angle.
CVector RingPoint(int axis, float r, float offset, float c, float s) {
    switch (axis) {
        case 0:
            return {offset, -r * c, r * s};
        case 1:
            return {r * c, offset, r * s};
        default:
            return {-r * s, -r * c, offset};
    }
}

std::array<CVector, 72> BuildRingPoints() {
    std::array<CVector, 72> points;
    std::size_t next = 0;
    for (int axis = 0; axis < 3; ++axis) {
        for (int station = 0; station < 8; ++station) {
            // Degrees to radians the way the whole program converts them.
            const float radians = Radians(static_cast<float>(45 * station));
            const auto c = static_cast<float>(std::cos(static_cast<double>(radians)));
            const auto s = static_cast<float>(std::sin(static_cast<double>(radians)));
            points[next++] = RingPoint(axis, 80.0f, 0.0f, c, s);
            points[next++] = RingPoint(axis, 87.5f, 3.0f, c, s);
            points[next++] = RingPoint(axis, 87.5f, -3.0f, c, s);
        }
    }
    return points;
}

std::array<HandleTriangle, 48> BuildRingTriangles() {
    std::array<HandleTriangle, 48> triangles;
    std::size_t next = 0;
    for (int station = 0; station < 8; ++station) {
        const int i = 3 * station;
        const int j = i + 1;
        const int k = i + 2;
        const int I = 3 * ((station + 1) % 8);
        const int J = I + 1;
        const int K = I + 2;
        triangles[next++] = {j, J, I};
        triangles[next++] = {j, I, i};
        triangles[next++] = {k, K, J};
        triangles[next++] = {k, J, j};
        triangles[next++] = {i, I, K};
        triangles[next++] = {i, K, k};
    }
    return triangles;
}

}  // namespace

const std::array<CVector, 15> handleArrowPoints = BuildArrowPoints();

const std::array<HandleTriangle, 4> handleArrowTriangles = {{
    {0, 2, 1},
    {0, 1, 3},
    {0, 3, 2},
    {1, 2, 3},
}};

const std::array<CVector, 72> handleRingPoints = BuildRingPoints();
const std::array<HandleTriangle, 48> handleRingTriangles = BuildRingTriangles();

const std::array<CVector, 32> handleCubePoints = {{
    // x cube
    {80, -5, 5},
    {80, 5, 5},
    {90, -5, 5},
    {90, 5, 5},
    {90, -5, -5},
    {90, 5, -5},
    {80, -5, -5},
    {80, 5, -5},
    // y cube
    {-5, 80, 5},
    {5, 80, 5},
    {-5, 90, 5},
    {5, 90, 5},
    {-5, 90, -5},
    {5, 90, -5},
    {-5, 80, -5},
    {5, 80, -5},
    // z cube
    {-5, 5, 80},
    {5, 5, 80},
    {-5, 5, 90},
    {5, 5, 90},
    {-5, -5, 90},
    {5, -5, 90},
    {-5, -5, 80},
    {5, -5, 80},
    // centre cube
    {-5, 5, -5},
    {5, 5, -5},
    {-5, 5, 5},
    {5, 5, 5},
    {-5, -5, 5},
    {5, -5, 5},
    {-5, -5, -5},
    {5, -5, -5},
}};

const std::array<HandleTriangle, 12> handleCubeTriangles = {{
    {1, 3, 2},
    {1, 2, 0},
    {3, 5, 4},
    {3, 4, 2},
    {5, 7, 6},
    {5, 6, 4},
    {7, 1, 0},
    {7, 0, 6},
    {7, 5, 3},
    {7, 3, 1},
    {0, 2, 4},
    {0, 4, 6},
}};
