#include <gtest/gtest.h>

#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image_builders.h"

namespace {

// One row of pixel values as `planes` plane rows, padded to 16 bits.
Bytes PlaneRows(const std::vector<std::uint32_t>& values, int planes) {
    const std::size_t rowBytes = (values.size() + 15) / 16 * 2;
    Bytes out(rowBytes * static_cast<std::size_t>(planes), 0);
    for (int p = 0; p < planes; ++p) {
        for (std::size_t x = 0; x < values.size(); ++x) {
            if (values[x] >> p & 1) {
                out[static_cast<std::size_t>(p) * rowBytes + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return out;
}

// Literal ByteRun1 packets for `data` (at most 128 bytes each).
Bytes Literal(const Bytes& data) {
    Bytes out;
    for (std::size_t i = 0; i < data.size(); i += 128) {
        const std::size_t n = std::min<std::size_t>(128, data.size() - i);
        out.push_back(static_cast<std::uint8_t>(n - 1));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                   data.begin() + static_cast<std::ptrdiff_t>(i + n));
    }
    return out;
}

Bytes Form(const std::vector<Bytes>& chunks, const std::string& type = "ILBM") {
    Bytes payload;
    PutText(payload, type);
    for (const Bytes& c : chunks) {
        payload.insert(payload.end(), c.begin(), c.end());
    }
    return IffChunk("FORM", payload);
}

Bytes Cmap(std::initializer_list<std::uint8_t> rgb) {
    return IffChunk("CMAP", Bytes(rgb));
}

TEST(IlbmReader, OnePlaneGivesOneBitWithPixelZeroInTheTopBit) {
    const Bytes body = PlaneRows({1, 0, 0, 0, 0, 0, 0, 0, 1}, 1);
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(9, 1, 1, 0)), IffChunk("BODY", body)}), image));
    EXPECT_EQ(image.BitCount(), 1);
    EXPECT_EQ(image.Height(), 1);
    EXPECT_EQ(image.Row(0)[0], 0x80);
    EXPECT_EQ(image.Row(0)[1], 0x80);
}

TEST(IlbmReader, ThreePlanesGiveFourBitsWithTheirColors) {
    Bytes body = PlaneRows({7, 2, 5}, 3);
    const Bytes second = PlaneRows({0, 1, 6}, 3);
    body.insert(body.end(), second.begin(), second.end());
    DibStream image;
    ASSERT_TRUE(
        DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(3, 2, 3, 0)),
                         Cmap({10, 20, 30, 40, 50, 60, 70, 80, 90}), IffChunk("BODY", body)}),
                   image));
    EXPECT_EQ(image.BitCount(), 4);
    EXPECT_EQ(image.Row(0)[0], 0x72);
    EXPECT_EQ(image.Row(0)[1], 0x50);
    EXPECT_EQ(image.Row(1)[0], 0x01);
    EXPECT_EQ(image.Row(1)[1], 0x60);
    EXPECT_EQ(image.Palette()[1].red, 40);
    EXPECT_EQ(image.Palette()[1].blue, 60);
    EXPECT_EQ(image.Palette()[2].blue, 90);
}

TEST(IlbmReader, EightPlanesWithoutCmapKeepTheGreyRamp) {
    DibStream image;
    ASSERT_TRUE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(2, 1, 8, 0)),
                                 IffChunk("BODY", PlaneRows({200, 3}, 8))}),
                           image));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Row(0)[0], 200);
    EXPECT_EQ(image.Palette()[200].green, 200);
}

TEST(IlbmReader, TwentyFourPlanesTakeRedFromTheFirstEight) {
    DibStream image;
    ASSERT_TRUE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(1, 1, 24, 0)),
                                 IffChunk("BODY", PlaneRows({0x123456}, 24))}),
                           image));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.Row(0)[0], 0x12);  // blue: planes 16–23
    EXPECT_EQ(image.Row(0)[2], 0x56);  // red: planes 0–7
}

TEST(IlbmReader, OddLengthChunkBeforeBodyIsPadded) {
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(2, 1, 2, 0)), Cmap({1, 2, 3, 4, 5, 6, 7, 8, 9}),
              IffChunk("ANNO", {'o', 'd', 'd'}), IffChunk("BODY", PlaneRows({3, 1}, 2))}),
        image));
    EXPECT_EQ(image.Row(0)[0], 0x31);
}

TEST(IlbmReader, CmapLongerThanTheTableIsCut) {
    Bytes cmap(3 * 300, 0x44);
    DibStream image;
    ASSERT_TRUE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(2, 1, 1, 0)),
                                 IffChunk("CMAP", cmap), IffChunk("BODY", PlaneRows({1, 0}, 1))}),
                           image));
    EXPECT_EQ(image.PaletteSize(), 2);
    EXPECT_EQ(image.Palette()[1].red, 0x44);
}

TEST(IlbmByteRun1, RunCrossingAPlaneRowContinuesInTheNext) {
    // 16 pixels: each plane row is 2 bytes; one run of 3 bytes 0xFF fills
    // plane 0 and the first byte of plane 1, then a literal finishes.
    const Bytes body = {static_cast<std::uint8_t>(257 - 3), 0xFF, 0x00, 0x0F};
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(16, 1, 2, 1)), IffChunk("BODY", body)}), image));
    const std::uint8_t* row = image.Row(0);
    EXPECT_EQ(std::vector<std::uint8_t>(row, row + 8),
              (std::vector<std::uint8_t>{0x33, 0x33, 0x33, 0x33, 0x11, 0x11, 0x33, 0x33}));
}

TEST(IlbmByteRun1, LongRunsNeverWritePastThePlaneRows) {
    // Runs of 128 bytes over 2-byte plane rows: carried over row after row.
    const Bytes body = {129, 0xAA, 129, 0xAA, 129, 0xAA, 129, 0xAA};
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(3, 5, 8, 1)), IffChunk("BODY", body)}), image));
    EXPECT_EQ(image.Row(4)[0], 0xFF);
    EXPECT_EQ(image.Row(4)[1], 0x00);
}

TEST(IlbmReader, DataEndingEarlyLeavesLaterRowsAtZero) {
    const Bytes rows = PlaneRows({1, 1}, 1);
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(2, 3, 1, 1)), IffChunk("BODY", Literal(rows))}),
        image));
    EXPECT_EQ(image.Row(0)[0], 0xC0);
    EXPECT_EQ(image.Row(2)[0], 0);
}

TEST(IlbmReader, MaskPlaneIsReadPast) {
    Bytes body = PlaneRows({1, 2}, 2);
    body.insert(body.end(), {0xFF, 0xFF});  // mask plane row
    const Bytes second = PlaneRows({3, 0}, 2);
    body.insert(body.end(), second.begin(), second.end());
    body.insert(body.end(), {0xFF, 0xFF});
    DibStream image;
    ASSERT_TRUE(DecodeILBM(
        Form({IffChunk("BMHD", IlbmBitmapHeader(2, 2, 2, 0, 1)), IffChunk("BODY", body)}), image));
    EXPECT_EQ(image.Row(0)[0], 0x12);
    EXPECT_EQ(image.Row(1)[0], 0x30);
}

TEST(IlbmReader, OtherFormTypesAndMissingPartsAreRefused) {
    DibStream image;
    const Bytes bmhd = IffChunk("BMHD", IlbmBitmapHeader(2, 1, 1, 0));
    const Bytes body = IffChunk("BODY", PlaneRows({1, 0}, 1));
    EXPECT_FALSE(DecodeILBM(Form({bmhd, body}, "PBM "), image));
    EXPECT_FALSE(DecodeILBM(Form({bmhd}), image));
    EXPECT_FALSE(DecodeILBM(Form({body}), image));
    EXPECT_FALSE(DecodeILBM(Form({IffChunk("BMHD", Bytes(10, 0)), body}), image));
    EXPECT_FALSE(DecodeILBM(Bytes{}, image));
}

TEST(IlbmReader, ImagesThatCannotBeMadeAreRefused) {
    DibStream image;
    const Bytes body = IffChunk("BODY", Bytes(64, 0));
    EXPECT_FALSE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(2, 1, 25, 0)), body}), image));
    EXPECT_FALSE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(0, 1, 8, 0)), body}), image));
    EXPECT_FALSE(
        DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(65535, 65535, 8, 0)), body}), image));
    EXPECT_FALSE(DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(2, 1, 0, 0)), body}), image));
}

TEST(IlbmReader, LeadingOtherChunksAreSkipped) {
    Bytes file = IffChunk("JUNK", {1, 2, 3});
    const Bytes form = Form(
        {IffChunk("BMHD", IlbmBitmapHeader(2, 1, 1, 0)), IffChunk("BODY", PlaneRows({0, 1}, 1))});
    file.insert(file.end(), form.begin(), form.end());
    DibStream image;
    ASSERT_TRUE(DecodeILBM(file, image));
    EXPECT_EQ(image.Row(0)[0], 0x40);
}

TEST(IlbmReader, ProgressStopKeepsTheRowsSoFar) {
    const Bytes rows = PlaneRows({1}, 1);
    Bytes body;
    for (int i = 0; i < 4; ++i) {
        body.insert(body.end(), rows.begin(), rows.end());
    }
    auto stop = [](float, void*) { return false; };
    DibStream image;
    ASSERT_TRUE(
        DecodeILBM(Form({IffChunk("BMHD", IlbmBitmapHeader(1, 4, 1, 0)), IffChunk("BODY", body)}),
                   image, stop, nullptr));
    EXPECT_EQ(image.Row(0)[0], 0x80);
    EXPECT_EQ(image.Row(1)[0], 0);
}

}  // namespace
