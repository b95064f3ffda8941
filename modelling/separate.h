// object.separate: the selected faces become an object of their own.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Moves the selected faces of the current object, with copies of the
// vertices they use (in their order), into a new object named after it
// (with a number), with its smoothing angle and mirror axis. The current
// object keeps all its vertices (those only the moved faces used become
// unused), so no index changes. The new object becomes current with its
// faces selected; nothing else stays selected.
ModellingResult SeparateFaces(CCentigrade& scene, PriorState* prior = nullptr);
