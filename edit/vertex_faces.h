// The per-vertex face lists (CModel::vertexInfo) that the belt walk, edge
// loops and edge rings follow instead of scanning every face at every step.
//
// The normal computation leaves, for every vertex, the faces that use it in
// face order, once per use. Between two normal computations this program
// changes topology only by deleting faces (which renumbers the faces after the
// deleted one) and by appending; a list read during a walk is therefore
// checked as it is read: every face it names must exist, come in ascending
// order and use the vertex. After deletions a stale list always fails that
// check (its largest entry either lies past the end or names a face that has
// moved down and no longer uses the vertex), so a list that passes is exact.
#pragma once

class CModel;

// Cheap checks on the whole: one list per vertex, and the last face listed at
// each of its corners (appended faces are caught here).
bool VertexFacesLookCurrent(const CModel& model);

// Whether the list of `vertex` passes the check described above.
bool VertexFaceListIsConsistent(const CModel& model, int vertex);

// Rebuilds every list as the normal computation does.
void RebuildVertexFaces(CModel& model);

// Runs `walk` (which returns false as soon as it meets a list that fails the
// check, before it changes anything) on current lists, rebuilding them first
// when they look out of date and again when the walk finds a bad one.
template <typename Walk>
void WithVertexFaces(CModel& model, Walk walk) {
    if (!VertexFacesLookCurrent(model)) {
        RebuildVertexFaces(model);
    }
    if (!walk()) {
        RebuildVertexFaces(model);
        walk();
    }
}
