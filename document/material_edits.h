// Edits of the current material made by the material panels, through the
// edits of commands/material_edits.h, with the document's mark and redraw.
#pragma once

#include <filesystem>
#include <string>

#include "commands/material_edits.h"

class CMaterial;
class CQuorvelDoc;

// The material at currentMaterial, or null when that index names none.
CMaterial* CurrentMaterial(CQuorvelDoc& doc);

// Each does nothing and returns false without a current material.
bool SetMaterialValue(CQuorvelDoc& doc, MaterialValue field, float value);
bool RenameMaterial(CQuorvelDoc& doc, const std::string& cp932Name);
// Stores the texture name and loads the image (a failure is reported through
// the message sink and leaves the material untextured).
bool SetMaterialTexture(CQuorvelDoc& doc, const std::string& cp932Name);

// The texture name to store for a chosen file: inside the program's "Texture"
// folder (any case) the part after that folder, elsewhere the path unchanged.
std::string TextureNameForFile(const std::string& utf8Path,
                               const std::filesystem::path& programFolder);
