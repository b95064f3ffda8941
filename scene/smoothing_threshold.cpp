#include "scene/smoothing_threshold.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "scene/angles.h"

float SmoothingRadians(float facetDegrees) {
    return Radians(facetDegrees);
}

float SmoothingAngle(float d) {
    return static_cast<float>(std::acos(static_cast<double>(std::clamp(d, -1.0f, 1.0f))));
}

namespace {

// Maps floats to integers of the same order (for the finite values used here).
std::int32_t OrderKey(float f) {
    auto bits = std::bit_cast<std::int32_t>(f);
    return bits < 0 ? std::numeric_limits<std::int32_t>::min() - bits : bits;
}

float FromOrderKey(std::int32_t key) {
    return std::bit_cast<float>(key < 0 ? std::numeric_limits<std::int32_t>::min() - key : key);
}

}  // namespace

float SmoothingMinimumDot(float t) {
    // Values beyond [-1, 1] are clamped, so only that range needs searching.
    if (!(SmoothingAngle(1.0f) < t)) {
        return std::numeric_limits<float>::infinity();
    }
    if (SmoothingAngle(-1.0f) < t) {
        return -std::numeric_limits<float>::infinity();
    }
    // Invariant: the angle at `low` fails the test, the angle at `high` passes.
    std::int32_t low = OrderKey(-1.0f);
    std::int32_t high = OrderKey(1.0f);
    while (high - low > 1) {
        std::int32_t mid = low + (high - low) / 2;
        if (SmoothingAngle(FromOrderKey(mid)) < t) {
            high = mid;
        } else {
            low = mid;
        }
    }
    return FromOrderKey(high);
}
