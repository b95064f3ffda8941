// face.subdivide: the selected faces cut into four.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Each selected face of the current object is cut at its edge midpoints: a
// quad into 4 quads around a new centre vertex, a triangle into 4 triangles,
// a line into 2 lines. Every face sharing a cut edge uses the same midpoint;
// an unselected face with cut edges is split too, into triangles and quads
// without a new vertex, so that no crack opens. The pieces take the place of
// their face in order, with its material and texture coordinates
// interpolated; the new vertices come after the old ones. The pieces of the
// selected faces are selected; the other faces keep their flags.
ModellingResult SubdivideFaces(CCentigrade& scene, PriorState* prior = nullptr);
