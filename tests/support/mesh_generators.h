// Meshes built in code for tests and benchmarks.
#pragma once

#include "scene/centigrade.h"

// A flat grid of quads in the x-z plane, centred on the origin, `cells` × `cells`
// quads of `cellSize`, facing up (+y). Material 0.
CModel MakeQuadGrid(int cells, float cellSize = 1.0f);

// A closed cylinder wall around the y axis: `around` quads per ring, `rings` rings.
CModel MakeCylinder(int around, int rings, float radius, float height);

// An axis-aligned cube of six quads facing outward.
CModel MakeCube(float size);

// A scene holding `model` as object 1 and one default material 0.
CCentigrade MakeSceneWith(CModel model);
