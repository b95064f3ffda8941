#include "image/texture_batch.h"

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "scene/material.h"

ImageStatus DecodeTextureFile(const std::filesystem::path& path,
                              std::shared_ptr<DibStream>& image) {
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
    image = std::move(decoded);
    return status;
}

TextureBatch::TextureBatch(std::filesystem::path documentFolder,
                           std::filesystem::path programFolder)
    : documentFolder_(std::move(documentFolder)), programFolder_(std::move(programFolder)) {}

ImageStatus TextureBatch::Load(CMaterial& material) {
    return Remember(material, [&] { return Resolve(material.texture); });
}

ImageStatus TextureBatch::Load(CMaterial& material, const std::filesystem::path& file) {
    return Remember(material, [&] { return Decode({file}); });
}

ImageStatus TextureBatch::Remember(CMaterial& material, const std::function<Outcome()>& resolve) {
    // Copies of this material keep the picture they share; this one lets go.
    material.image.reset();
    if (material.texture.empty()) {
        return ImageRefused(ImageFailure::NotFound, "no texture name");
    }
    auto known = byName_.find(material.texture);
    if (known == byName_.end()) {
        known = byName_.emplace(material.texture, resolve()).first;
    }
    material.image = known->second.image;
    return known->second.status;
}

TextureBatch::Outcome TextureBatch::Resolve(const std::string& cp932Name) {
    Outcome outcome;
    const auto files = finder_.TextureCandidates(cp932Name, documentFolder_, programFolder_);
    if (files.empty()) {
        if (cp932Name.size() > kMaxTextureNameLength) {
            outcome.status = ImageRefused(
                ImageFailure::SizeLimit,
                "a name longer than " + std::to_string(kMaxTextureNameLength) + " bytes");
        } else {
            outcome.status =
                ImageRefused(ImageFailure::NotFound,
                             "neither beside the document nor in TEXTURE/ beside the program");
        }
        return outcome;
    }
    return Decode(files);
}

TextureBatch::Outcome TextureBatch::Decode(const std::vector<std::filesystem::path>& files) {
    Outcome outcome;
    // The first refusal says most: the file beside the document is the one meant.
    for (const std::filesystem::path& file : files) {
        ImageStatus status = DecodeTextureFile(file, outcome.image);
        if (status) {
            outcome.status = std::move(status);
            return outcome;
        }
        if (outcome.status) {
            outcome.status = std::move(status);
        }
    }
    return outcome;
}
