#include "view/manipulator_tables.h"

#include <gtest/gtest.h>

#include <span>

namespace {

void ExpectPoint(const CVector& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-4f);
    EXPECT_NEAR(p.y, y, 1e-4f);
    EXPECT_NEAR(p.z, z, 1e-4f);
}

// Six times the signed volume enclosed by a closed triangle shape: positive
// when its triangles run counter-clockwise seen from outside.
double SignedVolume(std::span<const CVector> points, std::span<const HandleTriangle> triangles) {
    double volume = 0;
    for (const HandleTriangle& t : triangles) {
        const CVector& a = points[static_cast<std::size_t>(t[0])];
        const CVector& b = points[static_cast<std::size_t>(t[1])];
        const CVector& c = points[static_cast<std::size_t>(t[2])];
        volume += double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) -
                  double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
                  double{a.z} * (double{b.x} * c.y - double{b.y} * c.x);
    }
    return volume;
}

TEST(ManipulatorTables, ArrowPointsFollowTheAxisPattern) {
    ExpectPoint(handleArrowPoints[0], 100, 0, 0);
    ExpectPoint(handleArrowPoints[1], 80, 0, 10);
    ExpectPoint(handleArrowPoints[2], 80, -8, -5);
    ExpectPoint(handleArrowPoints[3], 80, 8, -5);
    ExpectPoint(handleArrowPoints[4], 80, 0, 0);
    ExpectPoint(handleArrowPoints[5], 0, 100, 0);
    ExpectPoint(handleArrowPoints[6], 0, 80, 10);
    ExpectPoint(handleArrowPoints[7], -8, 80, -5);
    ExpectPoint(handleArrowPoints[12], -8, -5, 80);
    ExpectPoint(handleArrowPoints[14], 0, 0, 80);
}

TEST(ManipulatorTables, RingStationsAreFortyFiveDegreesApart) {
    ExpectPoint(handleRingPoints[0], 0, -80, 0);
    ExpectPoint(handleRingPoints[3], 0, -56.5685f, 56.5685f);
    ExpectPoint(handleRingPoints[4], 3, -61.8718f, 61.8718f);
    ExpectPoint(handleRingPoints[5], -3, -61.8718f, 61.8718f);
    // y ring station 2 (90 degrees): (80c, 0, 80s).
    ExpectPoint(handleRingPoints[24 + 6], 0, 0, 80);
    ExpectPoint(handleRingPoints[24 + 7], 0, 3, 87.5f);
    // z ring station 2: (-80s, -80c, 0).
    ExpectPoint(handleRingPoints[48 + 6], -80, 0, 0);
    ExpectPoint(handleRingPoints[48 + 8], -87.5f, 0, -3);
}

TEST(ManipulatorTables, RingTrianglesCloseOntoTheFirstStation) {
    EXPECT_EQ(handleRingTriangles[0], (HandleTriangle{1, 4, 3}));
    EXPECT_EQ(handleRingTriangles[4], (HandleTriangle{0, 3, 5}));
    EXPECT_EQ(handleRingTriangles[5], (HandleTriangle{0, 5, 2}));
    EXPECT_EQ(handleRingTriangles[42], (HandleTriangle{22, 1, 0}));
    EXPECT_EQ(handleRingTriangles[47], (HandleTriangle{21, 2, 23}));
}

TEST(ManipulatorTables, CubesSpanTheirRanges) {
    for (int cube = 0; cube < 4; ++cube) {
        CVector min(1e9f, 1e9f, 1e9f);
        CVector max(-1e9f, -1e9f, -1e9f);
        for (int i = 0; i < kCubePointsPerCube; ++i) {
            const CVector& p = handleCubePoints[static_cast<std::size_t>(cube * 8 + i)];
            min = CVector(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
            max = CVector(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
        }
        const float low[3] = {min.x, min.y, min.z};
        const float high[3] = {max.x, max.y, max.z};
        for (int axis = 0; axis < 3; ++axis) {
            const bool along = axis == cube;
            EXPECT_EQ(low[axis], along ? 80.0f : -5.0f) << "cube " << cube << " axis " << axis;
            EXPECT_EQ(high[axis], along ? 90.0f : 5.0f) << "cube " << cube << " axis " << axis;
        }
    }
}

// The y arrow and the y cube list their cross-axis coordinates as (x, z), a
// mirror image of the other axes, so they run the other way round: the view
// then shows and hits their far side, which has the same outline.
TEST(ManipulatorTables, WindingSeenFromOutside) {
    const double arrowVolume = 4800.0;
    const double cubeVolume = 6000.0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const double sign = axis == 1 ? 1.0 : -1.0;
        EXPECT_DOUBLE_EQ(
            SignedVolume(std::span(handleArrowPoints).subspan(axis * 5, 5), handleArrowTriangles),
            sign * arrowVolume);
        EXPECT_DOUBLE_EQ(
            SignedVolume(std::span(handleCubePoints).subspan(axis * 8, 8), handleCubeTriangles),
            sign * cubeVolume);
        EXPECT_LT(
            SignedVolume(std::span(handleRingPoints).subspan(axis * 24, 24), handleRingTriangles),
            0.0);
    }
    EXPECT_DOUBLE_EQ(SignedVolume(std::span(handleCubePoints).subspan(24, 8), handleCubeTriangles),
                     -cubeVolume);
}

TEST(ManipulatorTables, EveryShapeIsClosed) {
    // A closed shape's signed volume does not depend on the origin: shift it and compare.
    const auto shifted = [](std::span<const CVector> points) {
        std::vector<CVector> moved(points.begin(), points.end());
        for (CVector& p : moved) {
            p += CVector(7, -11, 13);
        }
        return moved;
    };
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const auto arrow = std::span(handleArrowPoints).subspan(axis * 5, 5);
        EXPECT_NEAR(SignedVolume(arrow, handleArrowTriangles),
                    SignedVolume(shifted(arrow), handleArrowTriangles), 1.0);
        const auto ring = std::span(handleRingPoints).subspan(axis * 24, 24);
        EXPECT_NEAR(SignedVolume(ring, handleRingTriangles),
                    SignedVolume(shifted(ring), handleRingTriangles), 10.0);
        EXPECT_NE(SignedVolume(ring, handleRingTriangles), 0.0);
    }
}

}  // namespace
