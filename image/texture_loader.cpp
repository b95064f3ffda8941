// Loading a material's texture: name resolution, the reader chosen by the
// extension, and the conversion to the depths the renderer uploads.
#include <memory>

#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/ascii.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"
#include "scene/material.h"
#include "scene/message_sink.h"

namespace {

constexpr int kAllBitmapDepths = 63;

}  // namespace

bool DecodeImageFile(const std::filesystem::path& path, DibStream& image) {
    std::string extension;
    GetFileExtension(extension, Utf8ToCp932(path.string()));
    extension = LowerAscii(extension);
    if (extension == "bmp") {
        return image.ReadBMP(path, kAllBitmapDepths);
    }
    if (extension == "ppm" || extension == "pgm") {
        return ReadPNM(path, image);
    }
    if (extension == "tga") {
        return ReadTGA(path, image);
    }
    if (extension == "png") {
        return ReadPNG(path, image);
    }
    if (extension == "jpg") {
        return ReadJPG(path, image);
    }
    if (extension == "iff") {
        return ReadILBM(path, image);
    }
    return false;
}

bool CMaterial::LoadImageFile(const std::filesystem::path& path) {
    // Decoded aside, so that a failure leaves `image` (maybe shared) as it was.
    auto decoded = std::make_shared<DibStream>();
    if (!DecodeImageFile(path, *decoded)) {
        return false;
    }
    // The renderer uploads blue, green, red, with alpha when the picture has it.
    if (decoded->BitCount() != 32) {
        decoded->Convert(24);
    }
    image = std::move(decoded);
    return true;
}

bool CMaterial::LoadTexture(const std::filesystem::path& documentFolder) {
    if (texture.empty()) {
        return false;
    }
    // A new image, so that copies of this material keep the one they share.
    image = std::make_shared<DibStream>();
    for (const std::filesystem::path& file :
         TextureCandidates(texture, documentFolder, GetModuleFolder())) {
        if (LoadImageFile(file)) {
            return true;
        }
    }
    ShowMessage("テクスチャファイルの読み込みに失敗しました");
    texture.clear();
    return false;
}

void CCentigrade::LoadTextures() {
    for (CMaterial& m : materials) {
        m.LoadTexture(DocumentFolder());
    }
}
