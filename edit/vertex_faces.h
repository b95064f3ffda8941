// The per-vertex face lists (CModel::vertexInfo) that the connected-face flood
// and the belt walk follow instead of scanning every face at every step.
#pragma once

class CModel;

// True when model.vertexInfo lists, for every vertex, exactly the faces that
// use it, in face order and once per use, as the normal computation leaves it.
bool VertexFacesAreCurrent(const CModel& model);

// Rebuilds those lists when they are missing or out of date, for instance after
// a face was deleted and before the normals were computed again.
void EnsureVertexFaces(CModel& model);
