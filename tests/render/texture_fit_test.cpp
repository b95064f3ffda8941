#include "render/texture_fit.h"

#include <gtest/gtest.h>

namespace {

TEST(TextureFit, RowsArePaddedToFourBytes) {
    EXPECT_EQ(PaddedRowBytes(2, 3), 8u);
    EXPECT_EQ(PaddedRowBytes(4, 3), 12u);
    EXPECT_EQ(PaddedRowBytes(3, 4), 12u);
    EXPECT_EQ(PaddedRowBytes(1, 3), 4u);
}

TEST(TextureFit, HalvingKeepsOnePixelOfEveryPairAndSkipsThePadding) {
    // 4 × 2 pixels of 3 bytes: 12-byte rows; pixel value = 10 * row + column.
    std::vector<std::uint8_t> source(24);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            for (int c = 0; c < 3; ++c) {
                source[static_cast<std::size_t>(y * 12 + x * 3 + c)] =
                    static_cast<std::uint8_t>(10 * y + x);
            }
        }
    }
    const std::vector<std::uint8_t> half = ResampleNearest(source.data(), 4, 2, 3, 2, 1);
    // 2 pixels of 3 bytes padded to 8.
    ASSERT_EQ(half.size(), 8u);
    EXPECT_EQ(half[0], 10 * 1 + 0 * 2 + 1);
    EXPECT_EQ(half[3], 10 * 1 + 1 * 2 + 1);
}

TEST(TextureFit, OddWidthsReadFromPaddedRows) {
    // 3 × 2 pixels of 3 bytes: 9 bytes of pixels and 3 of padding per row.
    std::vector<std::uint8_t> source(24, 0);
    for (int c = 0; c < 3; ++c) {
        source[static_cast<std::size_t>(12 + 6 + c)] = 200;  // row 1, column 2
    }
    const std::vector<std::uint8_t> same = ResampleNearest(source.data(), 3, 2, 3, 3, 2);
    ASSERT_EQ(same.size(), 24u);
    EXPECT_EQ(same[12 + 6], 200);
    EXPECT_EQ(same[12 + 3], 0);
}

}  // namespace
