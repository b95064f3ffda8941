// The texture formats by file extension: one table of readers.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "image/image_readers.h"

using ImageDecoder = ImageStatus (*)(std::span<const std::uint8_t> file, DibStream& image,
                                     ProgressCallback progress, void* user);

struct ImageFormat {
    std::string_view extension;  // lower case, without the dot
    ImageDecoder decode;
};

// The format of an extension in any letter case; null when there is none.
const ImageFormat* FindImageFormat(std::string_view extension);

// Decodes `path` with the reader its extension names ("bmp", "ppm", "pgm",
// "tga", "png", "jpg", "iff", in any case), without sniffing the content and
// without converting the result.
ImageStatus DecodeImageFile(const std::filesystem::path& path, DibStream& image);
