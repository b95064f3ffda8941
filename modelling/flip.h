// face.flip: the selected faces turn to be seen from the other side.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Reverses the corner order, texture coordinates and edge flags of the
// selected faces of the current object; the selection stays.
ModellingResult FlipFaces(CCentigrade& scene, PriorState* prior = nullptr);
