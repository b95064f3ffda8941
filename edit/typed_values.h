// The values typed into the move, rotate and scale panels.
#pragma once

#include <string_view>

enum class Axis { X, Y, Z };

// Reads a number the way the panels' boxes are read: leading blanks skipped,
// the longest plain decimal number at the start taken (sign, digits, point,
// exponent; never an infinity or NaN), 0 when there is none.
float ParseTypedNumber(std::string_view text);

// A typed scale factor that is not greater than 0 means no change.
inline float TypedScaleFactor(float value) {
    return value > 0.0f ? value : 1.0f;
}
