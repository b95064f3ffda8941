#include "exchange/document_files.h"

#include "exchange/loader_mqo.h"
#include "scene/ascii.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"

std::string LowerExtension(const std::filesystem::path& path) {
    std::string ext = LowerAscii(path.extension().string());
    if (!ext.empty()) {
        ext.erase(0, 1);
    }
    return ext;
}

namespace {

bool IsMetasequoia(const std::string& ext) {
    return ext == "mqo" || ext == "mqoz";
}

// A Metasequoia document is imported: its objects and materials are added to
// the scene's. A damaged one leaves what was read before the damage.
DocumentLoadResult ImportMetasequoia(const std::filesystem::path& path, CCentigrade& scene) {
    MqoImport outcome = scene.LoadMQO(path);
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    scene.ComputeAllNormals();
    DocumentLoadResult result;
    result.repairs = outcome.repairs;
    result.importResult = outcome.result;
    result.imported = true;
    result.textureFailures = std::move(outcome.textureFailures);
    return result;
}

}  // namespace

DocumentLoadResult OpenDocumentFile(const std::filesystem::path& path, CCentigrade& scene) {
    DocumentLoadResult result;
    const std::string ext = LowerExtension(path);
    if (IsMetasequoia(ext)) {
        return ImportMetasequoia(path, scene);
    }
    if (ext != "qvl") {
        throw DocumentError(path, "unknown document type \"" + ext + "\"");
    }
    result.repairs = LoadNativeDocument(path, scene);
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    result.textureFailures = scene.LoadTextures();
    scene.UpdateAllColors();
    scene.ComputeAllNormals();
    return result;
}

void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene) {
    const std::string ext = LowerExtension(path);
    if (ext == "mqo") {
        scene.SaveMQO(path);
        return;
    }
    if (ext != "qvl") {
        throw DocumentError(path, "cannot save documents of type \"" + ext + "\"");
    }
    SaveNativeDocument(path, scene);
}
