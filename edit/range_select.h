// Deriving edge and face selections from the vertices a range pick marked.
#pragma once

#include <vector>

class CModel;

// With `edges`, sets the flag of every triangle or quad edge whose two ends are
// marked; with `faces`, sets every edge flag of a triangle or quad whose corners
// are all marked (a face taken by a rectangle is represented by its edges).
// Flags are only ever set here; line faces and hidden faces take no part.
void SelectFromMarks(CModel& model, bool edges, bool faces);

// SelectFromMarks on every object, then the marks UpdateGizmo would rebuild from
// the selection (corners of selected faces, ends of selected edges), in one
// pass over each object's faces: the new marks are gathered apart from the
// marks the derivation reads, and replace them at the end.
void SelectFromMarksThenRemark(std::vector<CModel>& models, bool edges, bool faces);
