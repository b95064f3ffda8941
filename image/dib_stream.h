// The one image object: a device-independent bitmap (header, colour table and
// pixel rows) as every texture reader produces it and the renderer uploads it.
//
// Rows are padded to 4 bytes (kRowAlignment); the upload must declare that
// alignment rather than 1, or widths whose rows are not a multiple of 4 bytes
// come out sheared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "image/bitmap_info.h"
#include "image/image_status.h"

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
// Pixel blocks come from the C heap, so that a zeroed one costs nothing until
// it is written: fresh pages from the system are zero already.
using PixelBlock = std::unique_ptr<std::uint8_t[], FreeDeleter>;
enum class PixelFill { Uninitialised, Zeroed };
// Null when out of memory.
PixelBlock AllocatePixels(std::size_t size, PixelFill fill);

class DibStream {
public:
    static constexpr int kRowAlignment = 4;
    // Larger pictures are refused before anything is allocated.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

    DibStream() = default;
    ~DibStream() = default;
    DibStream(const DibStream&) = delete;
    DibStream& operator=(const DibStream&) = delete;
    DibStream(DibStream&&) = default;
    DibStream& operator=(DibStream&&) = default;

    // Replaces the image with a width × |height| picture of `bitCount` (1, 4, 8,
    // 16, 24 or 32) bits per pixel; a negative height stores rows top-down.
    // Pixels are left uninitialised unless `fill` asks for zeros; 1-bit tables
    // are black and white, 8-bit tables the grey ramp, 4-bit tables black.
    // Fails, leaving no image, on another depth, a non-positive width, a zero
    // height or more than kMaxPixels.
    bool Create(int width, int height, int bitCount, PixelFill fill = PixelFill::Uninitialised);
    // Takes over a header and its pixels. The header must describe a picture
    // Create would accept; `bits` must hold |height| × stride bytes.
    bool Adopt(std::unique_ptr<BitmapInfo> header, PixelBlock bits);
    void Release();

    void SetGreyPalette();
    // Zeroes the bytes after each row's pixels, for readers whose decoders
    // write only the pixels.
    void ClearRowPadding();
    // Re-creates the picture at 24 bits (blue, green, red) with the same row
    // order. Only 24 is supported; the image is unchanged on failure.
    bool Convert(int bitCount);

    bool Empty() const { return !bits_; }
    int Width() const { return info_ ? info_->header.biWidth : 0; }
    // Signed: negative for top-down images.
    int Height() const { return info_ ? info_->header.biHeight : 0; }
    int AbsHeight() const;
    int BitCount() const { return info_ ? info_->header.biBitCount : 0; }
    std::size_t Stride() const;
    int PaletteSize() const;
    std::size_t ImageSize() const { return Stride() * static_cast<std::size_t>(AbsHeight()); }

    const BitmapInfoHeader* Header() const { return info_ ? &info_->header : nullptr; }
    BitmapInfoHeader* Header() { return info_ ? &info_->header : nullptr; }
    std::span<RgbQuad> Palette();
    std::span<const RgbQuad> Palette() const;
    std::uint8_t* Bits() { return bits_.get(); }
    const std::uint8_t* Bits() const { return bits_.get(); }
    // Row `y` counted from the top of the picture, whatever the storage order.
    std::uint8_t* Row(int y);
    const std::uint8_t* Row(int y) const;

    // Bytes per row for `bitCount` and `width`, padded to kRowAlignment; 0 when
    // the arguments are out of range.
    static std::size_t StrideFor(int bitCount, int width);
    static bool ValidBitCount(int bitCount);
    // Whether Create would accept these dimensions (before allocating).
    static bool ValidSize(int width, int height, int bitCount);
    // Why Create would refuse them: an unsupported depth, a damaged header
    // (no pixels) or the size limit. True when it would accept them.
    static ImageStatus SizeStatus(int width, int height, int bitCount);
    // Create, with the reason of a refusal (out of memory included).
    ImageStatus CreateChecked(int width, int height, int bitCount,
                              PixelFill fill = PixelFill::Uninitialised);

    // The reader of Windows bitmaps (see DecodeBMP in image_readers.h);
    // `depthFlags` accepts 1 (0x01), 4 (0x02), 8 (0x04), 16 (0x08), 24 (0x10)
    // and 32 bits (0x20). The image is left empty on failure.
    static constexpr int kAllBitmapDepths = 0x3F;
    ImageStatus DecodeBMP(std::span<const std::uint8_t> file, int depthFlags);

private:
    std::unique_ptr<BitmapInfo> info_;
    PixelBlock bits_;
};
