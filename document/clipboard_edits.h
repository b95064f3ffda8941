// Cut and paste of faces as document edits: each is one step of the history,
// and the views follow. The frame only moves the text to and from the system
// clipboard.
#pragma once

#include <string>
#include <string_view>

class CQuorvelDoc;

// Removes the selected faces; returns their text for the clipboard, empty
// when nothing was selected.
std::string CutFaces(CQuorvelDoc& doc);

// Adds the objects of a clipboard text; returns why nothing was added, empty
// on success. Textures the new materials name are loaded, failures shown.
std::string PasteFaceText(CQuorvelDoc& doc, std::string_view text);
