// The quad grid the drawing benchmarks show, seen at 800 × 600.
#pragma once

#include "scene/centigrade.h"

// A cells × cells grid with normals, seen from below where its faces face,
// with edges and vertices shown or not.
CCentigrade MakeViewedGrid(int cells, bool edgesAndVertices);
