// Edits of a material's fields, each recorded as one step. Each refreshes
// the material's GL colours; none touches an object, so the renderer keeps
// its geometry arrays.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "image/image_status.h"

class CCentigrade;
class CMaterial;
class EditHistory;

// The numeric fields of a material, in the order the material form shows them.
enum class MaterialValue { Red, Green, Blue, Alpha, Diffuse, Emissive, Specular, Power, Ambient };

inline constexpr MaterialValue kMaterialValues[] = {
    MaterialValue::Red,      MaterialValue::Green,   MaterialValue::Blue,
    MaterialValue::Alpha,    MaterialValue::Diffuse, MaterialValue::Emissive,
    MaterialValue::Specular, MaterialValue::Power,   MaterialValue::Ambient,
};

// The name of `field` as a parameter of material.set: "red", "power", ….
const char* MaterialValueName(MaterialValue field);

// The largest value the field takes: 100 for the specular power, 1 otherwise.
float MaterialValueLimit(MaterialValue field);
// Whether the field is a colour channel (it changes the swatches).
bool IsColourChannel(MaterialValue field);
float GetMaterialValue(const CMaterial& material, MaterialValue field);

// Each returns whether a step was recorded: values equal to the stored ones are none.
bool SetMaterialValues(EditHistory& history, CCentigrade& scene, std::size_t material,
                       const std::vector<std::pair<MaterialValue, float>>& values);
bool RenameMaterial(EditHistory& history, CCentigrade& scene, std::size_t material,
                    std::string cp932Name);
// Stores the texture name and loads the image; when that fails, `failures`
// gets why and the material stays untextured.
bool SetMaterialTexture(EditHistory& history, CCentigrade& scene, std::size_t material,
                        const std::string& cp932Name, std::vector<TextureFailure>& failures);
