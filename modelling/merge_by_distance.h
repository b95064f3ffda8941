// vertex.merge_by_distance: vertices closer than a distance become one.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

struct MergeByDistanceOptions {
    float distance = 0.01f;
};

// Among the affected vertices of the current object (all its vertices when
// none is affected), each vertex in index order that no earlier one has
// taken takes every later one within `distance` (inclusive) not taken yet;
// each group merges at its centre (see MergeVertices). Vertices with
// non-finite coordinates never merge. Each vertex looks only in its own
// cell of a grid of cells at least twice the distance wide and in the
// neighbouring ones, so the time grows linearly with the vertices when the
// points are spread.
ModellingResult MergeByDistance(CCentigrade& scene, const MergeByDistanceOptions& options,
                                PriorState* prior = nullptr);
