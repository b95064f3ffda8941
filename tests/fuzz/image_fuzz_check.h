// What every image reader must guarantee for any input: a refusal, or an image
// whose every row can be read in full.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "image/dib_stream.h"

inline void CheckDecodedImage(const ImageStatus& decoded, DibStream& image) {
    if (!decoded || image.Empty()) {
        return;
    }
    if (image.Width() <= 0 || image.AbsHeight() <= 0 ||
        image.Stride() * static_cast<std::size_t>(image.AbsHeight()) != image.ImageSize()) {
        std::abort();
    }
    // Touching every byte lets the sanitizers catch a block smaller than its rows.
    volatile std::uint8_t sink = 0;
    for (int y = 0; y < image.AbsHeight(); ++y) {
        const std::uint8_t* row = image.Row(y);
        sink = sink + row[0] + row[image.Stride() - 1];
    }
    // Converting a legitimately huge picture (a few bytes of run-length data
    // can describe 2^28 pixels) only slows the search down; smaller ones are
    // converted as the texture loader would.
    constexpr std::int64_t kMaxConvertedPixels = std::int64_t{1} << 22;
    if (image.BitCount() != 32 &&
        std::int64_t{image.Width()} * image.AbsHeight() <= kMaxConvertedPixels) {
        image.Convert(24);
    }
}
