#include "exchange/document_files.h"

#include <algorithm>
#include <cctype>

#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"

std::string LowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    if (!ext.empty()) {
        ext.erase(0, 1);
    }
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

DocumentLoadResult OpenDocumentFile(const std::filesystem::path& path, CCentigrade& scene) {
    DocumentLoadResult result;
    const std::string ext = LowerExtension(path);
    if (ext != "qvl") {
        throw ArchiveError(path.string() + ": unknown document type \"" + ext + "\"");
    }
    result.repairs = LoadNativeDocument(path, scene);
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    scene.LoadTextures();
    scene.UpdateAllColors();
    scene.ComputeAllNormals();
    return result;
}

void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene) {
    const std::string ext = LowerExtension(path);
    if (ext != "qvl") {
        throw ArchiveError(path.string() + ": cannot save documents of type \"" + ext + "\"");
    }
    SaveNativeDocument(path, scene);
}
