// Edits of the current material made by the material panels. Each changes the
// material in place, refreshes its GL colours and asks the views to redraw;
// none touches an object, so the renderer keeps its geometry arrays.
#pragma once

#include <filesystem>
#include <string>

class CMaterial;
class CQuorvelDoc;

// The numeric fields of a material, in the order the material form shows them.
enum class MaterialValue { Red, Green, Blue, Alpha, Diffuse, Emissive, Specular, Power, Ambient };

inline constexpr MaterialValue kMaterialValues[] = {
    MaterialValue::Red,      MaterialValue::Green,   MaterialValue::Blue,
    MaterialValue::Alpha,    MaterialValue::Diffuse, MaterialValue::Emissive,
    MaterialValue::Specular, MaterialValue::Power,   MaterialValue::Ambient,
};

// The largest value the field takes: 100 for the specular power, 1 otherwise.
float MaterialValueLimit(MaterialValue field);
// Whether the field is a colour channel (it changes the swatches).
bool IsColourChannel(MaterialValue field);
float GetMaterialValue(const CMaterial& material, MaterialValue field);

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
