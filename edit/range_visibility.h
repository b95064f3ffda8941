// What a range pick takes when the view is not see-through (CCentigrade::xray
// off): only the vertices that no drawn face hides.
//
// The faces the view draws (front faces of visible objects, not hidden, of a
// material the scene has) are rasterised over the pick rectangle into a depth
// buffer of one sample per pixel, each pushed back by its depth slope across
// a pixel, as a polygon offset would, so that a vertex lying on a face is not
// hidden by it or by its neighbours; a vertex is hidden when a face lies in
// front of it at its pixel.
#pragma once

#include <vector>

#include "edit/pick.h"

class CCentigrade;

// Drops from the records of a range pick over `window` every vertex record
// that a drawn face hides.
void DropOccludedVertices(const CCentigrade& scene, const PickWindow& window,
                          std::vector<PickHit>& records);
