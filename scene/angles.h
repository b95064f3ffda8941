// Angles arrive in degrees; the arithmetic of the transforms is single
// precision, with sine and cosine taken in double and rounded to single.
#pragma once

#include <cmath>

inline float Radians(float degrees) {
    return degrees / 360.0f * 6.2831855f;
}
inline float Sine(float radians) {
    return static_cast<float>(std::sin(static_cast<double>(radians)));
}
inline float Cosine(float radians) {
    return static_cast<float>(std::cos(static_cast<double>(radians)));
}
