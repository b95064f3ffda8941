#include "document/material_edits.h"

#include "document/load_messages.h"
#include "document/quorvel_document.h"
#include "history/record_steps.h"
#include "image/image_status.h"
#include "scene/ascii.h"
#include "scene/message_sink.h"

namespace {

// CMaterial or const CMaterial.
template <typename Material>
auto& Field(Material& material, MaterialValue field) {
    switch (field) {
        case MaterialValue::Red:
            return material.red;
        case MaterialValue::Green:
            return material.green;
        case MaterialValue::Blue:
            return material.blue;
        case MaterialValue::Alpha:
            return material.alpha;
        case MaterialValue::Diffuse:
            return material.diffuse;
        case MaterialValue::Emissive:
            return material.emissive;
        case MaterialValue::Specular:
            return material.specular;
        case MaterialValue::Power:
            return material.power;
        case MaterialValue::Ambient:
            break;
    }
    return material.ambient;
}

// Edits the current material as one step; a commit that changes nothing is none.
template <typename Edit>
bool EditCurrentMaterial(CQuorvelDoc& doc, Edit edit) {
    if (!CurrentMaterial(doc)) {
        return false;
    }
    CCentigrade& scene = doc.Scene();
    if (RecordMaterialEdit(doc.History(), scene, static_cast<std::size_t>(scene.currentMaterial),
                           [&](CMaterial& material) {
                               edit(material);
                               material.UpdateColors();
                           })) {
        doc.EditRecorded();
    }
    doc.RequestRedraw();
    return true;
}

}  // namespace

float MaterialValueLimit(MaterialValue field) {
    return field == MaterialValue::Power ? 100.0f : 1.0f;
}

bool IsColourChannel(MaterialValue field) {
    return field == MaterialValue::Red || field == MaterialValue::Green ||
           field == MaterialValue::Blue;
}

float GetMaterialValue(const CMaterial& material, MaterialValue field) {
    return Field(material, field);
}

CMaterial* CurrentMaterial(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    const int index = scene.currentMaterial;
    if (index < 0 || index >= static_cast<int>(scene.materials.size())) {
        return nullptr;
    }
    return &scene.materials[static_cast<std::size_t>(index)];
}

bool SetMaterialValue(CQuorvelDoc& doc, MaterialValue field, float value) {
    return EditCurrentMaterial(doc, [&](CMaterial& material) { Field(material, field) = value; });
}

bool RenameMaterial(CQuorvelDoc& doc, const std::string& cp932Name) {
    return EditCurrentMaterial(doc, [&](CMaterial& material) { material.name = cp932Name; });
}

bool SetMaterialTexture(CQuorvelDoc& doc, const std::string& cp932Name) {
    const std::filesystem::path folder = doc.Scene().DocumentFolder();
    TextureFailure failure;
    const bool edited = EditCurrentMaterial(doc, [&](CMaterial& material) {
        material.texture = cp932Name;
        failure = {material.name, cp932Name, material.LoadTexture(folder)};
    });
    if (edited && !failure.status) {
        ShowMessage(TextureFailureMessage(failure));
    }
    return edited;
}

std::string TextureNameForFile(const std::string& utf8Path,
                               const std::filesystem::path& programFolder) {
    // Only a whole folder name counts: "Textures/a.bmp" is not inside "Texture".
    std::string prefix = (programFolder / "Texture").string();
    const std::string_view path(utf8Path);
    if (path.size() > prefix.size() + 1 &&
        EqualIgnoringAsciiCase(path.substr(0, prefix.size()), prefix) &&
        (path[prefix.size()] == '/' || path[prefix.size()] == '\\')) {
        return std::string(path.substr(prefix.size() + 1));
    }
    return utf8Path;
}
