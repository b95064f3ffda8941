// The values typed into the move, rotate and scale panels. Typed transforms
// neither move the manipulator nor recompute normals.
#pragma once

#include <string_view>

class CCentigrade;

enum class Axis { X, Y, Z };

// Reads a number the way the panels' boxes are read: leading blanks skipped,
// the longest plain decimal number at the start taken (sign, digits, point,
// exponent; never an infinity or NaN), 0 when there is none.
float ParseTypedNumber(std::string_view text);

// A typed scale factor that is not greater than 0 means no change.
inline float TypedScaleFactor(float value) {
    return value > 0.0f ? value : 1.0f;
}

void TypedRelativeMove(CCentigrade& scene, Axis axis, float value);
// Sets that coordinate of the directly selected vertices; an empty text does
// nothing. Returns whether the text was applied.
bool TypedAbsoluteMove(CCentigrade& scene, Axis axis, std::string_view text);
void TypedRotation(CCentigrade& scene, Axis axis, float degrees);
void TypedScale(CCentigrade& scene, Axis axis, float value);
// The pivot of later rotations and scalings, shared by both panels.
void TypedCentre(CCentigrade& scene, Axis axis, float value);
