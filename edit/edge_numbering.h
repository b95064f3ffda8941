// Edges are numbered per object face by face: a line face owns one number, a
// triangle or quad one per corner (edge k runs from corner k to corner k + 1),
// other faces none. An edge shared by two faces has two numbers.
#pragma once

class CModel;

struct EdgeLocation {
    int face = -1;  // -1 when no face owns the number
    int corner = 0;
};

EdgeLocation LocateEdge(const CModel& model, int edgeNumber);
