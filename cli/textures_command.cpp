// quorvel-cli textures FILE: for every material of a document, its texture
// name, the file it resolves to (or why not) and the picture decoded from it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "exchange/document_files.h"
#include "image/dib_stream.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"
#include "scene/native_document.h"

namespace {

// Native documents are read without loading textures, so that a texture that
// fails keeps its name here; other formats load theirs as they are read.
void ReadDocument(const std::filesystem::path& path, CCentigrade& scene) {
    if (LowerExtension(path) == "qvl") {
        LoadNativeDocument(path, scene);
        scene.SetDocumentFolder(std::filesystem::absolute(path));
    } else {
        OpenDocumentFile(path, scene);
    }
}

// Prints one material's line; false when its texture cannot be used.
bool DescribeTexture(const CMaterial& material, const CCentigrade& scene) {
    std::printf("material %d \"%s\": ", material.id, Cp932ToUtf8(material.name).c_str());
    if (material.texture.empty()) {
        std::printf("no texture\n");
        return true;
    }
    std::printf("\"%s\" ", Cp932ToUtf8(material.texture).c_str());
    if (material.texture.size() > kMaxTextureNameLength) {
        std::printf("refused: name longer than %zu bytes\n", kMaxTextureNameLength);
        return false;
    }
    const auto files =
        TextureCandidates(material.texture, scene.DocumentFolder(), GetModuleFolder());
    if (files.empty()) {
        std::printf("not found%s\n",
                    IsAbsoluteTextureName(material.texture)
                        ? ""
                        : " beside the document or in TEXTURE/ beside the program");
        return false;
    }
    for (const std::filesystem::path& file : files) {
        DibStream image;
        if (DecodeImageFile(file, image)) {
            std::printf("-> %s: %dx%d, %d bits\n", file.c_str(), image.Width(), image.AbsHeight(),
                        image.BitCount());
            return true;
        }
        std::printf("-> %s: cannot decode; ", file.c_str());
    }
    std::printf("no usable file\n");
    return false;
}

}  // namespace

int RunTextures(const Arguments& args) {
    if (args.size() != 1) {
        return Fail(2, "usage: quorvel-cli textures FILE");
    }
    CCentigrade scene;
    try {
        ReadDocument(args[0], scene);
    } catch (const ArchiveError& e) {
        return Fail(1, e.what());
    }
    bool allUsable = true;
    for (const CMaterial& m : scene.materials) {
        allUsable = DescribeTexture(m, scene) && allUsable;
    }
    return allUsable ? 0 : 1;
}
