// Small files built in memory for the reader tests, so that every depth,
// compression and row order can be pinned without binary fixtures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image/dib_stream.h"
#include "support/test_files.h"

struct BmpFields {
    int width = 1;
    int height = 1;  // negative: top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t sizeImage = 0;  // 0: the size of `pixels`
    std::uint32_t infoSize = 40;
    std::uint16_t planes = 1;
    bool zeroOffBits = false;
    std::vector<RgbQuad> palette;  // written as is (clrUsed picks how many are read)
    Bytes pixels;                  // as stored in the file
};
Bytes MakeBmp(const BmpFields& fields);

struct TgaFields {
    int imageType = 2;
    int width = 1;
    int height = 1;
    int pixelDepth = 24;
    std::uint8_t descriptor = 0;
    std::uint8_t colorMapType = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    std::string id;
    Bytes colorMap;
    Bytes data;  // pixels or run-length packets
};
Bytes MakeTga(const TgaFields& fields);

// Chunks of an IFF file: id and payload; the pad byte is added for odd sizes.
Bytes IffChunk(const std::string& id, const Bytes& payload);
Bytes IlbmBitmapHeader(int width, int height, int planes, int compression, int masking = 0);

// The picture as blue, green, red (, alpha) per pixel, top row first, after the
// conversion the texture loader applies.
struct Picture {
    int width = 0;
    int height = 0;
    int channels = 3;
    Bytes pixels;
};
Picture ToPicture(const DibStream& image);

// The public image suites in the test data, or empty when there are none.
std::filesystem::path ImageSuitesFolder();
