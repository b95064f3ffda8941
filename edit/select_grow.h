// Growing and shrinking the selection by a ring of faces, and taking the
// whole of every part it touches.
#pragma once

class CCentigrade;

// Takes every visible face that shares a vertex with the selection (a vertex
// it affects), as a click takes a face, within the selectable element kinds.
// One selected face of a grid grows to the 3 × 3 faces around it.
void GrowSelection(CCentigrade& scene);

// Keeps of the selected faces those that share no vertex with a visible face
// outside the selection, and replaces each editable object's selection with
// them (taken as a click takes a face). The 3 × 3 faces shrink to the middle
// one; faces on the border of the mesh stay.
void ShrinkSelection(CCentigrade& scene);

// Takes every visible face connected through shared vertices to the
// selection, as the connected mode's flood does from a clicked face.
void SelectLinked(CCentigrade& scene);
