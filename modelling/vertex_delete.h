// vertex.delete: the selected vertices and their faces go.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Removes from the current object every face using an affected vertex
// (selected, corner of a selected face, end of a selected edge), then the
// affected vertices and those the removed faces alone used, and numbers the
// remaining vertices again (vertices no face used before stay). Nothing is
// selected afterwards.
ModellingResult DeleteVertices(CCentigrade& scene, PriorState* prior = nullptr);
