// Small meshes with poles, borders, triangles and non-manifold edges for the
// selection tests. Faces are built with cleared edge flags.
#pragma once

#include <random>

#include "scene/model.h"

// Three quads on the edge (0, 1), each leading on into a strip of two more:
// wing w has vertices 2 + 6w .. 7 + 6w, two per step away from the edge.
CModel Fin();

// A cylinder wall of `around` × `rings` quads (vertex r * around + a on ring r,
// as MakeCylinder) closed by triangle fans around a bottom pole (vertex
// (rings + 1) * around) and a top pole (the vertex after it). Face r * around + a
// is the wall quad (r, a) → (r, a + 1) → (r + 1, a + 1) → (r + 1, a); the
// bottom fan, then the top fan follow.
CModel CappedCylinder(int around, int rings);

// A sphere of `bands` latitude bands: vertex 0 the north pole, ring i (1 to
// bands − 1) of `around` vertices from 1 + (i − 1) · around, the south pole
// last; a fan of triangles at each pole, quads between the rings. Faces: the
// north fan, the quads band by band, the south fan.
CModel UvSphere(int around, int bands);

// A 3 × 3 grid (MakeQuadGrid) whose middle quad (face 4, corners 5, 9, 10, 6)
// is split along the diagonal 5-10 into the triangles (5, 9, 10), kept as
// face 4, and (5, 10, 6), appended as face 9.
CModel GridWithSplitQuad();

// Two quads touching at vertex 0 alone: (0, 1, 2, 3) and (0, 4, 5, 6).
CModel Bowtie();

// Faces of 2 to 4 corners over few vertices: shared edges, branches, loops and
// faces that use one vertex twice.
CModel RandomMesh(std::mt19937& random);
