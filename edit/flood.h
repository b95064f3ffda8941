// Connected-face selection: every face reachable from a face through chains of
// faces that share at least one vertex.
#pragma once

class CModel;

// Clears every face's `visited`, then floods from each corner of `face`: every
// face reached gets `selected`, `visited` and all its edge flags set to `state`.
void FloodSelect(CModel& model, int face, bool state);

// Floods from one vertex over the faces not yet `visited`.
void FloodFromVertex(CModel& model, int vertex, bool state);
