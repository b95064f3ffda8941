// What vertex.weld and vertex.merge_by_distance share: merging vertices into
// others and repairing the faces that used them.
#pragma once

#include <cstddef>
#include <vector>

class CModel;
class PriorState;

// `into[v]` is the vertex v merges into, v itself when it stays; a vertex
// others merge into must stay itself. Each such vertex moves to the centre
// of the vertices merged into it (itself included). Faces take the new
// indices, lose a corner that repeats one they already have (with its
// texture coordinate), and go when fewer than 2 corners are left. The
// vertices merged away stay in the list, unused, so no index changes.
// Afterwards only the vertices others merged into are selected.
// Returns the number of vertices merged away.
std::size_t MergeVertices(CModel& model, std::size_t object, const std::vector<int>& into,
                          PriorState* prior);
