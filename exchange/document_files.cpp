#include "exchange/document_files.h"

#include "exchange/document_formats.h"
#include "exchange/loader_mqo.h"
#include "exchange/obj_reader.h"
#include "image/texture_loader.h"
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

// What every import does once its records are in the scene: textures named
// in it resolve beside the file.
DocumentLoadResult FinishImport(const std::filesystem::path& path, CCentigrade& scene, int repairs,
                                std::vector<TextureFailure> textureFailures) {
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    DocumentLoadResult result;
    result.repairs = repairs;
    result.imported = true;
    result.textureFailures = std::move(textureFailures);
    return result;
}

}  // namespace

DocumentLoadResult ImportMetasequoia(const std::filesystem::path& path, CCentigrade& scene) {
    MqoImport outcome = LoadMQO(scene, path);
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

DocumentLoadResult OpenDocumentFile(const std::filesystem::path& path, CCentigrade& scene) {
    DocumentLoadResult result = ReadDocumentFile(path, scene);
    scene.ComputeAllNormals();
    return result;
}

DocumentLoadResult ReadDocumentFile(const std::filesystem::path& path, CCentigrade& scene) {
    const DocumentFormat* format = FindDocumentFormat(path);
    if (!format || format->reader == FormatReader::None) {
        throw DocumentError(path, "unknown document type \"" + LowerExtension(path) + "\"");
    }
    if (format->reader == FormatReader::Append) {
        return format->append(path, scene);
    }
    DocumentLoadResult result;
    result.repairs = LoadNativeDocument(path, scene);
    scene.SetDocumentFolder(std::filesystem::absolute(path));
    result.textureFailures = LoadTextures(scene);
    scene.UpdateAllColors();
    return result;
}

void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene) {
    SaveDocumentFile(path, scene, AtomicWriteOptions());
}

void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene,
                      const AtomicWriteOptions& options) {
    const DocumentFormat* format = FindDocumentFormat(path);
    if (!format || !format->write) {
        throw DocumentError(path, "cannot save documents of type \"" + LowerExtension(path) + "\"");
    }
    format->write(path, scene, options);
}
