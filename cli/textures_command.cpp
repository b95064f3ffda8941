// quorvel-cli textures FILE: for every material of a document, its texture
// name, the file it resolves to (or why not) and the picture decoded from it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "exchange/document_files.h"
#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

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
        std::printf("missing: not found%s\n",
                    IsAbsoluteTextureName(material.texture)
                        ? ""
                        : " beside the document or in TEXTURE/ beside the program");
        return false;
    }
    for (const std::filesystem::path& file : files) {
        DibStream image;
        if (const ImageStatus status = DecodeImageFile(file, image); !status) {
            std::printf("-> %s: %s; ", file.c_str(), DescribeImageStatus(status).c_str());
            continue;
        }
        std::printf("-> %s: %dx%d, %d bits\n", file.c_str(), image.Width(), image.AbsHeight(),
                    image.BitCount());
        return true;
    }
    std::printf("missing: no usable file\n");
    return false;
}

}  // namespace

int RunTextures(const Arguments& args) {
    if (args.size() != 1) {
        return Fail(2, "usage: quorvel-cli textures FILE");
    }
    CCentigrade& scene = CommandScene();
    try {
        OpenDocumentFile(args[0], scene);
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    bool allUsable = true;
    for (const CMaterial& m : scene.materials) {
        allUsable = DescribeTexture(m, scene) && allUsable;
    }
    return allUsable ? 0 : 1;
}
