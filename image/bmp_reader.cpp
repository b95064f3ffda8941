// Windows bitmaps with the 40-byte info header: uncompressed 1/4/8/16/24/32
// bits and 8-bit run-length.
#include <algorithm>
#include <cstring>

#include "image/byte_reader.h"
#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image/mapped_file.h"

namespace {

constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRunLength8 = 1;

int DepthFlag(int bitCount) {
    switch (bitCount) {
        case 1:
            return 0x01;
        case 4:
            return 0x02;
        case 8:
            return 0x04;
        case 16:
            return 0x08;
        case 24:
            return 0x10;
        case 32:
            return 0x20;
        default:
            return 0;
    }
}

// Decodes 8-bit run-length data into the zeroed pixel block. Runs, literals and
// moves that would leave the picture make the data invalid: a bitmap writer
// never produces them, and clipping would only hide damage.
bool DecodeRunLength8(std::span<const std::uint8_t> input, std::uint8_t* bits, std::size_t stride,
                      int width, int rows) {
    ByteReader in(input);
    std::size_t x = 0;
    int row = 0;
    const auto rowWidth = static_cast<std::size_t>(width);
    std::uint8_t count = 0;
    std::uint8_t code = 0;
    while (row < rows && in.ReadByte(count)) {
        std::uint8_t* line = bits + static_cast<std::size_t>(row) * stride;
        if (count > 0) {
            std::uint8_t value = 0;
            if (!in.ReadByte(value)) {
                break;
            }
            if (count > rowWidth - x) {
                return false;
            }
            std::memset(line + x, value, count);
            x += count;
            continue;
        }
        if (!in.ReadByte(code)) {
            break;
        }
        if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            std::uint8_t dx = 0;
            std::uint8_t dy = 0;
            if (!in.ReadByte(dx) || !in.ReadByte(dy)) {
                break;
            }
            if (dx > rowWidth - x || dy > rows - row || (dy == rows - row && dx > 0)) {
                return false;
            }
            x += dx;
            row += dy;
        } else {
            if (code > rowWidth - x) {
                return false;
            }
            const auto literal = in.Take(code);
            if (literal.size() != code) {
                break;
            }
            std::memcpy(line + x, literal.data(), code);
            x += code;
            if (code & 1) {
                in.Skip(1);
            }
        }
    }
    return true;
}

// Most 32-bit bitmaps leave the fourth byte 0 ("unused"); taken as alpha that
// would make them invisible, so such a picture is made opaque.
void OpaqueIfAlphaUnused(DibStream& image) {
    const std::size_t size = image.ImageSize();
    std::uint8_t* bits = image.Bits();
    for (std::size_t i = 3; i < size; i += 4) {
        if (bits[i] != 0) {
            return;
        }
    }
    for (std::size_t i = 3; i < size; i += 4) {
        bits[i] = 255;
    }
}

}  // namespace

bool DibStream::ReadBMP(const std::filesystem::path& path, int depthFlags) {
    Release();
    const MappedFile file(path);
    if (!file.IsOpen()) {
        return false;
    }
    return DecodeBMP(file.Data(), depthFlags);
}

bool DibStream::DecodeBMP(std::span<const std::uint8_t> file, int depthFlags) {
    Release();
    ByteReader in(file);
    std::uint16_t type = 0;
    if (!in.ReadU16LE(type) || type != kBitmapSignature || !in.Skip(8)) {
        return false;
    }
    std::uint32_t offBits = 0;
    if (!in.Read(&offBits, 4)) {
        return false;
    }
    BitmapInfoHeader h;
    if (!in.Read(&h, sizeof h) || h.biSize != 40 || h.biPlanes != 1) {
        return false;
    }
    const int depth = h.biBitCount;
    if ((DepthFlag(depth) & depthFlags) == 0) {
        return false;
    }
    // Run-length data is only defined for 8 bits and bottom-up rows.
    if (h.biCompression != kUncompressed &&
        (h.biCompression != kRunLength8 || depth != 8 || h.biHeight < 0)) {
        return false;
    }
    if (!ValidSize(h.biWidth, h.biHeight, depth)) {
        return false;
    }
    const std::uint32_t maxColors = depth <= 8 ? 1u << depth : 0u;
    // A table longer than the depth can index is read past, not kept.
    const std::uint64_t storedColors =
        depth <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : maxColors) : 0;
    const auto tableColors =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(storedColors, maxColors));
    if (storedColors * 4 > in.Remaining()) {
        return false;
    }
    const std::uint32_t fileCompression = h.biCompression;
    const std::uint32_t compressedSize = h.biSizeImage;
    h.biClrUsed = tableColors;
    h.biCompression = kUncompressed;
    h.biSizeImage = static_cast<std::uint32_t>(StrideFor(depth, h.biWidth) *
                                               static_cast<std::size_t>(std::abs(h.biHeight)));

    auto info = std::make_unique<BitmapInfo>();
    info->header = h;
    in.Read(info->colors, tableColors * 4);
    in.Skip(static_cast<std::size_t>(storedColors - tableColors) * 4);
    if (offBits != 0 && !in.Seek(offBits)) {
        return false;
    }
    const std::size_t pixelSize = h.biSizeImage;
    // A file too short for its pixels is refused before they are allocated.
    if (fileCompression == kUncompressed && pixelSize > in.Remaining()) {
        return false;
    }
    // Run-length data leaves skipped pixels at 0.
    PixelBlock bits = AllocatePixels(
        pixelSize, fileCompression == kUncompressed ? PixelFill::Uninitialised : PixelFill::Zeroed);
    if (!bits) {
        return false;
    }
    if (fileCompression == kUncompressed) {
        if (!in.Read(bits.get(), pixelSize)) {
            return false;
        }
    } else {
        // Writers often leave the compressed size 0: the data then runs to the end.
        const auto input = compressedSize != 0 ? in.Take(compressedSize) : in.Take(in.Remaining());
        if (input.empty()) {
            return false;
        }
        if (!DecodeRunLength8(input, bits.get(), StrideFor(depth, h.biWidth), h.biWidth,
                              h.biHeight)) {
            return false;
        }
    }
    if (!Adopt(std::move(info), std::move(bits))) {
        return false;
    }
    if (depth == 32) {
        OpaqueIfAlphaUnused(*this);
    }
    return true;
}
