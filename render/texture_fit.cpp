#include "render/texture_fit.h"

#include <cstring>

std::size_t PaddedRowBytes(int width, int components) {
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(components);
    return (bytes + 3) / 4 * 4;
}

std::vector<std::uint8_t> ResampleNearest(const std::uint8_t* pixels, int width, int height,
                                          int components, int newWidth, int newHeight) {
    const std::size_t sourceStride = PaddedRowBytes(width, components);
    const std::size_t stride = PaddedRowBytes(newWidth, components);
    const auto pixelBytes = static_cast<std::size_t>(components);
    std::vector<std::uint8_t> result(stride * static_cast<std::size_t>(newHeight));
    for (int y = 0; y < newHeight; ++y) {
        const auto sourceY = static_cast<std::size_t>((2 * static_cast<std::int64_t>(y) + 1) *
                                                      height / (2 * std::int64_t{newHeight}));
        const std::uint8_t* sourceRow = pixels + sourceY * sourceStride;
        std::uint8_t* row = result.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < newWidth; ++x) {
            const auto sourceX = static_cast<std::size_t>((2 * static_cast<std::int64_t>(x) + 1) *
                                                          width / (2 * std::int64_t{newWidth}));
            std::memcpy(row + static_cast<std::size_t>(x) * pixelBytes,
                        sourceRow + sourceX * pixelBytes, pixelBytes);
        }
    }
    return result;
}
