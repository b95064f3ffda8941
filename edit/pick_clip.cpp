#include "edit/pick_clip.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kPlanes = 6;

// Signed distance-like value of `c` to clip plane `plane`; inside when >= 0.
double PlaneDistance(const ClipCoord& c, int plane) {
    switch (plane) {
        case 0:
            return c.w + c.x;
        case 1:
            return c.w - c.x;
        case 2:
            return c.w + c.y;
        case 3:
            return c.w - c.y;
        case 4:
            return c.w + c.z;
        default:
            return c.w - c.z;
    }
}

ClipCoord Lerp(const ClipCoord& a, const ClipCoord& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
            a.w + (b.w - a.w) * t};
}

// Every comparison with NaN fails, so a NaN corner would pass every plane
// test; such points are never hit (readers keep them out of scenes anyway).
bool IsFinite(const ClipCoord& c) {
    return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z) && std::isfinite(c.w);
}

double WindowDepth(const ClipCoord& c) {
    return (c.z / c.w + 1.0) / 2.0;
}

// Sutherland-Hodgman against one plane. A clipped triangle or quad never has
// more than 4 + 6 corners.
constexpr std::size_t kMaxCorners = 10;

struct Polygon {
    std::array<ClipCoord, kMaxCorners> corners;
    std::size_t size = 0;
};

void ClipAgainst(const Polygon& in, int plane, Polygon& out) {
    out.size = 0;
    for (std::size_t i = 0; i < in.size; ++i) {
        const ClipCoord& p = in.corners[i];
        const ClipCoord& q = in.corners[(i + 1) % in.size];
        const double dp = PlaneDistance(p, plane);
        const double dq = PlaneDistance(q, plane);
        if (dp >= 0.0) {
            out.corners[out.size++] = p;
        }
        if ((dp >= 0.0) != (dq >= 0.0)) {
            out.corners[out.size++] = Lerp(p, q, dp / (dp - dq));
        }
    }
}

}  // namespace

std::optional<double> PointDepth(const ClipCoord& c) {
    if (!IsFinite(c) || OutCode(c) != 0 || c.w <= 0.0) {
        return std::nullopt;
    }
    return WindowDepth(c);
}

std::optional<double> SegmentDepth(const ClipCoord& a, const ClipCoord& b) {
    if (!IsFinite(a) || !IsFinite(b)) {
        return std::nullopt;
    }
    double enter = 0.0;
    double leave = 1.0;
    for (int plane = 0; plane < kPlanes; ++plane) {
        const double da = PlaneDistance(a, plane);
        const double db = PlaneDistance(b, plane);
        if (da < 0.0 && db < 0.0) {
            return std::nullopt;
        }
        if (da < 0.0) {
            enter = std::max(enter, da / (da - db));
        } else if (db < 0.0) {
            leave = std::min(leave, da / (da - db));
        }
    }
    if (enter > leave) {
        return std::nullopt;
    }
    const ClipCoord first = Lerp(a, b, enter);
    const ClipCoord last = Lerp(a, b, leave);
    if (first.w <= 0.0 || last.w <= 0.0) {
        return std::nullopt;
    }
    return std::min(WindowDepth(first), WindowDepth(last));
}

std::optional<double> FrontPolygonDepth(std::span<const ClipCoord> corners) {
    Polygon polygon;
    for (const ClipCoord& c : corners) {
        if (!IsFinite(c)) {
            return std::nullopt;
        }
        polygon.corners[polygon.size++] = c;
    }
    Polygon clipped;
    for (int plane = 0; plane < kPlanes; ++plane) {
        ClipAgainst(polygon, plane, clipped);
        if (clipped.size == 0) {
            return std::nullopt;
        }
        polygon = clipped;
    }
    double twiceArea = 0.0;
    double depth = 1.0;
    for (std::size_t i = 0; i < polygon.size; ++i) {
        const ClipCoord& p = polygon.corners[i];
        const ClipCoord& q = polygon.corners[(i + 1) % polygon.size];
        if (p.w <= 0.0) {
            return std::nullopt;
        }
        twiceArea += p.x / p.w * (q.y / q.w) - q.x / q.w * (p.y / p.w);
        depth = std::min(depth, WindowDepth(p));
    }
    if (twiceArea > 0.0) {
        return std::nullopt;
    }
    return depth;
}

float SelectBufferDepth(double windowZ) {
    // NaN compares false both ways, which clamp would pass through to the cast.
    const double clamped = windowZ > 0.0 ? std::min(windowZ, 1.0) : 0.0;
    const auto scaled = static_cast<std::uint32_t>(clamped * 4294967295.0);
    return static_cast<float>(scaled) / 2147483648.0f;
}
