// The connected-face flood and the belt walk as first described: one recursive
// call per face, every face of the object scanned at every step. The belt keeps
// the one guard without which it can run forever: a face already on the belt
// is not walked again. Only for small meshes.
#pragma once

#include "scene/model.h"

void LiteralFloodSelect(CModel& model, int face, bool state);
void LiteralFloodFromVertex(CModel& model, int key, bool state);
void LiteralWalkBelt(CModel& model, int start, int previous, int a, int b, bool state);
void LiteralSelectRing(CModel& model, int face, int edge, bool state);
