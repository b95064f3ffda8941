#include "document/material_edits.h"

#include "commands/targets.h"
#include "document/current_record_edit.h"
#include "document/load_messages.h"
#include "document/quorvel_document.h"
#include "scene/ascii.h"

CMaterial* CurrentMaterial(CQuorvelDoc& doc) {
    return CurrentMaterial(doc.Scene());
}

bool SetMaterialValue(CQuorvelDoc& doc, MaterialValue field, float value) {
    return EditCurrentMaterial(doc, [&](std::size_t material) {
        return SetMaterialValues(doc.History(), doc.Scene(), material, {{field, value}});
    });
}

bool RenameMaterial(CQuorvelDoc& doc, const std::string& cp932Name) {
    return EditCurrentMaterial(doc, [&](std::size_t material) {
        return RenameMaterial(doc.History(), doc.Scene(), material, cp932Name);
    });
}

bool SetMaterialTexture(CQuorvelDoc& doc, const std::string& cp932Name) {
    std::vector<TextureFailure> failures;
    const bool edited = EditCurrentMaterial(doc, [&](std::size_t material) {
        return SetMaterialTexture(doc.History(), doc.Scene(), material, cp932Name, failures);
    });
    doc.ReportTextureFailures(failures);
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
