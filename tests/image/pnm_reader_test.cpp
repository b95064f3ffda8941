#include <gtest/gtest.h>

#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image_builders.h"

namespace {

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(PnmReader, BinaryPixmapWithACommentTopRowFirst) {
    Bytes file = Text("P6\n# comment\n2 2\n255\n");
    for (int i = 0; i < 12; ++i) {
        file.push_back(static_cast<std::uint8_t>(i + 1));
    }
    DibStream image;
    ASSERT_TRUE(DecodePNM(file, image));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.Height(), 2);
    // Red, green, blue in the file; blue, green, red in the image.
    EXPECT_EQ(image.Row(0)[0], 3);
    EXPECT_EQ(image.Row(0)[2], 1);
    EXPECT_EQ(image.Row(1)[3], 12);
}

TEST(PnmReader, TextGreymapKeepsTheLowByteOfEachSample) {
    DibStream image;
    ASSERT_TRUE(DecodePNM(Text("P2\n4 1\n255\n0 128 255 300\n"), image));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Palette()[128].red, 128);
    const std::uint8_t* row = image.Row(0);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[1], 128);
    EXPECT_EQ(row[2], 255);
    EXPECT_EQ(row[3], 44);
}

TEST(PnmReader, TextPixmapNumbersEndAtAnyNonDigit) {
    DibStream image;
    ASSERT_TRUE(DecodePNM(Text("P3\n1 2\n255\n1,2,3\n4\t5 6"), image));
    EXPECT_EQ(image.Row(0)[0], 3);
    EXPECT_EQ(image.Row(0)[2], 1);
    EXPECT_EQ(image.Row(1)[0], 6);
}

TEST(PnmReader, BinaryGreymap) {
    Bytes file = Text("P5\n3 1\n255\n");
    file.insert(file.end(), {7, 8, 9});
    DibStream image;
    ASSERT_TRUE(DecodePNM(file, image));
    EXPECT_EQ(image.Row(0)[2], 9);
}

TEST(PnmReader, OtherMaximaAreScaledToBytes) {
    Bytes wide = Text("P5\n2 1\n65535\n");
    wide.insert(wide.end(), {0xFF, 0xFF, 0x80, 0x00});
    DibStream image;
    ASSERT_TRUE(DecodePNM(wide, image));
    EXPECT_EQ(image.Row(0)[0], 255);
    EXPECT_EQ(image.Row(0)[1], 128);
    ASSERT_TRUE(DecodePNM(Text("P2\n2 1\n15\n15 5\n"), image));
    EXPECT_EQ(image.Row(0)[0], 255);
    EXPECT_EQ(image.Row(0)[1], 85);
}

TEST(PnmReader, CrLfMagicAndOtherFormsAreRefused) {
    DibStream image;
    EXPECT_FALSE(DecodePNM(Text("P6\r\n1 1\n255\n\1\2\3"), image));
    EXPECT_FALSE(DecodePNM(Text("P4\n1 1\n\1"), image));
    EXPECT_FALSE(DecodePNM(Text("P7\nWIDTH 1\n"), image));
    EXPECT_FALSE(DecodePNM(Text(""), image));
}

TEST(PnmReader, BadSizesAreRefused) {
    DibStream image;
    EXPECT_FALSE(DecodePNM(Text("P5\n-1 1\n255\n\1"), image));
    EXPECT_FALSE(DecodePNM(Text("P5\n1 -1\n255\n\1"), image));
    EXPECT_FALSE(DecodePNM(Text("P5\n1\n255\n\1"), image));
    EXPECT_FALSE(DecodePNM(Text("P5\n70000 70000\n255\n"), image));
    EXPECT_FALSE(DecodePNM(Text("P5\n1 1\n0\n\1"), image));
}

TEST(PnmReader, ShortDataIsRefused) {
    DibStream image;
    EXPECT_FALSE(DecodePNM(Text("P5\n2 2\n255\n\1\2\3"), image));
    EXPECT_FALSE(DecodePNM(Text("P2\n2 1\n255\n1 "), image));
}

TEST(PnmReader, ProgressSeesEachRowAndCanCancel) {
    std::vector<float> seen;
    auto record = [](float f, void* user) {
        static_cast<std::vector<float>*>(user)->push_back(f);
        return true;
    };
    DibStream image;
    ASSERT_TRUE(DecodePNM(Text("P2\n1 4\n255\n1 2 3 4"), image, record, &seen));
    EXPECT_EQ(seen, (std::vector<float>{0.0f, 0.25f, 0.5f, 0.75f}));
    auto cancel = [](float, void*) { return false; };
    EXPECT_FALSE(DecodePNM(Text("P2\n1 4\n255\n1 2 3 4"), image, cancel, nullptr));
}

}  // namespace
