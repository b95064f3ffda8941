// Hiding faces from drawing and picking, and showing them again.
//
// A hidden face stays in the object as it was: every file keeps it, every
// edit of the geometry sees it; only drawing, picking and the selection
// commands pass it by. A vertex is hidden with the last visible face using it.
// Hiding and showing change the objects' topology revisions (the drawn faces
// change) and their selections, but not the document.
#pragma once

class CCentigrade;

// Hides the selected faces of the editable objects (see IsFaceSelected) and
// drops the selection of their corners and of the edges between them.
void HideSelected(CCentigrade& scene);

// Hides the visible faces of the editable objects that are not selected, and
// drops the selection of the vertices that only hidden faces use.
void HideUnselected(CCentigrade& scene);

// Shows every hidden face of the editable objects and adds it to the
// selection, as a click takes a face, within the selectable element kinds.
void RevealHidden(CCentigrade& scene);
