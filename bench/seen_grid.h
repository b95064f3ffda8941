// The quad grid the picking and selection benchmarks work on, seen whole in
// an 800 × 600 view.
#pragma once

#include "scene/centigrade.h"

// A cells × cells grid of quads `cellSize` across, with normals. The
// generated grid faces -y, so the view looks at it from below, where its
// faces face; 1000 cells of 0.3 fill most of the view at the default distance.
CCentigrade GridSeenFromBelow(int cells, float cellSize);
