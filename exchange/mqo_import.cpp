// CCentigrade::LoadMQO: the import of a ".mqo" document, or of the one inside
// a ".mqoz" archive, into the scene.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "exchange/document_files.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqoz_folder.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Relative texture names resolve against the document's folder; for an
// archive, against its unpacked files when the texture is among them, else
// against the folder the archive lies in.
std::filesystem::path TextureFolder(const std::string& texture,
                                    const std::filesystem::path& unpackedFolder,
                                    const std::filesystem::path& documentFolder) {
    const bool unpacked = !unpackedFolder.empty() && !IsAbsoluteTextureName(texture) &&
                          FindFileIgnoringCase(unpackedFolder, TextureNameToPath(texture));
    return unpacked ? unpackedFolder : documentFolder;
}

bool ImportText(CCentigrade& scene, const std::filesystem::path& path,
                const std::filesystem::path& unpackedFolder,
                const std::filesystem::path& documentFolder, CCentigrade::MqoImport& outcome) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        outcome.failure = "cannot open " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    struct stat info;
    if (::fstat(::fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        outcome.failure = path.string() + " is a folder";
        return false;
    }
    const std::size_t materialsBefore = scene.materials.size();
    const std::size_t modelsBefore = scene.models.size();
    LoaderMQO loader(scene, file.get());
    loader.materialBase = scene.materialSerial;
    loader.loadTexture = [&](CMaterial& material) {
        material.LoadTexture(TextureFolder(material.texture, unpackedFolder, documentFolder));
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
    return outcome.result == 0;
}

}  // namespace

bool CCentigrade::LoadMQO(const std::filesystem::path& path, MqoImport* outcome) {
    MqoImport local;
    MqoImport& result = outcome ? *outcome : local;
    result = MqoImport();
    const std::filesystem::path documentFolder = std::filesystem::absolute(path).parent_path();
    if (LowerExtension(path) != "mqoz") {
        return ImportText(*this, path, {}, documentFolder, result);
    }
    MqozFolder extracted;
    if (std::string reason = extracted.Extract(path); !reason.empty()) {
        result.failure = reason;
        return false;
    }
    return ImportText(*this, extracted.Document(), extracted.Folder(), documentFolder, result);
}
