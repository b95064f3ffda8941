#include "image/image_formats.h"

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

ImageFailure OpenFailure(FileRefusal refusal) {
    switch (refusal) {
        case FileRefusal::NotRegularFile:
            return ImageFailure::NotRegularFile;
        case FileRefusal::TooLarge:
            return ImageFailure::SizeLimit;
        default:
            return ImageFailure::CannotOpen;
    }
}

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
    ImageStatus status;
    if (!format) {
        status = ImageRefused(ImageFailure::UnknownExtension, "\"" + extension + "\"");
    } else {
        const MappedFile file(path, kMaxImageFileBytes);
        status = file.IsOpen() ? format->decode(file.Data(), image, nullptr, nullptr)
                               : ImageRefused(OpenFailure(file.Refusal()), file.Cause());
    }
    if (!status) {
        status.file = path;
    }
    return status;
}
