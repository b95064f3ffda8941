#include "image/dib_stream.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

PixelBlock AllocatePixels(std::size_t size, PixelFill fill) {
    if (fill == PixelFill::Zeroed) {
        return PixelBlock(static_cast<std::uint8_t*>(std::calloc(size, 1)));
    }
    if (size < 2 * kHugePage) {
        return PixelBlock(static_cast<std::uint8_t*>(std::malloc(size)));
    }
    // A decoder writes a large block once from start to end; taking it in huge
    // pages saves one page fault per 4 KB, a third of a JPEG decode's time.
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block) {
        ::madvise(block, rounded, MADV_HUGEPAGE);
    }
    return PixelBlock(static_cast<std::uint8_t*>(block));
}

bool DibStream::ValidBitCount(int bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

std::size_t DibStream::StrideFor(int bitCount, int width) {
    if (!ValidBitCount(bitCount) || width <= 0) {
        return 0;
    }
    const std::uint64_t bitsPerRow =
        static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width);
    return static_cast<std::size_t>((bitsPerRow + 31) / 32 * 4);
}

bool DibStream::ValidSize(int width, int height, int bitCount) {
    if (!ValidBitCount(bitCount) || width <= 0 || height == 0 || height == INT32_MIN) {
        return false;
    }
    const std::int64_t pixels = std::int64_t{width} * std::abs(std::int64_t{height});
    return pixels <= kMaxPixels;
}

ImageStatus DibStream::SizeStatus(int width, int height, int bitCount) {
    if (!ValidBitCount(bitCount)) {
        return ImageRefused(ImageFailure::UnsupportedVariant,
                            std::to_string(bitCount) + " bits per pixel");
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) {
        return ImageRefused(ImageFailure::DamagedHeader,
                            "size " + std::to_string(width) + " x " + std::to_string(height));
    }
    if (!ValidSize(width, height, bitCount)) {
        return ImageRefused(
            ImageFailure::SizeLimit,
            std::to_string(width) + " x " + std::to_string(std::abs(height)) + " pixels");
    }
    return {};
}

ImageStatus DibStream::CreateChecked(int width, int height, int bitCount, PixelFill fill) {
    Release();
    ImageStatus status = SizeStatus(width, height, bitCount);
    if (status && !Create(width, height, bitCount, fill)) {
        status = ImageRefused(ImageFailure::OutOfMemory);
    }
    return status;
}

bool DibStream::Create(int width, int height, int bitCount, PixelFill fill) {
    Release();
    if (!ValidSize(width, height, bitCount)) {
        return false;
    }
    auto info = std::make_unique<BitmapInfo>();
    BitmapInfoHeader& h = info->header;
    h.biWidth = width;
    h.biHeight = height;
    h.biBitCount = static_cast<std::uint16_t>(bitCount);
    const std::size_t size =
        StrideFor(bitCount, width) * static_cast<std::size_t>(std::abs(height));
    h.biSizeImage = static_cast<std::uint32_t>(size);
    h.biClrUsed = bitCount <= 8 ? 1u << bitCount : 0;
    PixelBlock bits = AllocatePixels(size, fill);
    if (!bits) {
        return false;
    }
    info_ = std::move(info);
    bits_ = std::move(bits);
    if (bitCount == 1 || bitCount == 8) {
        SetGreyPalette();
    }
    return true;
}

bool DibStream::Adopt(std::unique_ptr<BitmapInfo> header, PixelBlock bits) {
    if (!header || !bits) {
        return false;
    }
    const BitmapInfoHeader& h = header->header;
    if (!ValidSize(h.biWidth, h.biHeight, h.biBitCount) ||
        h.biClrUsed > (h.biBitCount <= 8 ? 1u << h.biBitCount : 0u)) {
        return false;
    }
    info_ = std::move(header);
    bits_ = std::move(bits);
    return true;
}

void DibStream::Release() {
    info_.reset();
    bits_.reset();
}

int DibStream::AbsHeight() const {
    return std::abs(Height());
}

std::size_t DibStream::Stride() const {
    return StrideFor(BitCount(), Width());
}

int DibStream::PaletteSize() const {
    if (!info_) {
        return 0;
    }
    const BitmapInfoHeader& h = info_->header;
    if (h.biClrUsed != 0) {
        return static_cast<int>(h.biClrUsed);
    }
    return h.biBitCount <= 8 ? 1 << h.biBitCount : 0;
}

std::span<RgbQuad> DibStream::Palette() {
    return info_ ? std::span<RgbQuad>(info_->colors, static_cast<std::size_t>(PaletteSize()))
                 : std::span<RgbQuad>();
}

std::span<const RgbQuad> DibStream::Palette() const {
    return info_ ? std::span<const RgbQuad>(info_->colors, static_cast<std::size_t>(PaletteSize()))
                 : std::span<const RgbQuad>();
}

std::uint8_t* DibStream::Row(int y) {
    const int memoryRow = Height() < 0 ? y : AbsHeight() - 1 - y;
    return bits_.get() + static_cast<std::size_t>(memoryRow) * Stride();
}

const std::uint8_t* DibStream::Row(int y) const {
    return const_cast<DibStream*>(this)->Row(y);
}

void DibStream::SetGreyPalette() {
    const int depth = BitCount();
    if (depth != 1 && depth != 4 && depth != 8) {
        return;
    }
    const int step = depth == 1 ? 255 : depth == 4 ? 17 : 1;
    std::span<RgbQuad> palette = Palette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const auto grey = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step));
        palette[i] = RgbQuad{grey, grey, grey, 0};
    }
}

void DibStream::ClearRowPadding() {
    const std::size_t used =
        (static_cast<std::size_t>(BitCount()) * static_cast<std::size_t>(Width()) + 7) / 8;
    const std::size_t stride = Stride();
    for (int row = 0; row < AbsHeight(); ++row) {
        std::memset(bits_.get() + static_cast<std::size_t>(row) * stride + used, 0, stride - used);
    }
}

namespace {

// Unpacks one row into blue, green, red triples. Indices beyond the colour
// table (possible in damaged files) read entries that Create zeroed: black.
void ExpandRow(const std::uint8_t* src, int width, int depth, const RgbQuad* colors,
               std::uint8_t* out) {
    auto putColor = [&out](const RgbQuad& c) {
        *out++ = c.blue;
        *out++ = c.green;
        *out++ = c.red;
    };
    switch (depth) {
        case 1:
            for (int x = 0; x < width; ++x) {
                putColor(colors[(src[x >> 3] >> (7 - (x & 7))) & 1]);
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const std::uint8_t pair = src[x >> 1];
                putColor(colors[(x & 1) ? pair & 0x0F : pair >> 4]);
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) {
                putColor(colors[src[x]]);
            }
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const unsigned p = src[2 * x] | src[2 * x + 1] << 8;
                *out++ = static_cast<std::uint8_t>((p & 0x1F) * 8);
                *out++ = static_cast<std::uint8_t>(((p >> 5) & 0x1F) * 8);
                *out++ = static_cast<std::uint8_t>(((p >> 10) & 0x1F) * 8);
            }
            break;
        case 24:
            std::memcpy(out, src, static_cast<std::size_t>(width) * 3);
            break;
        case 32:
            for (int x = 0; x < width; ++x) {
                *out++ = src[4 * x];
                *out++ = src[4 * x + 1];
                *out++ = src[4 * x + 2];
            }
            break;
    }
}

}  // namespace

bool DibStream::Convert(int bitCount) {
    if (bitCount != 24 || Empty() || !ValidBitCount(BitCount())) {
        return false;
    }
    const int width = Width();
    const int height = Height();
    const int rows = AbsHeight();
    const int depth = BitCount();
    const std::size_t packedRow = static_cast<std::size_t>(width) * 3;
    const std::size_t srcStride = Stride();
    // The converted rows go into a fresh image so that a failed allocation
    // leaves this one as it was.
    DibStream converted;
    if (!converted.Create(width, height, 24)) {
        return false;
    }
    const std::size_t dstStride = converted.Stride();
    for (int row = 0; row < rows; ++row) {
        std::uint8_t* out = converted.bits_.get() + static_cast<std::size_t>(row) * dstStride;
        ExpandRow(bits_.get() + static_cast<std::size_t>(row) * srcStride, width, depth,
                  info_->colors, out);
        std::memset(out + packedRow, 0, dstStride - packedRow);
    }
    info_ = std::move(converted.info_);
    bits_ = std::move(converted.bits_);
    return true;
}
