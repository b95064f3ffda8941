// What vertex.delete and vertex.clean share: taking vertices and faces out
// of an object and numbering the rest again.
#pragma once

#include <cstddef>
#include <vector>

class CModel;
class PriorState;

// Keeps the vertices and faces flagged in `keepVertex` and `keepFace`, in
// their order, with their flags; a kept face must use kept vertices only.
void CompactObject(CModel& model, std::size_t object, const std::vector<bool>& keepVertex,
                   const std::vector<bool>& keepFace, PriorState* prior);
