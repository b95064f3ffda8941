#include "exchange/document_files.h"

#include "exchange/glb_writer.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "exchange/mqoz_writer.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "exchange/stl_writer.h"
#include "scene/ascii.h"
#include "scene/atomic_file.h"
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

// What every import does once its records are in the scene: textures named
// in it resolve beside the file, and the lighting is rebuilt.
DocumentLoadResult FinishImport(const std::filesystem::path& path, CCentigrade& scene, int repairs,
                                std::vector<TextureFailure> textureFailures) {
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    scene.ComputeAllNormals();
    DocumentLoadResult result;
    result.repairs = repairs;
    result.imported = true;
    result.textureFailures = std::move(textureFailures);
    return result;
}

// A Metasequoia document is imported: its objects and materials are added to
// the scene's. A damaged one leaves what was read before the damage.
DocumentLoadResult ImportMetasequoia(const std::filesystem::path& path, CCentigrade& scene) {
    MqoImport outcome = scene.LoadMQO(path);
    DocumentLoadResult result =
        FinishImport(path, scene, outcome.repairs, std::move(outcome.textureFailures));
    result.importResult = outcome.result;
    return result;
}

DocumentLoadResult ImportObj(const std::filesystem::path& path, CCentigrade& scene) {
    ObjImport outcome = ImportObjFile(scene, path);
    if (!outcome.failure.empty()) {
        throw DocumentError(path, outcome.failure);
    }
    DocumentLoadResult result =
        FinishImport(path, scene, outcome.repairs, std::move(outcome.textureFailures));
    result.conversions = outcome.conversions;
    return result;
}

}  // namespace

DocumentLoadResult OpenDocumentFile(const std::filesystem::path& path, CCentigrade& scene) {
    DocumentLoadResult result;
    const std::string ext = LowerExtension(path);
    if (IsMetasequoia(ext)) {
        return ImportMetasequoia(path, scene);
    }
    if (ext == "obj") {
        return ImportObj(path, scene);
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
    SaveDocumentFile(path, scene, AtomicWriteOptions());
}

void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene,
                      const AtomicWriteOptions& options) {
    const std::string ext = LowerExtension(path);
    if (ext == "qvl") {
        SaveNativeDocument(path, scene, options);
        return;
    }
    std::string failure;
    if (ext == "mqo") {
        failure = WriteFileAtomically(path, FormatMQO(scene), options);
    } else if (ext == "mqoz") {
        failure = SaveMqoz(path, scene);
    } else if (ext == "obj") {
        failure = SaveObj(path, scene);
    } else if (ext == "stl") {
        failure = SaveStl(path, scene);
    } else if (ext == "glb") {
        failure = SaveGlb(path, scene);
    } else {
        failure = "cannot save documents of type \"" + ext + "\"";
    }
    if (!failure.empty()) {
        throw DocumentError(path, failure);
    }
}
