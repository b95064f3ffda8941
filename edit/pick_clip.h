// Clipping of single primitives against the pick volume, in homogeneous clip
// coordinates of the pick projection (the pick matrix already applied), as the
// GL clips them in selection mode. Each test gives the minimum window depth
// (0 near to 1 far) of what is left of the primitive, or nothing when nothing is.
#pragma once

#include <optional>
#include <span>

#include "view/view_math.h"

// Bit i is set when the point lies strictly outside clip plane i
// (x >= -w, x <= w, y >= -w, y <= w, z >= -w, z <= w). A primitive whose corners
// share a bit lies wholly outside that plane and can be dismissed at once.
// Every corner of every face a pick looks at passes here: it is inline.
inline unsigned OutCode(const ClipCoord& c) {
    const auto outside = [](double distance, unsigned bit) {
        return distance < 0.0 ? 1u << bit : 0u;
    };
    return outside(c.w + c.x, 0) | outside(c.w - c.x, 1) | outside(c.w + c.y, 2) |
           outside(c.w - c.y, 3) | outside(c.w + c.z, 4) | outside(c.w - c.z, 5);
}

std::optional<double> PointDepth(const ClipCoord& c);
std::optional<double> SegmentDepth(const ClipCoord& a, const ClipCoord& b);
// A primitive with a non-finite coordinate is never hit.
// A triangle or a quad. Polygons running counter-clockwise in window coordinates
// after clipping are culled, as the view culls them; a polygon seen edge-on
// (no area) is not.
std::optional<double> FrontPolygonDepth(std::span<const ClipCoord> corners);

// A window depth as the select buffer reports it: scaled to 32 bits, then read
// back as a float on the 0 to 2 scale.
float SelectBufferDepth(double windowZ);
