// The textures of one open. Each name is resolved once, through one
// FileFinder (so each folder is listed at most once), and each file is decoded
// once: materials naming the same texture share its picture, and a name that
// failed fails again without a second look. A document that names the same
// or thousands of missing files costs no more than its distinct names.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "image/image_status.h"
#include "image/texture_path.h"

class CMaterial;
class DibStream;

class TextureBatch {
public:
    TextureBatch(std::filesystem::path documentFolder, std::filesystem::path programFolder);

    // What CMaterial::LoadTexture does: the material's texture name resolved
    // and decoded into its `image`, or why not.
    ImageStatus Load(CMaterial& material);
    // The same with the material's texture already found as `file` (unpacked
    // from an archive, for example), decoded once for its name.
    ImageStatus Load(CMaterial& material, const std::filesystem::path& file);

    FileFinder& Finder() { return finder_; }

private:
    struct Outcome {
        std::shared_ptr<DibStream> image;
        ImageStatus status;
    };
    Outcome Resolve(const std::string& cp932Name);
    Outcome Decode(const std::vector<std::filesystem::path>& files);
    ImageStatus Remember(CMaterial& material, const std::function<Outcome()>& resolve);

    std::filesystem::path documentFolder_;
    std::filesystem::path programFolder_;
    FileFinder finder_;
    std::unordered_map<std::string, Outcome> byName_;
};

// Decodes `path` as a texture (at 24 bits, or 32 with alpha) into `image`,
// which is left as it was on a refusal.
ImageStatus DecodeTextureFile(const std::filesystem::path& path, std::shared_ptr<DibStream>& image);
