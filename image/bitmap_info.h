// The Windows device-independent bitmap header and colour table, byte for byte.
// Everything that reads or uploads a DibStream relies on this layout.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "bitmap headers are stored little-endian, as in the files they come from");

struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;  // > 0: rows stored bottom-up; < 0: top-down
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4);

// The header directly followed by its colour table. No depth has more than 256
// entries, so the table always fits; only the first PaletteSize() are used.
struct BitmapInfo {
    static constexpr int kMaxColors = 256;
    BitmapInfoHeader header;
    RgbQuad colors[kMaxColors];
};
static_assert(sizeof(BitmapInfo) == 40 + 4 * 256);
