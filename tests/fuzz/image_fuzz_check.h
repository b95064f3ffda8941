// What every image reader must guarantee for any input: a refusal, or an image
// whose every row can be read in full.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "image/dib_stream.h"

inline void CheckDecodedImage(bool decoded, DibStream& image) {
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
    if (image.BitCount() != 32) {
        image.Convert(24);
    }
}
