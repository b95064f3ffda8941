#include "image/image_formats.h"

#include <cerrno>
#include <cstring>

#include "image/dib_stream.h"
#include "image/mapped_file.h"
#include "image/texture_files.h"
#include "scene/ascii.h"
#include "scene/cp932.h"

namespace {

constexpr ImageFormat kFormats[] = {
    {"bmp", DecodeBMP}, {"ppm", DecodePNM}, {"pgm", DecodePNM},  {"tga", DecodeTGA},
    {"png", DecodePNG}, {"jpg", DecodeJPG}, {"iff", DecodeILBM},
};

}  // namespace

const ImageFormat* FindImageFormat(std::string_view extension) {
    for (const ImageFormat& format : kFormats) {
        if (EqualIgnoringAsciiCase(format.extension, extension)) {
            return &format;
        }
    }
    return nullptr;
}

ImageStatus DecodeImageFile(const std::filesystem::path& path, DibStream& image) {
    image.Release();
    std::string extension;
    GetFileExtension(extension, Utf8ToCp932(path.string()));
    const ImageFormat* format = FindImageFormat(extension);
    const MappedFile file(path);
    ImageStatus status =
        !format          ? ImageRefused(ImageFailure::UnknownExtension, "\"" + extension + "\"")
        : !file.IsOpen() ? ImageRefused(ImageFailure::CannotOpen, std::strerror(file.Error()))
                         : format->decode(file.Data(), image, nullptr, nullptr);
    if (!status) {
        status.file = path;
    }
    return status;
}
