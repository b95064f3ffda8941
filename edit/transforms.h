// The transforms of the affected vertices: those selected, or marked as corners
// of selected faces and ends of selected edges, in editable objects. The pivot
// of every rotation and scaling is the manipulator position `gizmo`.
#pragma once

class CCentigrade;

void MoveSelection(CCentigrade& scene, float dx, float dy, float dz);
// Angles in degrees: positive turns about y and z counter-clockwise seen from
// the positive axis, about x clockwise.
void RotateSelectionX(CCentigrade& scene, float degrees);
void RotateSelectionY(CCentigrade& scene, float degrees);
void RotateSelectionZ(CCentigrade& scene, float degrees);
// Relative growth of the offsets from the pivot: 0 keeps a coordinate, 1 doubles it.
void ScaleSelectionBy(CCentigrade& scene, float kx, float ky, float kz);
// Absolute factors of the offsets from the pivot.
void ScaleSelectionX(CCentigrade& scene, float factor);
void ScaleSelectionY(CCentigrade& scene, float factor);
void ScaleSelectionZ(CCentigrade& scene, float factor);
// Only directly selected vertices take a typed coordinate.
void SetSelectionX(CCentigrade& scene, float value);
void SetSelectionY(CCentigrade& scene, float value);
void SetSelectionZ(CCentigrade& scene, float value);

// The per-axis transforms, indexed by axis (x, y, z).
using AxisTransform = void (*)(CCentigrade& scene, float amount);
inline constexpr AxisTransform kRotateSelection[] = {RotateSelectionX, RotateSelectionY,
                                                     RotateSelectionZ};
inline constexpr AxisTransform kScaleSelection[] = {ScaleSelectionX, ScaleSelectionY,
                                                    ScaleSelectionZ};
inline constexpr AxisTransform kSetSelection[] = {SetSelectionX, SetSelectionY, SetSelectionZ};
