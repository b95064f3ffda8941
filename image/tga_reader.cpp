// Truevision TGA: uncompressed and run-length, colour-mapped, true colour and
// grey.
#include <algorithm>
#include <cstring>
#include <string>

#include "image/byte_reader.h"
#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

enum TgaType {
    kColorMapped = 1,
    kTrueColor = 2,
    kGrey = 3,
    kColorMappedRle = 9,
    kTrueColorRle = 10,
};

constexpr std::uint8_t kRightFirst = 0x10;
constexpr std::uint8_t kTopFirst = 0x20;
constexpr std::uint8_t kAlphaBitsMask = 0x0F;

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelDepth = 0;
    std::uint8_t descriptor = 0;
};

bool ReadHeader(ByteReader& in, TgaHeader& h) {
    std::uint16_t unused = 0;
    return in.ReadByte(h.idLength) && in.ReadByte(h.colorMapType) && in.ReadByte(h.imageType) &&
           in.ReadU16LE(h.colorMapFirst) && in.ReadU16LE(h.colorMapLength) &&
           in.ReadByte(h.colorMapEntryBits) && in.ReadU16LE(unused) && in.ReadU16LE(unused) &&
           in.ReadU16LE(h.width) && in.ReadU16LE(h.height) && in.ReadByte(h.pixelDepth) &&
           in.ReadByte(h.descriptor);
}

// 15-bit entries take two bytes like 16-bit ones; any size is rounded up to
// whole bytes so that the pixels after the map are found.
std::size_t ColorMapEntryBytes(int entryBits) {
    return static_cast<std::size_t>(entryBits + 7) / 8;
}

const ImageStatus kTruncated = {ImageFailure::TruncatedData, {}};
const ImageStatus kCancelled = {ImageFailure::Cancelled, {}};

// The map's first entry is colour number `colorMapFirst`. Entries past the 256
// a table holds are read past, never stored.
ImageStatus ReadColorMap(ByteReader& in, const TgaHeader& h, DibStream& image) {
    if (h.colorMapType == 0) {
        return ImageRefused(ImageFailure::DamagedHeader, "a colour-mapped image without a map");
    }
    if (h.colorMapEntryBits != 24) {
        return ImageRefused(
            ImageFailure::UnsupportedVariant,
            "colour map of " + std::to_string(h.colorMapEntryBits) + "-bit entries");
    }
    const auto entries = in.Take(std::size_t{h.colorMapLength} * 3);
    if (entries.size() != std::size_t{h.colorMapLength} * 3) {
        return kTruncated;
    }
    std::span<RgbQuad> palette = image.Palette();
    const std::size_t first = std::min<std::size_t>(h.colorMapFirst, palette.size());
    const std::size_t stored = std::min<std::size_t>(h.colorMapLength, palette.size() - first);
    for (std::size_t k = 0; k < stored; ++k) {
        palette[first + k] = RgbQuad{entries[3 * k], entries[3 * k + 1], entries[3 * k + 2], 0};
    }
    return {};
}

ImageStatus SkipColorMap(ByteReader& in, const TgaHeader& h) {
    if (h.colorMapType != 0 &&
        !in.Skip(std::size_t{h.colorMapLength} * ColorMapEntryBytes(h.colorMapEntryBits))) {
        return kTruncated;
    }
    return {};
}

bool ReportRow(ProgressCallback progress, void* user, int row, int rows) {
    return !progress || progress(static_cast<float>(row) / static_cast<float>(rows), user);
}

// Rows in file order go to memory rows 0, 1, …; the signed height already
// made the image top-down for top-first files.
ImageStatus ReadRawRows(ByteReader& in, DibStream& image, int pixelBytes, ProgressCallback progress,
                        void* user) {
    const int rows = image.AbsHeight();
    const std::size_t rowBytes =
        static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(pixelBytes);
    const std::size_t stride = image.Stride();
    for (int row = 0; row < rows; ++row) {
        std::uint8_t* out = image.Bits() + static_cast<std::size_t>(row) * stride;
        if (!in.Read(out, rowBytes)) {
            return kTruncated;
        }
        std::memset(out + rowBytes, 0, stride - rowBytes);
        if (!ReportRow(progress, user, row + 1, rows)) {
            return kCancelled;
        }
    }
    return {};
}

// Packets may run across rows; the rest of a packet after the last row is dropped.
ImageStatus DecodeRunLength(ByteReader& in, DibStream& image, int pixelBytes, bool topFirst,
                            ProgressCallback progress, void* user) {
    const int rows = image.AbsHeight();
    const auto width = static_cast<std::size_t>(image.Width());
    const auto bytes = static_cast<std::size_t>(pixelBytes);
    const std::size_t stride = image.Stride();
    int row = 0;
    std::size_t x = 0;
    auto rowStart = [&](int r) { return image.Row(topFirst ? r : rows - 1 - r); };
    std::uint8_t* out = rowStart(0);
    std::memset(out + width * bytes, 0, stride - width * bytes);
    while (row < rows) {
        std::uint8_t packet = 0;
        if (!in.ReadByte(packet)) {
            return kTruncated;
        }
        std::size_t count = (packet & 0x7Fu) + 1;
        const bool repeat = packet & 0x80;
        std::uint8_t pixel[4] = {};
        if (repeat && !in.Read(pixel, bytes)) {
            return kTruncated;
        }
        while (count > 0 && row < rows) {
            const std::size_t n = std::min(count, width - x);
            std::uint8_t* dst = out + x * bytes;
            if (repeat) {
                if (bytes == 1) {
                    std::memset(dst, pixel[0], n);
                } else {
                    for (std::size_t i = 0; i < n; ++i) {
                        std::memcpy(dst + i * bytes, pixel, bytes);
                    }
                }
            } else if (!in.Read(dst, n * bytes)) {
                return kTruncated;
            }
            x += n;
            count -= n;
            if (x == width) {
                x = 0;
                ++row;
                if (!ReportRow(progress, user, row, rows)) {
                    return kCancelled;
                }
                if (row < rows) {
                    out = rowStart(row);
                    std::memset(out + width * bytes, 0, stride - width * bytes);
                }
            }
        }
    }
    return {};
}

// Files stored right to left are mirrored so that every image reads left to right.
void MirrorRows(DibStream& image, int pixelBytes) {
    const auto width = static_cast<std::size_t>(image.Width());
    const auto bytes = static_cast<std::size_t>(pixelBytes);
    for (int y = 0; y < image.AbsHeight(); ++y) {
        std::uint8_t* row = image.Row(y);
        for (std::size_t left = 0, right = width - 1; left < right; ++left, --right) {
            std::swap_ranges(row + left * bytes, row + (left + 1) * bytes, row + right * bytes);
        }
    }
}

// Alpha is kept straight (255 = opaque), as the renderer blends it. Files that
// declare no alpha bits, or store 0 everywhere, mean an opaque picture.
void FixAlpha(DibStream& image, const TgaHeader& h) {
    const std::size_t stride = image.Stride();
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 4;
    const int rows = image.AbsHeight();
    bool alphaUsed = (h.descriptor & kAlphaBitsMask) != 0;
    if (alphaUsed) {
        alphaUsed = false;
        for (int r = 0; r < rows && !alphaUsed; ++r) {
            const std::uint8_t* p = image.Bits() + static_cast<std::size_t>(r) * stride;
            for (std::size_t i = 3; i < rowBytes; i += 4) {
                if (p[i] != 0) {
                    alphaUsed = true;
                    break;
                }
            }
        }
    }
    if (alphaUsed) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        std::uint8_t* p = image.Bits() + static_cast<std::size_t>(r) * stride;
        for (std::size_t i = 3; i < rowBytes; i += 4) {
            p[i] = 255;
        }
    }
}

// Refuses, before anything is allocated, a file too short to hold its
// picture: uncompressed pixels are stored whole, and a run-length packet of at
// least two bytes gives at most 128 pixels.
bool HoldsThePixels(const TgaHeader& h, std::size_t remaining) {
    const std::uint64_t pixels = std::uint64_t{h.width} * h.height;
    const bool runLength = h.imageType == kColorMappedRle || h.imageType == kTrueColorRle;
    const std::uint64_t leastBytes =
        runLength ? (pixels + 127) / 128 * 2 : pixels * ((h.pixelDepth + 7u) / 8);
    return leastBytes <= remaining;
}

}  // namespace

ImageStatus DecodeTGA(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress, void* user) {
    image.Release();
    ByteReader in(file);
    TgaHeader h;
    if (!ReadHeader(in, h) || !in.Skip(h.idLength)) {
        return ImageRefused(ImageFailure::TruncatedData, "the header");
    }
    const int depth = h.pixelDepth;
    const bool trueColorDepth = depth == 16 || depth == 24 || depth == 32;
    const bool runLength = h.imageType == kColorMappedRle || h.imageType == kTrueColorRle;
    const bool colourMapped = h.imageType == kColorMapped || h.imageType == kColorMappedRle;
    const bool known =
        colourMapped || runLength || h.imageType == kTrueColor || h.imageType == kGrey;
    if (!known || ((colourMapped || h.imageType == kGrey) ? depth != 8 : !trueColorDepth)) {
        return ImageRefused(
            ImageFailure::UnsupportedVariant,
            "type " + std::to_string(h.imageType) + " at " + std::to_string(depth) + " bits");
    }
    if (!HoldsThePixels(h, in.Remaining())) {
        return ImageRefused(ImageFailure::TruncatedData, "the file is shorter than its pixels");
    }
    // Run-length images are always stored bottom-up; rows are filled in
    // picture order through Row().
    const bool topFirst = (h.descriptor & kTopFirst) != 0;
    const int storedHeight = topFirst && !runLength ? -int{h.height} : int{h.height};
    ImageStatus status = image.CreateChecked(h.width, storedHeight, depth);
    if (status && h.imageType == kGrey) {
        image.SetGreyPalette();
    }
    if (status) {
        status = colourMapped ? ReadColorMap(in, h, image) : SkipColorMap(in, h);
    }
    if (status) {
        status = runLength ? DecodeRunLength(in, image, depth / 8, topFirst, progress, user)
                           : ReadRawRows(in, image, depth / 8, progress, user);
    }
    if (!status) {
        image.Release();
        return status;
    }
    if (h.descriptor & kRightFirst) {
        MirrorRows(image, depth / 8);
    }
    if (depth == 32) {
        FixAlpha(image, h);
    }
    return status;
}
