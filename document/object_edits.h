// Edits of objects made by the object panels, through the edits of
// commands/object_edits.h, with the document's mark and redraw.
#pragma once

#include <string>

#include "commands/object_edits.h"

class CModel;
class CQuorvelDoc;

// The object at currentModel, or null when that index names none.
CModel* CurrentModel(CQuorvelDoc& doc);

// Each does nothing and returns false without a current object.
bool RenameCurrentModel(CQuorvelDoc& doc, const std::string& cp932Name);
// Stores the smoothing angle (degrees, unclamped) and recomputes the object's normals.
bool SetCurrentSmoothingAngle(CQuorvelDoc& doc, float degrees);

// Presses a state button of object `index`. False for an index that names no object.
bool ToggleModelState(CQuorvelDoc& doc, int index, StateButton button);
