#include "commands/material_edits.h"

#include "history/record_steps.h"
#include "image/texture_loader.h"
#include "scene/centigrade.h"

namespace {

// The fields in the order of MaterialValue.
constexpr float CMaterial::*kFields[] = {
    &CMaterial::red,      &CMaterial::green,   &CMaterial::blue,
    &CMaterial::alpha,    &CMaterial::diffuse, &CMaterial::emissive,
    &CMaterial::specular, &CMaterial::power,   &CMaterial::ambient,
};

template <typename Edit>
bool EditMaterial(EditHistory& history, CCentigrade& scene, std::size_t material, Edit edit) {
    return RecordMaterialEdit(history, scene, material, [&](CMaterial& record) {
        edit(record);
        record.UpdateColors();
    });
}

}  // namespace

const char* MaterialValueName(MaterialValue field) {
    constexpr const char* kNames[] = {"red",      "green",    "blue",  "alpha",  "diffuse",
                                      "emissive", "specular", "power", "ambient"};
    static_assert(std::size(kNames) == std::size(kMaterialValues));
    return kNames[static_cast<int>(field)];
}

float MaterialValueLimit(MaterialValue field) {
    return field == MaterialValue::Power ? 100.0f : 1.0f;
}

bool IsColourChannel(MaterialValue field) {
    return field == MaterialValue::Red || field == MaterialValue::Green ||
           field == MaterialValue::Blue;
}

float GetMaterialValue(const CMaterial& material, MaterialValue field) {
    return material.*kFields[static_cast<int>(field)];
}

bool SetMaterialValues(EditHistory& history, CCentigrade& scene, std::size_t material,
                       const std::vector<std::pair<MaterialValue, float>>& values) {
    return EditMaterial(history, scene, material, [&](CMaterial& record) {
        for (const auto& [field, value] : values) {
            record.*kFields[static_cast<int>(field)] = value;
        }
    });
}

bool RenameMaterial(EditHistory& history, CCentigrade& scene, std::size_t material,
                    std::string cp932Name) {
    return EditMaterial(history, scene, material,
                        [&](CMaterial& record) { record.name = std::move(cp932Name); });
}

bool SetMaterialTexture(EditHistory& history, CCentigrade& scene, std::size_t material,
                        const std::string& cp932Name, std::vector<TextureFailure>& failures) {
    const std::filesystem::path folder = scene.DocumentFolder();
    return EditMaterial(history, scene, material, [&](CMaterial& record) {
        record.texture = cp932Name;
        // An empty name only lets the picture go.
        if (ImageStatus status = LoadTexture(record, folder); !status && !cp932Name.empty()) {
            failures.push_back({record.name, cp932Name, std::move(status)});
        }
    });
}
