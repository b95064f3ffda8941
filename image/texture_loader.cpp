// Loading a material's texture: name resolution, the reader chosen by the
// extension, and the conversion to the depths the renderer uploads.
#include "image/texture_loader.h"

#include <memory>

#include "image/image_status.h"
#include "image/texture_batch.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/material.h"

ImageStatus LoadImageFile(CMaterial& material, const std::filesystem::path& path) {
    return DecodeTextureFile(path, material.image);
}

ImageStatus LoadTexture(CMaterial& material, const std::filesystem::path& documentFolder) {
    return TextureBatch(documentFolder, GetModuleFolder()).Load(material);
}

std::vector<TextureFailure> LoadTextures(CCentigrade& scene) {
    TextureBatch batch(scene.DocumentFolder(), GetModuleFolder());
    std::vector<TextureFailure> failures;
    for (CMaterial& m : scene.materials) {
        if (m.texture.empty()) {
            m.ReleaseTexture();
        } else if (ImageStatus status = batch.Load(m); !status) {
            failures.push_back({m.name, m.texture, std::move(status)});
        }
    }
    return failures;
}
