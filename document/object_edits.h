// Edits of objects made by the object panels.
#pragma once

#include <string>

class CModel;
class CQuorvelDoc;

// The object at currentModel, or null when that index names none.
CModel* CurrentModel(CQuorvelDoc& doc);

// Each does nothing and returns false without a current object.
bool RenameCurrentModel(CQuorvelDoc& doc, const std::string& cp932Name);
// Stores the smoothing angle (degrees, unclamped) and recomputes the object's normals.
bool SetCurrentSmoothingAngle(CQuorvelDoc& doc, float degrees);

// The two buttons of an object's state: visibility flips 0 <-> 3 and 1 <-> 2,
// the lock flips 0 <-> 1 and 2 <-> 3. The manipulator follows what can still
// be transformed. False for an index that names no object.
enum class StateButton { Visibility, Lock };
bool ToggleModelState(CQuorvelDoc& doc, int index, StateButton button);
