// Numbers as the writers put them in files. Readers turn numbers that are not
// finite into 0, so a scene should never hold one; should an edit make one all
// the same (a scaling beyond the float range), the writers still put out 0
// rather than "nan" or "inf", which no reader of the format accepts.
#pragma once

#include <cmath>

inline float WrittenNumber(float value) {
    return std::isfinite(value) ? value : 0.0f;
}
