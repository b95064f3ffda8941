// The texture formats by file extension: one table of readers.
#pragma once

#include <cstdint>
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

// The largest texture file read. It holds any picture a texture is likely to
// be; a larger file (a sparse one of many gigabytes) is refused before a byte
// of it is read.
constexpr std::uint64_t kMaxImageFileBytes = std::uint64_t{512} << 20;

// Decodes `path` with the reader its extension names ("bmp", "ppm", "pgm",
// "tga", "png", "jpg", "iff", in any case), without sniffing the content and
// without converting the result. The extension is checked first, then the
// file: only a regular file of at most kMaxImageFileBytes is read, and of it
// only what the reader's header asks for.
ImageStatus DecodeImageFile(const std::filesystem::path& path, DibStream& image);
