// Deriving edge and face selections from the vertices a range pick marked.
#pragma once

class CModel;

// With `edges`, sets the flag of every triangle or quad edge whose two ends are
// marked; with `faces`, sets every edge flag of a triangle or quad whose corners
// are all marked (a face taken by a rectangle is represented by its edges).
// Flags are only ever set here; line faces take no part.
void SelectFromMarks(CModel& model, bool edges, bool faces);
