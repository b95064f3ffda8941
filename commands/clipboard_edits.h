// Cut and paste of faces as steps of the history, with what follows them:
// the normals of the objects they reshape, the textures pasted materials name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/clipboard.h"
#include "image/image_status.h"

class CCentigrade;
class EditHistory;

// Removes the selected faces of editable objects as one step; returns their
// text for the clipboard, empty when none was selected.
std::string CutFaces(EditHistory& history, CCentigrade& scene);

// Adds the objects of a clipboard text as one step and loads the textures
// the new materials name; those that fail go to `failures`.
PasteOutcome PasteFaceText(EditHistory& history, CCentigrade& scene, std::string_view text,
                           std::vector<TextureFailure>& failures);
