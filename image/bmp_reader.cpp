// Windows bitmaps: the 40-byte info header and its longer versions (52 and
// 56 bytes with colour masks, V4 of 108 and V5 of 124 bytes), uncompressed
// 1/4/8/16/24/32 bits, 8-bit run-length, and 16 or 32 bits with colour masks.
#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "image/byte_reader.h"
#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

constexpr std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitFields = 6;

// The info header sizes of the Windows family; 12 and 16 to 64 are OS/2's.
bool IsWindowsHeader(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

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

// Red, green, blue and alpha masks of a BI_BITFIELDS picture.
struct ColourMasks {
    std::uint32_t mask[4] = {};
};

// One channel of a masked pixel, scaled to 0…255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m)
        : mask(m), shift(m ? std::countr_zero(m) : 0), max(m ? m >> shift : 0) {}
    std::uint8_t Of(std::uint32_t pixel) const {
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
    }
};

// Each colour mask one run of bits inside the pixel, none overlapping, and
// red, green and blue present.
bool UsableMasks(const ColourMasks& m, int depth) {
    std::uint32_t seen = 0;
    const std::uint32_t inside = depth == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (int c = 0; c < 4; ++c) {
        const std::uint32_t mask = m.mask[c];
        if (mask == 0) {
            if (c < 3) {
                return false;
            }
            continue;
        }
        const std::uint32_t run = mask >> std::countr_zero(mask);
        if ((run & (run + 1)) != 0 || (mask & ~inside) != 0 || (mask & seen) != 0) {
            return false;
        }
        seen |= mask;
    }
    return true;
}

bool SameMasks(const ColourMasks& m, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return m.mask[0] == red && m.mask[1] == green && m.mask[2] == blue;
}

// Converts `rows` rows of masked 16- or 32-bit pixels into blue, green, red
// (and alpha with an alpha mask), keeping the row order.
void UnmaskRows(const std::uint8_t* in, std::size_t inStride, int depth, const ColourMasks& m,
                DibStream& image) {
    const Channel red(m.mask[0]);
    const Channel green(m.mask[1]);
    const Channel blue(m.mask[2]);
    const Channel alpha(m.mask[3]);
    const bool withAlpha = m.mask[3] != 0;
    const int width = image.Width();
    const std::size_t outStride = image.Stride();
    const std::size_t pixelBytes = withAlpha ? 4 : 3;
    for (int row = 0; row < image.AbsHeight(); ++row) {
        const std::uint8_t* src = in + static_cast<std::size_t>(row) * inStride;
        std::uint8_t* out = image.Bits() + static_cast<std::size_t>(row) * outStride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p =
                depth == 16
                    ? std::uint32_t{src[2 * x]} | std::uint32_t{src[2 * x + 1]} << 8
                    : std::uint32_t{src[4 * x]} | std::uint32_t{src[4 * x + 1]} << 8 |
                          std::uint32_t{src[4 * x + 2]} << 16 | std::uint32_t{src[4 * x + 3]} << 24;
            std::uint8_t* px = out + static_cast<std::size_t>(x) * pixelBytes;
            px[0] = blue.Of(p);
            px[1] = green.Of(p);
            px[2] = red.Of(p);
            if (withAlpha) {
                px[3] = alpha.Of(p);
            }
        }
        const std::size_t used = static_cast<std::size_t>(width) * pixelBytes;
        std::memset(out + used, 0, outStride - used);
    }
}

ImageStatus CompressionRefusal(std::uint32_t compression, int depth) {
    switch (compression) {
        case kRunLength4:
            return ImageRefused(ImageFailure::UnsupportedVariant, "4-bit run-length data");
        case kJpeg:
        case kPng:
            return ImageRefused(ImageFailure::UnsupportedVariant, "embedded JPEG or PNG data");
        case kAlphaBitFields:
            return ImageRefused(ImageFailure::UnsupportedVariant, "BI_ALPHABITFIELDS");
        case kRunLength8:
            return ImageRefused(
                ImageFailure::DamagedHeader,
                "run-length data of " + std::to_string(depth) + " bits or top-down rows");
        case kBitFields:
            return ImageRefused(ImageFailure::DamagedHeader,
                                "colour masks at " + std::to_string(depth) + " bits");
        default:
            return ImageRefused(ImageFailure::DamagedHeader,
                                "compression " + std::to_string(compression));
    }
}

}  // namespace

ImageStatus DecodeBMP(std::span<const std::uint8_t> file, DibStream& image, ProgressCallback,
                      void*) {
    return image.DecodeBMP(file, DibStream::kAllBitmapDepths);
}

ImageStatus DibStream::DecodeBMP(std::span<const std::uint8_t> file, int depthFlags) {
    Release();
    ByteReader in(file);
    std::uint16_t type = 0;
    if (!in.ReadU16LE(type) || type != kBitmapSignature) {
        return ImageRefused(ImageFailure::DamagedHeader, "no \"BM\" signature");
    }
    std::uint32_t offBits = 0;
    std::uint32_t headerSize = 0;
    if (!in.Skip(8) || !in.Read(&offBits, 4) || !in.Read(&headerSize, 4)) {
        return ImageRefused(ImageFailure::TruncatedData, "the header");
    }
    if (!IsWindowsHeader(headerSize)) {
        return ImageRefused(headerSize == 12 || (headerSize >= 16 && headerSize <= 64)
                                ? ImageFailure::UnsupportedVariant
                                : ImageFailure::DamagedHeader,
                            "an info header of " + std::to_string(headerSize) + " bytes");
    }
    BitmapInfoHeader h;
    ColourMasks masks;
    in.Seek(14);
    if (!in.Read(&h, sizeof h) ||
        !in.Read(masks.mask, std::min<std::size_t>(headerSize - sizeof h, sizeof masks.mask)) ||
        !in.Seek(14 + headerSize)) {
        return ImageRefused(ImageFailure::TruncatedData, "the header");
    }
    if (h.biPlanes != 1) {
        return ImageRefused(ImageFailure::DamagedHeader, std::to_string(h.biPlanes) + " planes");
    }
    const int depth = h.biBitCount;
    if (ImageStatus size = SizeStatus(h.biWidth, h.biHeight, depth); !size) {
        return size;
    }
    if ((DepthFlag(depth) & depthFlags) == 0) {
        return ImageRefused(ImageFailure::UnsupportedVariant,
                            std::to_string(depth) + " bits per pixel");
    }
    const bool masked = h.biCompression == kBitFields && (depth == 16 || depth == 32);
    // Run-length data is only defined for 8 bits and bottom-up rows.
    const bool runLength = h.biCompression == kRunLength8 && depth == 8 && h.biHeight > 0;
    if (h.biCompression != kUncompressed && !masked && !runLength) {
        return CompressionRefusal(h.biCompression, depth);
    }
    // The 40-byte header is followed by three masks; longer ones hold them.
    if (masked && headerSize == 40 && !in.Read(masks.mask, 12)) {
        return ImageRefused(ImageFailure::TruncatedData, "the colour masks");
    }
    if (masked && !UsableMasks(masks, depth)) {
        return ImageRefused(ImageFailure::DamagedHeader,
                            "colour masks that overlap, leave "
                            "gaps or lack a colour");
    }
    // Masks of the layouts this image keeps need no conversion.
    const bool keptLayout =
        !masked || (masks.mask[3] == 0 && depth == 16 && SameMasks(masks, 0x7C00, 0x3E0, 0x1F)) ||
        (depth == 32 && (masks.mask[3] == 0 || masks.mask[3] == 0xFF000000u) &&
         SameMasks(masks, 0xFF0000, 0xFF00, 0xFF));

    const std::uint32_t maxColors = depth <= 8 ? 1u << depth : 0u;
    // A table longer than the depth can index is read past, not kept.
    const std::uint64_t storedColors =
        depth <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : maxColors) : 0;
    const auto tableColors =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(storedColors, maxColors));
    if (storedColors * 4 > in.Remaining()) {
        return ImageRefused(ImageFailure::DamagedHeader, "a colour table of " +
                                                             std::to_string(storedColors) +
                                                             " entries, more than the file holds");
    }
    const std::uint32_t compressedSize = h.biSizeImage;
    const std::size_t fileStride = StrideFor(depth, h.biWidth);
    const std::size_t filePixelBytes = fileStride * static_cast<std::size_t>(std::abs(h.biHeight));
    h.biSize = sizeof h;
    h.biClrUsed = tableColors;
    h.biCompression = kUncompressed;
    h.biSizeImage = static_cast<std::uint32_t>(filePixelBytes);

    auto info = std::make_unique<BitmapInfo>();
    info->header = h;
    in.Read(info->colors, tableColors * 4);
    in.Skip(static_cast<std::size_t>(storedColors - tableColors) * 4);
    if (offBits != 0 && !in.Seek(offBits)) {
        return ImageRefused(ImageFailure::TruncatedData, "the pixels lie beyond the file's end");
    }
    // A file too short for its pixels is refused before they are allocated.
    if (!runLength && filePixelBytes > in.Remaining()) {
        return ImageRefused(ImageFailure::TruncatedData, "the file is shorter than its pixels");
    }
    if (!keptLayout) {
        const auto pixels = in.Take(filePixelBytes);
        ImageStatus created = CreateChecked(h.biWidth, h.biHeight, masks.mask[3] != 0 ? 32 : 24);
        if (created) {
            UnmaskRows(pixels.data(), fileStride, depth, masks, *this);
            if (BitCount() == 32) {
                OpaqueIfAlphaUnused(*this);
            }
        }
        return created;
    }
    // Run-length data leaves skipped pixels at 0.
    PixelBlock bits =
        AllocatePixels(filePixelBytes, runLength ? PixelFill::Zeroed : PixelFill::Uninitialised);
    if (!bits) {
        return ImageRefused(ImageFailure::OutOfMemory);
    }
    if (!runLength) {
        in.Read(bits.get(), filePixelBytes);
    } else {
        // Writers often leave the compressed size 0: the data then runs to the end.
        const auto input = compressedSize != 0 ? in.Take(compressedSize) : in.Take(in.Remaining());
        if (input.empty()) {
            return ImageRefused(ImageFailure::TruncatedData, "no run-length data");
        }
        if (!DecodeRunLength8(input, bits.get(), fileStride, h.biWidth, h.biHeight)) {
            return ImageRefused(ImageFailure::DamagedData, "a run leaves the picture");
        }
    }
    if (!Adopt(std::move(info), std::move(bits))) {
        return ImageRefused(ImageFailure::DamagedHeader);
    }
    if (depth == 32) {
        OpaqueIfAlphaUnused(*this);
    }
    return {};
}
