// face.triangulate: selected quads into triangles.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Each selected quad of the current object becomes two triangles along its
// shorter diagonal (corners 0-2 when the diagonals are equal), in its place:
// the triangle holding corner 0 first. The triangles are selected; nothing
// else changes. Nothing changes when no selected face is a quad.
ModellingResult TriangulateFaces(CCentigrade& scene, PriorState* prior = nullptr);
