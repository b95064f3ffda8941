// Loading a material's texture: name resolution, the reader chosen by the
// extension, and the conversion to the depths the renderer uploads.
#include "image/texture_loader.h"

#include <memory>

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/image_status.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/material.h"

ImageStatus LoadImageFile(CMaterial& material, const std::filesystem::path& path) {
    // Decoded aside, so that a failure leaves `image` (maybe shared) as it was.
    auto decoded = std::make_shared<DibStream>();
    ImageStatus status = DecodeImageFile(path, *decoded);
    if (!status) {
        return status;
    }
    // The renderer uploads blue, green, red, with alpha when the picture has it.
    if (decoded->BitCount() != 32 && !decoded->Convert(24)) {
        return ImageRefused(ImageFailure::OutOfMemory, "converting to 24 bits");
    }
    material.image = std::move(decoded);
    return status;
}

ImageStatus LoadTexture(CMaterial& material, const std::filesystem::path& documentFolder) {
    // Copies of this material keep the picture they share; this one lets go.
    material.image.reset();
    const std::string& texture = material.texture;
    if (texture.empty()) {
        return ImageRefused(ImageFailure::NotFound, "no texture name");
    }
    const auto files = TextureCandidates(texture, documentFolder, GetModuleFolder());
    if (files.empty()) {
        if (texture.size() > kMaxTextureNameLength) {
            return ImageRefused(
                ImageFailure::SizeLimit,
                "a name longer than " + std::to_string(kMaxTextureNameLength) + " bytes");
        }
        return ImageRefused(ImageFailure::NotFound,
                            "neither beside the document nor in TEXTURE/ beside the program");
    }
    // The first refusal says most: the file beside the document is the one meant.
    ImageStatus first;
    for (const std::filesystem::path& file : files) {
        ImageStatus status = LoadImageFile(material, file);
        if (status) {
            return status;
        }
        if (first) {
            first = std::move(status);
        }
    }
    return first;
}

std::vector<TextureFailure> LoadTextures(CCentigrade& scene) {
    std::vector<TextureFailure> failures;
    for (CMaterial& m : scene.materials) {
        if (m.texture.empty()) {
            m.ReleaseTexture();
        } else if (ImageStatus status = LoadTexture(m, scene.DocumentFolder()); !status) {
            failures.push_back({m.name, m.texture, std::move(status)});
        }
    }
    return failures;
}
