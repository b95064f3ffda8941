// Selection of everything, of nothing, of the rest, and of one material's faces.
#pragma once

#include "edit/selection_sets.h"

class CCentigrade;

// Every selectable vertex, edge and face of the editable objects, within the
// element kinds the scene lets a selection take.
void SelectAll(CCentigrade& scene);

// Clears the selection of every object (as ClearSelection).
void SelectNone(CCentigrade& scene);

// Inverts the selection of the editable objects: exactly the selectable
// vertices the selection did not affect are taken, and edges and faces with
// them as a range pick takes them: an edge whose two ends are taken, a face
// whose corners all are (its flag and every edge flag).
void InvertSelection(CCentigrade& scene);

// The visible faces of the editable objects whose material number is
// `material` (a CMaterial::id), taken as a click takes a face.
void SelectByMaterial(CCentigrade& scene, int material, SelectionUpdate update);
