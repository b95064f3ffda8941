// Meshes built in code for tests and benchmarks.
#pragma once

#include "scene/centigrade.h"

// Computed face normals point to the side from which the view culls a face:
// a face is seen from the side its normal points away from.

// A flat grid of quads in the x-z plane, centred on the origin, `cells` × `cells`
// quads of `cellSize`, with normals +y, so seen from below. Material 0.
CModel MakeQuadGrid(int cells, float cellSize = 1.0f);

// A closed cylinder wall around the y axis: `around` quads per ring, `rings` rings.
CModel MakeCylinder(int around, int rings, float radius, float height);

// An axis-aligned cube of six quads with outward normals, so seen from inside.
CModel MakeCube(float size);

// A scene holding `model` as object 1 and one default material 0.
CCentigrade MakeSceneWith(CModel model);
