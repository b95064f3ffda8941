// The edge under the cursor, where an edge loop or ring click starts.
#pragma once

#include <optional>

#include "edit/edge_loops.h"

class CCentigrade;

// The edge under client point (x, y) (y down) of a visible face of an editable
// object, whatever the tool and the selectable kinds; the nearest when several
// are, as a click picks.
std::optional<ObjectEdgeRef> PickEdge(const CCentigrade& scene, int x, int y);
