// vertex.clean: vertices no face uses go.
#pragma once

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

// Removes the vertices of the current object that no face uses and numbers
// the others again; flags stay with their vertices and faces. Nothing
// changes when every vertex is used.
ModellingResult CleanVertices(CCentigrade& scene, PriorState* prior = nullptr);
