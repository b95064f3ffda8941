// Which vertices a hidden face takes out of sight with it. Picking, selection
// and drawing all leave these out, so the rule lives beside the records.
#pragma once

#include <vector>

class CModel;

// The vertices that only hidden faces use: empty when no face is hidden.
std::vector<bool> HiddenVertices(const CModel& model);
