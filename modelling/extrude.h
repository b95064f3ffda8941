// face.extrude: the selected faces grow out of the object.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

struct ExtrudeOptions {
    float distance = 0;
    // Each face along its own normal instead of each connected region along
    // the average normal of its faces.
    bool individual = false;
};

// The selected triangles and quads of the current object (lines are left
// alone) move off by `distance` along the side they are seen from, and
// their boundary edges grow side quads back to where they were.
//
// As a region: faces sharing a vertex form one region, moved along the
// average of its faces' unit normals. A boundary edge is an edge of a
// selected face that no other selected face shares, or that more than two
// faces share. A vertex of the region is duplicated (the copy moves, the
// original stays for the faces around) when it lies on a boundary edge or
// an unselected face or a line uses it; the others simply move.
// Individually: every selected face gets its own copies of its corners and
// a side quad on each edge.
//
// The moved faces keep their places, corners' texture coordinates and
// materials; the side quads (one per boundary edge, after all other faces)
// take the material of their face and the texture coordinates of the edge's
// two corners; the new vertices come after all others. Afterwards only the
// moved faces are selected.
ModellingResult ExtrudeFaces(CCentigrade& scene, const ExtrudeOptions& options,
                             PriorState* prior = nullptr);
