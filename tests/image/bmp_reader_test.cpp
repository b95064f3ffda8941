#include <gtest/gtest.h>

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image_builders.h"

namespace {

constexpr int kAllDepths = 63;

DibStream Decode(const Bytes& file, int depthFlags = kAllDepths, bool* ok = nullptr) {
    DibStream image;
    const bool decoded = static_cast<bool>(image.DecodeBMP(file, depthFlags));
    if (ok) {
        *ok = decoded;
    }
    return image;
}

bool Refused(const Bytes& file, int depthFlags = kAllDepths) {
    DibStream image;
    return !image.DecodeBMP(file, depthFlags) && image.Empty();
}

// A 3 × 2 picture whose rows differ, stored at `bitCount`.
BmpFields ThreeByTwo(int bitCount, int height = 2) {
    BmpFields fields;
    fields.width = 3;
    fields.height = height;
    fields.bitCount = bitCount;
    const std::size_t stride = DibStream::StrideFor(bitCount, 3);
    fields.pixels.assign(stride * 2, 0);
    for (std::size_t i = 0; i < fields.pixels.size(); ++i) {
        if (i % stride < (static_cast<std::size_t>(bitCount) * 3 + 7) / 8) {
            fields.pixels[i] = static_cast<std::uint8_t>(i * 7 + 1);
        }
    }
    if (bitCount <= 8) {
        for (int i = 0; i < (1 << bitCount); ++i) {
            fields.palette.push_back(RgbQuad{static_cast<std::uint8_t>(i), 0, 0, 0});
        }
    }
    return fields;
}

TEST(BmpReader, EveryUncompressedDepthKeepsPixelsAndHeader) {
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        BmpFields fields = ThreeByTwo(depth);
        if (depth == 32) {
            fields.pixels[3] = 128;  // some alpha is used
        }
        bool ok = false;
        DibStream image = Decode(MakeBmp(fields), kAllDepths, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(image.Width(), 3);
        EXPECT_EQ(image.Height(), 2);
        EXPECT_EQ(image.BitCount(), depth);
        EXPECT_EQ(image.Header()->biCompression, 0u);
        EXPECT_EQ(image.Header()->biSizeImage, fields.pixels.size());
        ASSERT_EQ(image.ImageSize(), fields.pixels.size());
        EXPECT_TRUE(std::equal(fields.pixels.begin(), fields.pixels.end(), image.Bits()));
        EXPECT_EQ(image.PaletteSize(), depth <= 8 ? 1 << depth : 0);
        if (depth == 8) {
            EXPECT_EQ(image.Palette()[200].blue, 200);
        }
    }
}

TEST(BmpReader, TopDownKeepsNegativeHeightAndRowOrder) {
    BmpFields fields = ThreeByTwo(8, -2);
    DibStream image = Decode(MakeBmp(fields));
    ASSERT_EQ(image.Height(), -2);
    EXPECT_EQ(image.Row(0)[0], fields.pixels[0]);
    DibStream bottomUp = Decode(MakeBmp(ThreeByTwo(8, 2)));
    EXPECT_EQ(bottomUp.Row(1)[0], fields.pixels[0]);
}

TEST(BmpReader, DepthFlagsSelectAcceptedDepths) {
    const Bytes file = MakeBmp(ThreeByTwo(24));
    EXPECT_TRUE(Refused(file, 63 & ~0x10));
    bool ok = false;
    Decode(file, 0x10, &ok);
    EXPECT_TRUE(ok);
}

TEST(BmpReader, ClrUsedSetsTableSizeOnlyUpToEightBits) {
    BmpFields eight = ThreeByTwo(8);
    eight.palette.resize(16);
    eight.clrUsed = 16;
    DibStream image = Decode(MakeBmp(eight));
    EXPECT_EQ(image.PaletteSize(), 16);
    EXPECT_EQ(image.Header()->biClrUsed, 16u);

    BmpFields deep = ThreeByTwo(24);
    deep.clrUsed = 256;
    deep.palette.resize(256);
    DibStream deepImage = Decode(MakeBmp(deep));
    EXPECT_EQ(deepImage.PaletteSize(), 0);
    EXPECT_EQ(deepImage.Row(1)[0], deep.pixels[0]);
}

TEST(BmpReader, OversizedTableIsReadPastAndClamped) {
    BmpFields fields = ThreeByTwo(4);
    fields.palette.resize(20, RgbQuad{1, 1, 1, 0});
    fields.clrUsed = 20;
    fields.zeroOffBits = true;
    bool ok = false;
    DibStream image = Decode(MakeBmp(fields), kAllDepths, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(image.PaletteSize(), 16);
    EXPECT_EQ(image.Row(1)[0], fields.pixels[0]);
}

TEST(BmpReader, AbsurdTableSizeIsRefused) {
    BmpFields fields = ThreeByTwo(8);
    fields.clrUsed = 305402420;
    EXPECT_TRUE(Refused(MakeBmp(fields)));
}

TEST(BmpReader, ZeroOffBitsReadsPixelsAfterTheTable) {
    BmpFields fields = ThreeByTwo(8);
    fields.zeroOffBits = true;
    DibStream image = Decode(MakeBmp(fields));
    EXPECT_EQ(image.Row(1)[2], fields.pixels[2]);
}

TEST(BmpReader, OtherHeaderVersionsAndDepthsAreRefused) {
    for (std::uint32_t infoSize : {12u, 64u, 66u}) {
        BmpFields fields = ThreeByTwo(24);
        fields.infoSize = infoSize;
        EXPECT_TRUE(Refused(MakeBmp(fields))) << infoSize;
    }
    BmpFields odd = ThreeByTwo(24);
    odd.bitCount = 63;
    EXPECT_TRUE(Refused(MakeBmp(odd)));
    BmpFields planes = ThreeByTwo(24);
    planes.planes = 3;
    EXPECT_TRUE(Refused(MakeBmp(planes)));
}

TEST(BmpReader, UnsupportedCompressionsAreRefused) {
    BmpFields rle4 = ThreeByTwo(4);
    rle4.compression = 2;
    EXPECT_TRUE(Refused(MakeBmp(rle4)));
    BmpFields bitfields = ThreeByTwo(8);
    bitfields.compression = 3;
    EXPECT_TRUE(Refused(MakeBmp(bitfields)));
    BmpFields rle8At24 = ThreeByTwo(24);
    rle8At24.compression = 1;
    EXPECT_TRUE(Refused(MakeBmp(rle8At24)));
}

TEST(BmpReader, BadSignatureAndTruncationsAreRefused) {
    Bytes file = MakeBmp(ThreeByTwo(24));
    Bytes badSignature = file;
    badSignature[1] = 'A';
    EXPECT_TRUE(Refused(badSignature));
    for (std::size_t size : {std::size_t{0}, std::size_t{13}, std::size_t{30}, file.size() - 1}) {
        EXPECT_TRUE(Refused(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size))))
            << size;
    }
    Bytes farOffset = file;
    farOffset[10] = 0xFF;
    farOffset[11] = 0xFF;
    EXPECT_TRUE(Refused(farOffset));
}

TEST(BmpReader, AbsurdDimensionsAreRefused) {
    BmpFields huge = ThreeByTwo(24);
    huge.width = 3000000;
    huge.height = 2000000;
    EXPECT_TRUE(Refused(MakeBmp(huge)));
    BmpFields negative = ThreeByTwo(24);
    negative.width = -3;
    EXPECT_TRUE(Refused(MakeBmp(negative)));
    BmpFields zero = ThreeByTwo(24);
    zero.height = 0;
    EXPECT_TRUE(Refused(MakeBmp(zero)));
}

TEST(BmpReader, ThirtyTwoBitWithUnusedFourthBytesIsOpaque) {
    BmpFields fields = ThreeByTwo(32);
    for (std::size_t i = 3; i < fields.pixels.size(); i += 4) {
        fields.pixels[i] = 0;
    }
    DibStream image = Decode(MakeBmp(fields));
    for (std::size_t i = 3; i < image.ImageSize(); i += 4) {
        EXPECT_EQ(image.Bits()[i], 255);
    }
}

TEST(BmpReader, ThirtyTwoBitAlphaInUseIsKept) {
    BmpFields fields = ThreeByTwo(32);
    fields.pixels[3] = 0;
    fields.pixels[7] = 77;
    DibStream image = Decode(MakeBmp(fields));
    EXPECT_EQ(image.Bits()[3], 0);
    EXPECT_EQ(image.Bits()[7], 77);
}

BmpFields RunLength(int width, int height, Bytes data) {
    BmpFields fields;
    fields.width = width;
    fields.height = height;
    fields.bitCount = 8;
    fields.compression = 1;
    fields.palette.resize(256);
    fields.pixels = std::move(data);
    return fields;
}

TEST(BmpRunLength, RunThenEndOfLineContinuesOnTheRowAbove) {
    bool ok = false;
    DibStream image =
        Decode(MakeBmp(RunLength(4, 2, {3, 0x41, 0, 0, 2, 0x42, 0, 1})), kAllDepths, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(image.Header()->biCompression, 0u);
    const std::uint8_t* bottom = image.Row(1);
    EXPECT_EQ(bottom[0], 0x41);
    EXPECT_EQ(bottom[2], 0x41);
    EXPECT_EQ(bottom[3], 0);
    EXPECT_EQ(image.Row(0)[0], 0x42);
    EXPECT_EQ(image.Row(0)[2], 0);
}

TEST(BmpRunLength, LiteralsSkipTheirPadByteAndMovesSkipPixels) {
    DibStream image =
        Decode(MakeBmp(RunLength(6, 2, {0, 3, 7, 8, 9, 0, 1, 5, 0, 2, 1, 1, 1, 6, 0, 1})));
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Row(1)[0], 7);
    EXPECT_EQ(image.Row(1)[2], 9);
    EXPECT_EQ(image.Row(1)[3], 5);
    EXPECT_EQ(image.Row(1)[4], 0);
    EXPECT_EQ(image.Row(0)[5], 6);
    EXPECT_EQ(image.Row(0)[4], 0);
}

TEST(BmpRunLength, InputEndingEarlyLeavesTheRestZero) {
    DibStream image = Decode(MakeBmp(RunLength(2, 2, {2, 9})));
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Row(1)[1], 9);
    EXPECT_EQ(image.Row(0)[0], 0);
}

TEST(BmpRunLength, ZeroCompressedSizeTakesTheRestOfTheFile) {
    BmpFields fields = RunLength(2, 1, {2, 9, 0, 1});
    Bytes file = MakeBmp(fields);
    file[34] = file[35] = file[36] = file[37] = 0;
    DibStream image = Decode(file);
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.Row(0)[1], 9);
}

TEST(BmpRunLength, RunsAndMovesLeavingThePictureAreRefused) {
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {5, 1}))));
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {2, 1, 3, 1}))));
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {0, 5, 1, 2, 3, 4, 5, 0}))));
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {0, 2, 5, 0}))));
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {0, 2, 0, 3}))));
    EXPECT_TRUE(Refused(MakeBmp(RunLength(4, 2, {0, 2, 1, 2}))));
}

TEST(BmpRunLength, DataAfterTheLastRowIsIgnored) {
    bool ok = false;
    Decode(MakeBmp(RunLength(2, 1, {2, 1, 0, 0, 2, 2, 0, 0, 0, 1})), kAllDepths, &ok);
    EXPECT_TRUE(ok);
}

TEST(BmpRunLength, TopDownIsRefused) {
    EXPECT_TRUE(Refused(MakeBmp(RunLength(2, -2, {2, 1, 0, 1}))));
}

TEST(BmpRunLength, CompressedSizeBeyondTheFileIsRefused) {
    BmpFields fields = RunLength(2, 2, {2, 1, 0, 1});
    fields.sizeImage = 1000;
    EXPECT_TRUE(Refused(MakeBmp(fields)));
}

TEST(BmpReader, MissingFileIsRefused) {
    DibStream image;
    EXPECT_FALSE(DecodeImageFile("/nonexistent/quorvel/none.bmp", image));
}

// Three 16-bit pixels 5-6-5 (white, pure green, blue 1) and the same picture
// as 32-bit with an alpha mask in a V5 header.
TEST(BmpReader, ColourMasksOfAnyLayoutAreUnpacked) {
    BmpFields rgb565 = ThreeByTwo(16, 1);
    rgb565.compression = 3;
    rgb565.palette = {RgbQuad{0x00, 0xF8, 0x00, 0}, RgbQuad{0xE0, 0x07, 0x00, 0},
                      RgbQuad{0x1F, 0x00, 0x00, 0}};
    rgb565.pixels = {0xFF, 0xFF, 0xE0, 0x07, 0x01, 0x00, 0, 0};
    bool ok = false;
    DibStream image = Decode(MakeBmp(rgb565), kAllDepths, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(image.BitCount(), 24);
    const std::uint8_t* row = image.Row(0);
    EXPECT_EQ(Bytes(row, row + 9), (Bytes{255, 255, 255, 0, 255, 0, 8, 0, 0}));

    BmpFields v5 = ThreeByTwo(32, 1);
    v5.infoSize = 124;
    v5.compression = 3;
    v5.pixels = {0x11, 0x22, 0x33, 0x80, 0, 0, 0, 0, 0, 0, 0, 0};
    Bytes file = MakeBmp(v5);
    // Alpha in the low byte, then blue, green, red: an order DibStream does not keep.
    const std::uint32_t masks[4] = {0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    for (int m = 0; m < 4; ++m) {
        for (int b = 0; b < 4; ++b) {
            file[54 + 4 * m + b] = static_cast<std::uint8_t>(masks[m] >> (8 * b));
        }
    }
    image = Decode(file, kAllDepths, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(image.BitCount(), 32);
    row = image.Row(0);
    EXPECT_EQ(Bytes(row, row + 4), (Bytes{0x22, 0x33, 0x80, 0x11}));
}

TEST(BmpReader, MasksThatLackAColourOrOverlapAreRefused) {
    BmpFields noBlue = ThreeByTwo(16, 1);
    noBlue.compression = 3;
    noBlue.palette = {RgbQuad{0x00, 0xFF, 0, 0}, RgbQuad{0xFF, 0x00, 0, 0}, RgbQuad{}};
    EXPECT_TRUE(Refused(MakeBmp(noBlue)));
    BmpFields overlap = noBlue;
    overlap.palette[2] = RgbQuad{0x0F, 0x00, 0, 0};
    EXPECT_TRUE(Refused(MakeBmp(overlap)));
}

}  // namespace
