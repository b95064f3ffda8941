// Edits made by the tool forms: typed transforms of the selection and the
// manipulator's centre.
#pragma once

#include <string_view>

#include "edit/typed_values.h"

class CQuorvelDoc;

// Typed transforms change geometry: they mark the document modified and
// recompute the normals, as the end of a manipulator drag does.
void ApplyRelativeMove(CQuorvelDoc& doc, Axis axis, float value);
// Nothing happens for an empty text; returns whether the text was applied.
bool ApplyAbsoluteMove(CQuorvelDoc& doc, Axis axis, std::string_view text);
void ApplyRotation(CQuorvelDoc& doc, Axis axis, float degrees);
void ApplyScale(CQuorvelDoc& doc, Axis axis, float value);
void ApplyCentre(CQuorvelDoc& doc, Axis axis, float value);
