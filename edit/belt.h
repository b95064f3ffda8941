// Belt selection: the ring of quads running across an edge.
#pragma once

class CModel;

// Sets every edge flag of `face` to `state`; for a quad, then walks the belt
// across edge `edge` and across the opposite edge.
void SelectRing(CModel& model, int face, int edge, bool state);

// Walks on from face `previous` across the edge (a, b) (vertex indices): every
// other face holding exactly two corners on a or b gets all its edge flags set
// to `state`, and a quad whose two corners are adjacent leads on across its
// opposite edge. Faces are taken in face order, each branch followed to its end
// before the next face is tried. The walk never re-enters a face already on the
// belt (`start` and `previous` included), so it ends on every mesh.
void WalkBelt(CModel& model, int start, int previous, int a, int b, bool state);
