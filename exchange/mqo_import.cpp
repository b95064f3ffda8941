// LoadMQO: the import of a ".mqo" document, or of the one inside
// a ".mqoz" archive, into the scene.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "exchange/document_formats.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqoz_folder.h"
#include "image/texture_batch.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/document_error.h"
#include "scene/regular_file.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The textures of one import: each name resolved and decoded once.
struct ImportTextures {
    MqozFolder* archive;
    TextureBatch beside;    // the document's folder
    TextureBatch unpacked;  // the archive's files, by the name the document gives them
};

// Relative texture names resolve against the document's folder; for an
// archive, against its files when the texture is among them (extracted then),
// else against the folder the archive lies in. Failures are collected.
void LoadArchivedTexture(CMaterial& material, ImportTextures& textures, MqoImport& outcome) {
    if (material.texture.empty()) {
        material.ReleaseTexture();
        return;
    }
    if (textures.archive && !IsAbsoluteTextureName(material.texture)) {
        const MqozFolder::Texture texture =
            textures.archive->ExtractTexture(TextureNameToPath(material.texture));
        if (!texture.refusal.empty()) {
            material.ReleaseTexture();
            outcome.textureFailures.push_back(
                {material.name, material.texture,
                 ImageRefused(texture.encrypted ? ImageFailure::Encrypted : ImageFailure::SizeLimit,
                              texture.refusal)});
            return;
        }
        if (!texture.file.empty()) {
            if (ImageStatus status = textures.unpacked.Load(material, texture.file); !status) {
                outcome.textureFailures.push_back(
                    {material.name, material.texture, std::move(status)});
            }
            return;
        }
    }
    if (ImageStatus status = textures.beside.Load(material); !status) {
        outcome.textureFailures.push_back({material.name, material.texture, std::move(status)});
    }
}

MqoImport ImportText(CCentigrade& scene, const std::filesystem::path& path, MqozFolder* archive,
                     const std::filesystem::path& documentFolder) {
    RegularFile opened(path, kMaxDocumentBytes);
    if (!opened) {
        opened.ThrowRefusal();
    }
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(opened.Descriptor(), "rb"));
    if (!file) {
        throw DocumentError(path, std::string("cannot open: ") + std::strerror(errno));
    }
    opened.Release();
    ImportTextures textures{archive, TextureBatch(documentFolder, GetModuleFolder()),
                            TextureBatch({}, {})};
    MqoImport outcome;
    const std::size_t materialsBefore = scene.materials.size();
    const std::size_t modelsBefore = scene.models.size();
    LoaderMQO loader(scene, file.get());
    loader.materialBase = scene.materialSerial;
    loader.loadTexture = [&](CMaterial& material) {
        LoadArchivedTexture(material, textures, outcome);
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
