#include <gtest/gtest.h>

#include <cstring>

#include "image/dib_stream.h"

namespace {

TEST(DibStreamCreate, TwoByTwo24BitRowsArePaddedToEightBytes) {
    DibStream image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    EXPECT_EQ(image.Stride(), 8u);
    EXPECT_EQ(image.ImageSize(), 16u);
    const BitmapInfoHeader& h = *image.Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biSizeImage, 16u);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(image.PaletteSize(), 0);
}

TEST(DibStreamCreate, StrideFollowsDepthAndWidth) {
    EXPECT_EQ(DibStream::StrideFor(1, 1), 4u);
    EXPECT_EQ(DibStream::StrideFor(1, 33), 8u);
    EXPECT_EQ(DibStream::StrideFor(4, 9), 8u);
    EXPECT_EQ(DibStream::StrideFor(8, 5), 8u);
    EXPECT_EQ(DibStream::StrideFor(16, 3), 8u);
    EXPECT_EQ(DibStream::StrideFor(32, 3), 12u);
    EXPECT_EQ(DibStream::StrideFor(24, 127), 384u);
}

TEST(DibStreamCreate, PalettesByDepth) {
    DibStream one;
    ASSERT_TRUE(one.Create(3, 1, 1));
    ASSERT_EQ(one.PaletteSize(), 2);
    EXPECT_EQ(one.Palette()[0].red, 0);
    EXPECT_EQ(one.Palette()[1].green, 255);
    DibStream eight;
    ASSERT_TRUE(eight.Create(3, 1, 8));
    ASSERT_EQ(eight.PaletteSize(), 256);
    EXPECT_EQ(eight.Palette()[77].blue, 77);
    EXPECT_EQ(eight.Palette()[77].reserved, 0);
    DibStream four;
    ASSERT_TRUE(four.Create(3, 1, 4));
    EXPECT_EQ(four.PaletteSize(), 16);
}

TEST(DibStreamCreate, InvalidDepthLeavesNoImage) {
    DibStream image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    EXPECT_FALSE(image.Create(4, 4, 12));
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.Header(), nullptr);
}

TEST(DibStreamCreate, AbsurdSizesAreRefusedBeforeAllocation) {
    DibStream image;
    EXPECT_FALSE(image.Create(0, 4, 24));
    EXPECT_FALSE(image.Create(-4, 4, 24));
    EXPECT_FALSE(image.Create(4, 0, 24));
    EXPECT_FALSE(image.Create(65536, 4097, 8));  // just over 2^28 pixels
    EXPECT_FALSE(image.Create(2, INT32_MIN, 8));
    EXPECT_FALSE(image.Create(INT32_MAX, INT32_MAX, 32));
    EXPECT_TRUE(DibStream::ValidSize(65536, 4096, 32));
    EXPECT_TRUE(image.Empty());
}

TEST(DibStreamRow, BottomUpRowZeroIsLastInMemory) {
    DibStream image;
    ASSERT_TRUE(image.Create(3, 4, 8));
    EXPECT_EQ(image.Row(0), image.Bits() + 3 * image.Stride());
    EXPECT_EQ(image.Row(3), image.Bits());
}

TEST(DibStreamRow, TopDownRowZeroIsFirstInMemory) {
    DibStream image;
    ASSERT_TRUE(image.Create(3, -4, 8));
    EXPECT_EQ(image.Height(), -4);
    EXPECT_EQ(image.Row(0), image.Bits());
    EXPECT_EQ(image.Row(3), image.Bits() + 3 * image.Stride());
}

TEST(DibStreamAdopt, NullBlocksAreRefused) {
    DibStream image;
    EXPECT_FALSE(image.Adopt(nullptr, AllocatePixels(4, PixelFill::Zeroed)));
    EXPECT_FALSE(image.Adopt(std::make_unique<BitmapInfo>(), nullptr));
}

TEST(DibStreamAdopt, HeaderDescribingAnInvalidPictureIsRefused) {
    auto info = std::make_unique<BitmapInfo>();
    info->header.biWidth = 2;
    info->header.biHeight = 2;
    info->header.biBitCount = 12;
    DibStream image;
    EXPECT_FALSE(image.Adopt(std::move(info), AllocatePixels(16, PixelFill::Zeroed)));
}

TEST(DibStreamGreyPalette, StepsByDepth) {
    DibStream four;
    ASSERT_TRUE(four.Create(1, 1, 4));
    four.SetGreyPalette();
    EXPECT_EQ(four.Palette()[15].red, 255);
    EXPECT_EQ(four.Palette()[3].green, 51);
    DibStream one;
    ASSERT_TRUE(one.Create(1, 1, 1));
    one.Palette()[1] = RgbQuad{1, 2, 3, 0};
    one.SetGreyPalette();
    EXPECT_EQ(one.Palette()[1].blue, 255);
}

TEST(DibStreamConvert, SixteenBitWhiteBecomes248) {
    DibStream image;
    ASSERT_TRUE(image.Create(1, 1, 16));
    image.Bits()[0] = 0xFF;
    image.Bits()[1] = 0x7F;
    ASSERT_TRUE(image.Convert(24));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.Bits()[0], 248);
    EXPECT_EQ(image.Bits()[1], 248);
    EXPECT_EQ(image.Bits()[2], 248);
}

TEST(DibStreamConvert, GreyRampGivesIndexInEveryChannel) {
    DibStream image;
    ASSERT_TRUE(image.Create(5, 2, 8));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.Row(y)[x] = static_cast<std::uint8_t>(50 * y + 40 * x + 1);
        }
    }
    ASSERT_TRUE(image.Convert(24));
    ASSERT_EQ(image.Stride(), 16u);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 5; ++x) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(image.Row(y)[3 * x + c], 50 * y + 40 * x + 1);
            }
        }
    }
}

TEST(DibStreamConvert, KeepsRowOrderAndSign) {
    DibStream image;
    ASSERT_TRUE(image.Create(1, -2, 8));
    image.Row(0)[0] = 10;
    image.Row(1)[0] = 20;
    ASSERT_TRUE(image.Convert(24));
    EXPECT_EQ(image.Height(), -2);
    EXPECT_EQ(image.Row(0)[0], 10);
    EXPECT_EQ(image.Row(1)[0], 20);
}

TEST(DibStreamConvert, OneAndFourBitIndicesMostSignificantFirst) {
    DibStream one;
    ASSERT_TRUE(one.Create(9, 1, 1));
    one.Row(0)[0] = 0x80;
    one.Row(0)[1] = 0x80;
    ASSERT_TRUE(one.Convert(24));
    EXPECT_EQ(one.Row(0)[0], 255);
    EXPECT_EQ(one.Row(0)[3], 0);
    EXPECT_EQ(one.Row(0)[8 * 3], 255);

    DibStream four;
    ASSERT_TRUE(four.Create(3, 1, 4));
    four.Palette()[2] = RgbQuad{1, 2, 3, 0};
    four.Palette()[5] = RgbQuad{4, 5, 6, 0};
    four.Row(0)[0] = 0x25;
    four.Row(0)[1] = 0x50;
    ASSERT_TRUE(four.Convert(24));
    EXPECT_EQ(four.Row(0)[0], 1);
    EXPECT_EQ(four.Row(0)[3], 4);
    EXPECT_EQ(four.Row(0)[8], 6);
}

TEST(DibStreamConvert, IndexBeyondShortTableIsBlack) {
    auto info = std::make_unique<BitmapInfo>();
    info->header.biWidth = 1;
    info->header.biHeight = 1;
    info->header.biBitCount = 8;
    info->header.biClrUsed = 2;
    info->colors[0] = info->colors[1] = RgbQuad{9, 9, 9, 0};
    auto bits = AllocatePixels(4, PixelFill::Zeroed);
    bits[0] = 200;
    DibStream image;
    ASSERT_TRUE(image.Adopt(std::move(info), std::move(bits)));
    ASSERT_TRUE(image.Convert(24));
    EXPECT_EQ(image.Bits()[0] | image.Bits()[1] | image.Bits()[2], 0);
}

TEST(DibStreamConvert, OnlyTwentyFourBitsAndOnlyWithPixels) {
    DibStream empty;
    EXPECT_FALSE(empty.Convert(24));
    DibStream image;
    ASSERT_TRUE(image.Create(1, 1, 8));
    EXPECT_FALSE(image.Convert(32));
    EXPECT_EQ(image.BitCount(), 8);
}

}  // namespace
