// Bit-for-bit comparison of everything the history restores.
#pragma once

#include <gtest/gtest.h>

#include "scene/centigrade.h"

// Positions, flags, face order and fields, materials, counters, the current
// object and material, the manipulator. Without `selection`, the selection
// and mark flags and the manipulator are left out: the user changes them
// outside the history.
::testing::AssertionResult SameScene(const CCentigrade& expected, const CCentigrade& actual,
                                     bool selection = true);

// Copies the state the user changes outside the history (selection and mark
// flags, manipulator, current material, tool) between scenes of one shape.
void CopySelectionState(const CCentigrade& from, CCentigrade& to);
