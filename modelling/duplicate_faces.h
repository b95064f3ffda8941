// object.duplicate_faces: copies of the selected faces in the same object.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Appends to the current object copies of its selected faces and of the
// vertices they use (in their order), on the same places. The copies become
// the selection; nothing else stays selected in the object.
ModellingResult DuplicateFaces(CCentigrade& scene, PriorState* prior = nullptr);
