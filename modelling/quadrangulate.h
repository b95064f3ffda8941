// face.quadrangulate: pairs of selected triangles into quads.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

struct QuadrangulateOptions {
    float angle = 40.0f;  // degrees, 0 to 180
};

// Two selected triangles of the current object become one quad when they
// share an edge that no other face shares, run that edge in opposite
// directions (so they are seen from the same side), have the same material
// and the same texture coordinates at its two ends (or none), form a convex
// quad, and their normals differ by at most `angle`. The flattest pairs go
// first (angles compared in hundredths of a degree); among equally flat ones
// the pair with the longer shared edge (the diagonal of the quad it came
// from; lengths compared in ten-thousandths of the longest), then the one
// whose first triangle and edge come first, so the result is the same on
// every run. The quad takes the place
// of the lower-numbered triangle and is selected; triangles left unpaired
// keep their flags.
ModellingResult QuadrangulateFaces(CCentigrade& scene, const QuadrangulateOptions& options,
                                   PriorState* prior = nullptr);
