#include "document/stranded_textures.h"

#include <algorithm>
#include <system_error>

#include "document/file_failure_text.h"
#include "document/native_paths.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/file_failure.h"

std::vector<StrandedTexture> StrandedTextures(const CCentigrade& scene,
                                              const std::filesystem::path& newFolder) {
    std::vector<StrandedTexture> stranded;
    const std::filesystem::path& oldFolder = scene.DocumentFolder();
    std::error_code error;
    if (oldFolder.empty() || std::filesystem::equivalent(oldFolder, newFolder, error)) {
        return stranded;
    }
    FileFinder finder;
    for (const CMaterial& material : scene.materials) {
        if (material.texture.empty() || IsAbsoluteTextureName(material.texture) ||
            material.texture.size() > kMaxTextureNameLength) {
            continue;
        }
        const std::string relative = TextureNameToPath(material.texture);
        const std::optional<std::filesystem::path> from = finder.Find(oldFolder, relative);
        if (!from || finder.Find(newFolder, relative)) {
            continue;
        }
        StrandedTexture texture{*from, newFolder / relative};
        if (std::ranges::none_of(stranded,
                                 [&](const StrandedTexture& t) { return t.to == texture.to; })) {
            stranded.push_back(std::move(texture));
        }
    }
    return stranded;
}

QString CopyStrandedTextures(const std::vector<StrandedTexture>& textures) {
    for (const StrandedTexture& texture : textures) {
        std::error_code error;
        std::filesystem::create_directories(texture.to.parent_path(), error);
        if (!error) {
            std::filesystem::copy_file(texture.from, texture.to,
                                       std::filesystem::copy_options::skip_existing, error);
        }
        if (error) {
            return QStringLiteral("テクスチャファイル %1 をコピーできませんでした。\n%2")
                .arg(FromNative(texture.from),
                     FileFailureText({FileStep::Create, texture.to, error.value()}));
        }
    }
    return {};
}
