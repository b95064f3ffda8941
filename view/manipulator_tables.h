// Shapes of the move, rotate and scale manipulators in manipulator units (the
// view scales them by 60 / zoom). Drawing and picking use the same tables, so
// a handle is hit exactly where it is seen. Every triangle runs clockwise seen
// from outside its shape, the side the view does not cull.
#pragma once

#include <array>

#include "scene/vector.h"

// Three corner numbers into one shape's points.
using HandleTriangle = std::array<int, 3>;

constexpr int kArrowPointsPerAxis = 5;
constexpr int kRingPointsPerAxis = 24;
constexpr int kCubePointsPerCube = 8;

// Five points per axis in the order x, y, z: the tip at 100, three base corners
// at 80 and the base centre.
extern const std::array<CVector, 15> handleArrowPoints;
extern const std::array<HandleTriangle, 4> handleArrowTriangles;

// Twenty-four points per axis in the order x, y, z: eight stations 45 degrees
// apart, each an inner point at radius 80 and two outer points at radius 87.5,
// 3 units to either side along the axis.
extern const std::array<CVector, 72> handleRingPoints;
extern const std::array<HandleTriangle, 48> handleRingTriangles;

// Eight corners per cube in the order x cube, y cube, z cube, centre cube.
extern const std::array<CVector, 32> handleCubePoints;
extern const std::array<HandleTriangle, 12> handleCubeTriangles;
