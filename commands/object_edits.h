// Edits of an object's own fields: those of the object form, recorded as one
// step each, and the visibility and lock, which the history leaves alone.
#pragma once

#include <cstddef>
#include <string>

class CCentigrade;
class EditHistory;

// Each returns whether a step was recorded: a value equal to the stored one is none.
bool RenameObject(EditHistory& history, CCentigrade& scene, std::size_t object,
                  std::string cp932Name);
// Stores the smoothing angle (degrees, unclamped) and recomputes the object's normals.
bool SetSmoothingAngle(EditHistory& history, CCentigrade& scene, std::size_t object, float degrees);
bool SetMirrorAxis(EditHistory& history, CCentigrade& scene, std::size_t object, int axis);

// The two buttons of an object's state: visibility flips 0 <-> 3 and 1 <-> 2,
// the lock flips 0 <-> 1 and 2 <-> 3.
enum class StateButton { Visibility, Lock };
int ToggledState(int state, StateButton button);
// Sets the state (0 editable, 1 locked, 2 and 3 hidden); the manipulator
// follows what can still be transformed.
void SetObjectState(CCentigrade& scene, std::size_t object, int state);
