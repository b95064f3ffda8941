#include <gtest/gtest.h>

#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image_builders.h"

namespace {

bool Refused(const Bytes& file) {
    DibStream image;
    return !DecodeTGA(file, image);
}

// 2 × 2 true colour, rows in file order: top-left first when top-first.
TgaFields TrueColor(int depth, std::uint8_t descriptor) {
    TgaFields fields;
    fields.width = 2;
    fields.height = 2;
    fields.pixelDepth = depth;
    fields.descriptor = descriptor;
    const int bytes = depth / 8;
    for (int i = 0; i < 4 * bytes; ++i) {
        fields.data.push_back(static_cast<std::uint8_t>(10 + i));
    }
    return fields;
}

TEST(TgaReader, TopFirstBecomesTopDownAndShowsTheSamePicture) {
    DibStream topDown;
    ASSERT_TRUE(DecodeTGA(MakeTga(TrueColor(24, 0x20)), topDown));
    EXPECT_EQ(topDown.Height(), -2);
    TgaFields bottomFirst = TrueColor(24, 0);
    std::rotate(bottomFirst.data.begin(), bottomFirst.data.begin() + 6, bottomFirst.data.end());
    DibStream bottomUp;
    ASSERT_TRUE(DecodeTGA(MakeTga(bottomFirst), bottomUp));
    EXPECT_EQ(bottomUp.Height(), 2);
    EXPECT_EQ(ToPicture(topDown).pixels, ToPicture(bottomUp).pixels);
    EXPECT_EQ(topDown.Row(0)[0], 10);
    EXPECT_EQ(topDown.Row(1)[5], 21);
}

TEST(TgaReader, TrueColorDepthsKeepTheFilesBytes) {
    for (int depth : {16, 24}) {
        SCOPED_TRACE(depth);
        DibStream image;
        ASSERT_TRUE(DecodeTGA(MakeTga(TrueColor(depth, 0x20)), image));
        EXPECT_EQ(image.BitCount(), depth);
        EXPECT_EQ(image.Row(1)[0], 10 + 2 * depth / 8);
    }
}

TEST(TgaReader, ThirtyTwoBitAlphaStaysStraight) {
    TgaFields fields = TrueColor(32, 0x28);
    fields.data[3] = 255;
    fields.data[7] = 0;
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Row(0)[3], 255);
    EXPECT_EQ(image.Row(0)[7], 0);
}

TEST(TgaReader, ThirtyTwoBitWithoutAlphaIsOpaque) {
    TgaFields noAlphaBits = TrueColor(32, 0x20);
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(noAlphaBits), image));
    EXPECT_EQ(image.Row(1)[7], 255);
    TgaFields zeroAlpha = TrueColor(32, 0x28);
    for (std::size_t i = 3; i < zeroAlpha.data.size(); i += 4) {
        zeroAlpha.data[i] = 0;
    }
    ASSERT_TRUE(DecodeTGA(MakeTga(zeroAlpha), image));
    EXPECT_EQ(image.Row(0)[3], 255);
}

TEST(TgaReader, ColorMappedUsesItsMapAndSkipsTheId) {
    TgaFields fields;
    fields.imageType = 1;
    fields.width = 3;
    fields.height = 1;
    fields.pixelDepth = 8;
    fields.id = "identifier";
    fields.colorMapType = 1;
    fields.colorMapLength = 2;
    fields.colorMapEntryBits = 24;
    fields.colorMap = {1, 2, 3, 4, 5, 6};
    fields.data = {1, 0, 1};
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Palette()[1].blue, 4);
    EXPECT_EQ(image.Palette()[1].red, 6);
    EXPECT_EQ(image.Row(0)[2], 1);
}

TEST(TgaReader, ColorMapBeyond256EntriesIsReadPast) {
    TgaFields fields;
    fields.imageType = 1;
    fields.pixelDepth = 8;
    fields.colorMapType = 1;
    fields.colorMapLength = 300;
    fields.colorMapEntryBits = 24;
    fields.colorMap.assign(900, 7);
    fields.data = {200};
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.PaletteSize(), 256);
    EXPECT_EQ(image.Row(0)[0], 200);
}

TEST(TgaReader, ColorMapsOtherThan24BitAreRefused) {
    TgaFields fields;
    fields.imageType = 1;
    fields.pixelDepth = 8;
    fields.colorMapType = 1;
    fields.colorMapLength = 2;
    fields.colorMapEntryBits = 16;
    fields.colorMap = {0, 0, 0, 0};
    fields.data = {1};
    EXPECT_TRUE(Refused(MakeTga(fields)));
}

TEST(TgaReader, GreyGetsTheGreyRampAndSkipsAMap) {
    TgaFields fields;
    fields.imageType = 3;
    fields.width = 2;
    fields.pixelDepth = 8;
    fields.colorMapType = 1;
    fields.colorMapLength = 1;
    fields.colorMapEntryBits = 32;
    fields.colorMap = {9, 9, 9, 9};
    fields.data = {5, 6};
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Palette()[6].green, 6);
    EXPECT_EQ(image.Row(0)[1], 6);
}

TEST(TgaReader, TrueColorSkipsAColorMap) {
    TgaFields fields = TrueColor(24, 0x20);
    fields.colorMapType = 1;
    fields.colorMapLength = 3;
    fields.colorMapEntryBits = 16;
    fields.colorMap.assign(6, 0xEE);
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Row(0)[0], 10);
}

TEST(TgaRunLength, PacketsCrossRowsAndTheImageIsBottomUp) {
    TgaFields fields;
    fields.imageType = 10;
    fields.width = 3;
    fields.height = 2;
    fields.pixelDepth = 24;
    // A run of 4 grey pixels across the first row, then 2 raw pixels.
    fields.data = {0x83, 50, 50, 50, 0x01, 1, 2, 3, 4, 5, 6};
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Height(), 2);
    // Bottom-first file: the first row decoded is the bottom one.
    EXPECT_EQ(image.Row(1)[6], 50);
    EXPECT_EQ(image.Row(0)[0], 50);
    EXPECT_EQ(image.Row(0)[3], 1);
    EXPECT_EQ(image.Row(0)[8], 6);
}

TEST(TgaRunLength, TopFirstFillsFromTheTopButStaysBottomUp) {
    TgaFields fields;
    fields.imageType = 10;
    fields.width = 1;
    fields.height = 2;
    fields.pixelDepth = 32;
    fields.descriptor = 0x28;
    fields.data = {0x00, 1, 2, 3, 4, 0x00, 5, 6, 7, 8};
    DibStream image;
    ASSERT_TRUE(DecodeTGA(MakeTga(fields), image));
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.Row(0)[0], 1);
    EXPECT_EQ(image.Row(0)[3], 4);
    EXPECT_EQ(image.Row(1)[3], 8);
}

TEST(TgaRunLength, RestOfTheLastPacketIsDropped) {
    TgaFields fields;
    fields.imageType = 9;
    fields.width = 2;
    fields.height = 1;
    fields.pixelDepth = 8;
    fields.colorMapType = 1;
    fields.colorMapLength = 1;
    fields.colorMapEntryBits = 24;
    fields.colorMap = {1, 2, 3};
    fields.data = {0xFF, 0};
    DibStream image;
    EXPECT_TRUE(DecodeTGA(MakeTga(fields), image));
}

TEST(TgaRunLength, ShortDataIsRefused) {
    TgaFields fields;
    fields.imageType = 10;
    fields.width = 4;
    fields.height = 1;
    fields.pixelDepth = 16;
    fields.data = {0x81, 1, 2, 0x01, 3};
    EXPECT_TRUE(Refused(MakeTga(fields)));
}

TEST(TgaReader, UnsupportedVariantsAndTruncationsAreRefused) {
    TgaFields type11 = TrueColor(24, 0);
    type11.imageType = 11;
    EXPECT_TRUE(Refused(MakeTga(type11)));
    EXPECT_TRUE(Refused(MakeTga(TrueColor(15, 0))));
    TgaFields mappedWithoutMap;
    mappedWithoutMap.imageType = 9;
    mappedWithoutMap.pixelDepth = 8;
    mappedWithoutMap.data = {0x80, 0};
    EXPECT_TRUE(Refused(MakeTga(mappedWithoutMap)));
    TgaFields zeroWidth = TrueColor(24, 0);
    zeroWidth.width = 0;
    EXPECT_TRUE(Refused(MakeTga(zeroWidth)));
    const Bytes file = MakeTga(TrueColor(24, 0));
    for (std::size_t size : {std::size_t{0}, std::size_t{17}, file.size() - 1}) {
        EXPECT_TRUE(Refused(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size))));
    }
}

TEST(TgaReader, ProgressCanCancel) {
    int calls = 0;
    auto cancel = [](float, void* user) {
        ++*static_cast<int*>(user);
        return false;
    };
    DibStream image;
    EXPECT_FALSE(DecodeTGA(MakeTga(TrueColor(24, 0)), image, cancel, &calls));
    EXPECT_EQ(calls, 1);
}

}  // namespace
