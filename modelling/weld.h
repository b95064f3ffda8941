// vertex.weld: the selected vertices of each object become one.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// In every editable object with two or more affected vertices (selected,
// corners of selected faces, ends of selected edges), those vertices merge
// into the first of them, placed at their centre (see MergeVertices). Refuses
// when no editable object has an affected vertex.
ModellingResult WeldVertices(CCentigrade& scene, PriorState* prior = nullptr);
