// The small pieces every modelling command builds with: faces, points and
// face normals. New faces are made only through MakeFace, so a change of the
// face record is fixed here alone.
//
// Orientation: a face is seen from the side where its corners run clockwise
// on screen, and the face normal the normal computation gives,
// (P0 - P1) × (P0 - P2), points away from that side. FrontNormal is the
// opposite direction: out of the side the face is seen from.
#pragma once

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <span>

#include "scene/face.h"
#include "scene/model.h"
#include "scene/vector.h"

// A face of 2 to 4 corners with `material`, every flag clear, and either no
// texture coordinates or one per corner.
CFace MakeFace(std::span<const int> corners, int material, std::span<const CUV> uvs = {});
inline CFace MakeFace(std::initializer_list<int> corners, int material) {
    return MakeFace(std::span<const int>(corners.begin(), corners.size()), material);
}

// The stored fields of `face` (corners, texture coordinates, material) in a
// new face with every flag clear.
CFace CopyFace(const CFace& face);

// Selected as a click selects a face: the face and each of its edges.
void SelectWhole(CFace& face);

// Corners and texture coordinates in the opposite order, with each edge flag
// kept on the edge it belongs to.
void ReverseCorners(CFace& face);

// --- Points. New vertices are built from coordinates only, so that no
// selection or mark of the vertex they were computed from comes along.
inline CVector Point(float x, float y, float z) {
    return CVector(x, y, z);
}
inline CVector Plus(const CVector& a, const CVector& b) {
    return CVector(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline CVector Minus(const CVector& a, const CVector& b) {
    return CVector(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline CVector Times(const CVector& a, float s) {
    return CVector(a.x * s, a.y * s, a.z * s);
}
inline CVector Midpoint(const CVector& a, const CVector& b) {
    return Times(Plus(a, b), 0.5f);
}
inline CVector CrossOf(const CVector& a, const CVector& b) {
    CVector c;
    c.Cross(a, b);
    return CVector(c.x, c.y, c.z);
}
inline float LengthSquared(const CVector& a) {
    return CVector::Dot(a, a);
}
inline bool IsFinitePoint(const CVector& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
inline CUV MidUv(const CUV& a, const CUV& b) {
    return CUV{(a.u + b.u) * 0.5f, (a.v + b.v) * 0.5f};
}
// `v` scaled to unit length; (0, 0, 0) stays (0, 0, 0).
CVector Unit(const CVector& v);

// The component of a point along an axis (0 x, 1 y, 2 z).
inline float& Coordinate(CVector& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}
inline float Coordinate(const CVector& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

// The unit normal out of the side `face` is seen from, from all its corners
// (Newell's sum, so a quad that is not flat gets its average); (0, 0, 0) for
// a line or a face without area.
CVector FrontNormal(const CModel& model, const CFace& face);
// Newell's sum itself: twice the area, pointing the same way as the face
// normal the normal computation gives.
CVector NewellSum(const CModel& model, const CFace& face);
