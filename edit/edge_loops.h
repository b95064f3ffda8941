// Edge loops and edge rings.
//
// A loop runs along edges: from an edge between two faces it goes on through
// every vertex with exactly four edges, each between two faces, across to the
// edge that shares no face with the one it came along, until it returns to
// its first edge, meets a vertex of another kind or reaches a border. From a
// border edge it follows the border (from a line, the line) through every
// vertex where exactly one other border (line) edge goes on. From an edge of
// three or more faces it is that edge alone.
//
// A ring runs across quads: from an edge it crosses each of its faces (at most
// two) to the opposite edge, and on across the next face there, until it
// returns, meets a triangle, a border or an edge of more than two faces.
//
// Both see the visible faces only; neither takes an edge twice, and a ring
// crosses a face at most once, so they end on every mesh; what they give
// depends on the mesh alone.
// Selecting a loop or ring sets the edge flags of every face along it (an
// edge shared by two faces has two) as the belt mode does whatever the
// element toggles, and selects its vertices when vertices are selectable.
#pragma once

#include <cstdint>
#include <vector>

#include "edit/selection_sets.h"

class CCentigrade;
class CModel;

// An edge as clicks and scripts name it: edge `corner` of face `face` of
// object `object`, from that corner to the next.
struct ObjectEdgeRef {
    int object = 0;
    int face = 0;
    int corner = 0;
};

// An edge of an object by its two vertices, the smaller first.
struct MeshEdge {
    int a = 0;
    int b = 0;

    friend bool operator==(const MeshEdge&, const MeshEdge&) = default;
    friend auto operator<=>(const MeshEdge&, const MeshEdge&) = default;
};

// The loop and the ring through edge `corner` of face `face`, in walking
// order; empty when the face is hidden or owns no such edge. The model's
// per-vertex face lists are rebuilt when out of date.
std::vector<MeshEdge> EdgeLoopOf(CModel& model, int face, int corner);
std::vector<MeshEdge> EdgeRingOf(CModel& model, int face, int corner);

// Selects the loop (ring) through `edge`, replacing the selection or adding
// to it. False, changing nothing, when the edge is not one a click could
// take: of an editable object, a visible face, within its edges.
bool SelectEdgeLoop(CCentigrade& scene, const ObjectEdgeRef& edge, SelectionUpdate update);
bool SelectEdgeRing(CCentigrade& scene, const ObjectEdgeRef& edge, SelectionUpdate update);

// The loops (rings) through every selected edge of the editable objects.
void SelectEdgeLoops(CCentigrade& scene, SelectionUpdate update);
void SelectEdgeRings(CCentigrade& scene, SelectionUpdate update);
