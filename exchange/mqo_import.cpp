// LoadMQO: the import of a ".mqo" document, or of the one inside
// a ".mqoz" archive, into the scene.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "exchange/document_formats.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqoz_folder.h"
#include "image/texture_loader.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/document_error.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Relative texture names resolve against the document's folder; for an
// archive, against its files when the texture is among them (extracted then),
// else against the folder the archive lies in. Failures are collected.
void LoadArchivedTexture(CMaterial& material, MqozFolder* archive,
                         const std::filesystem::path& documentFolder, MqoImport& outcome) {
    if (material.texture.empty()) {
        material.ReleaseTexture();
        return;
    }
    std::filesystem::path folder = documentFolder;
    if (archive && !IsAbsoluteTextureName(material.texture)) {
        const MqozFolder::Texture texture =
            archive->ExtractTexture(TextureNameToPath(material.texture));
        if (!texture.refusal.empty()) {
            material.ReleaseTexture();
            outcome.textureFailures.push_back(
                {material.name, material.texture,
                 ImageRefused(ImageFailure::SizeLimit, texture.refusal)});
            return;
        }
        if (!texture.file.empty()) {
            folder = archive->Folder();
        }
    }
    if (ImageStatus status = LoadTexture(material, folder); !status) {
        outcome.textureFailures.push_back({material.name, material.texture, std::move(status)});
    }
}

MqoImport ImportText(CCentigrade& scene, const std::filesystem::path& path, MqozFolder* archive,
                     const std::filesystem::path& documentFolder) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw DocumentError(path, std::string("cannot open: ") + std::strerror(errno));
    }
    struct stat info;
    if (::fstat(::fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw DocumentError(path, "is a folder");
    }
    MqoImport outcome;
    const std::size_t materialsBefore = scene.materials.size();
    const std::size_t modelsBefore = scene.models.size();
    LoaderMQO loader(scene, file.get());
    loader.materialBase = scene.materialSerial;
    loader.loadTexture = [&](CMaterial& material) {
        LoadArchivedTexture(material, archive, documentFolder, outcome);
    };
    outcome.result = loader.Load();
    outcome.repairs = loader.Repairs();
    file.reset();
    // Faces without a material group refer to material number materialBase. A
    // document that brings no materials therefore gets a default one with that
    // number whenever it brought faces, and an empty scene gets one in any case:
    // a scene with objects always has a material to draw their faces with.
    const bool newFaces =
        std::any_of(scene.models.begin() + static_cast<std::ptrdiff_t>(modelsBefore),
                    scene.models.end(), [](const CModel& m) { return !m.faces.empty(); });
    if (scene.materials.empty() || (scene.materials.size() == materialsBefore && newFaces)) {
        scene.materials.emplace_back(scene.materialSerial++);
    }
    scene.UpdateAllColors();
    return outcome;
}

}  // namespace

MqoImport LoadMQO(CCentigrade& scene, const std::filesystem::path& path) {
    const std::filesystem::path documentFolder = std::filesystem::absolute(path).parent_path();
    if (const DocumentFormat* format = FindDocumentFormat(path); !format || !format->packed) {
        return ImportText(scene, path, nullptr, documentFolder);
    }
    MqozFolder archive(path);
    return ImportText(scene, archive.Document(), &archive, documentFolder);
}
