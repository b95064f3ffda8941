// JPEG and PNG files are made here with the same libraries the readers use, so
// every colour type, depth and interlacing can be checked without fixtures.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>

#include "image/dib_stream.h"
#include "image/image_readers.h"
#include "image_builders.h"

namespace {

struct PngFields {
    int width = 3;
    int height = 2;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    Bytes transparency;  // palette alpha, or empty
    png_color_16 transparentColor{};
    bool transparentColorSet = false;
    std::vector<Bytes> rows;  // as PNG stores them
};

Bytes MakePng(const PngFields& fields) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t size) {
            auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + size);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(fields.width),
                 static_cast<png_uint_32>(fields.height), fields.bitDepth, fields.colorType,
                 fields.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!fields.palette.empty()) {
        png_set_PLTE(png, info, fields.palette.data(), static_cast<int>(fields.palette.size()));
    }
    if (!fields.transparency.empty() || fields.transparentColorSet) {
        png_set_tRNS(png, info, fields.transparency.empty() ? nullptr : fields.transparency.data(),
                     static_cast<int>(fields.transparency.size()),
                     fields.transparentColorSet ? &fields.transparentColor : nullptr);
    }
    std::vector<png_bytep> rows;
    for (const Bytes& r : fields.rows) {
        rows.push_back(const_cast<png_bytep>(r.data()));
    }
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes MakeJpeg(int width, int height, bool grey, bool progressive) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    // Top half red, bottom half blue: easy to tell apart after lossy coding.
    Bytes row(static_cast<std::size_t>(width) * static_cast<std::size_t>(cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const bool top = cinfo.next_scanline < cinfo.image_height / 2;
        for (int x = 0; x < width; ++x) {
            if (grey) {
                row[static_cast<std::size_t>(x)] = top ? 200 : 40;
            } else {
                row[3 * static_cast<std::size_t>(x)] = top ? 255 : 0;
                row[3 * static_cast<std::size_t>(x) + 1] = 0;
                row[3 * static_cast<std::size_t>(x) + 2] = top ? 0 : 255;
            }
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

constexpr std::uint8_t kStartOfFrame[] = {0xFF, 0xC0};

void ExpectNear(int actual, int expected) {
    EXPECT_NEAR(actual, expected, 6);
}

TEST(JpegReader, ColourIsBlueGreenRedBottomUp) {
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive);
        DibStream image;
        ASSERT_TRUE(DecodeJPG(MakeJpeg(17, 16, false, progressive), image));
        EXPECT_EQ(image.BitCount(), 24);
        EXPECT_EQ(image.Height(), 16);
        ExpectNear(image.Row(0)[2], 255);  // red on top
        ExpectNear(image.Row(0)[0], 0);
        ExpectNear(image.Row(15)[0], 255);  // blue below
        ExpectNear(image.Row(15)[2], 0);
    }
}

TEST(JpegReader, GreyIsEightBitWithTheGreyRamp) {
    DibStream image;
    ASSERT_TRUE(DecodeJPG(MakeJpeg(8, 8, true, false), image));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Palette()[40].red, 40);
    ExpectNear(image.Row(0)[0], 200);
    ExpectNear(image.Row(7)[7], 40);
}

TEST(JpegReader, DamagedDataIsRefused) {
    const Bytes file = MakeJpeg(16, 16, false, false);
    DibStream image;
    EXPECT_FALSE(DecodeJPG(Bytes(file.begin(), file.begin() + 100), image));
    EXPECT_TRUE(image.Empty());
    EXPECT_FALSE(DecodeJPG(Bytes{0xFF, 0xD8, 0xFF}, image));
    EXPECT_FALSE(DecodeJPG(Bytes{}, image));
}

TEST(JpegReader, HugeSizeInATinyFileIsRefused) {
    Bytes file = MakeJpeg(16, 16, false, false);
    const auto frame =
        std::search(file.begin(), file.end(), std::begin(kStartOfFrame), std::end(kStartOfFrame));
    ASSERT_NE(frame, file.end());
    // Height and width follow the segment length and the sample precision.
    std::fill(frame + 5, frame + 9, 0x3F);
    DibStream image;
    EXPECT_FALSE(DecodeJPG(file, image));
}

TEST(JpegReader, ProgressCanCancel) {
    auto cancel = [](float, void*) { return false; };
    DibStream image;
    EXPECT_FALSE(DecodeJPG(MakeJpeg(8, 8, false, false), image, cancel, nullptr));
}

TEST(PngReader, PaletteStaysEightBitWithItsColours) {
    PngFields fields;
    fields.colorType = PNG_COLOR_TYPE_PALETTE;
    fields.bitDepth = 4;
    fields.palette = {{10, 20, 30}, {40, 50, 60}};
    fields.rows = {{0x01, 0x00}, {0x10, 0x00}};
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(fields), image));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.Palette()[1].blue, 60);
    EXPECT_EQ(image.Palette()[1].red, 40);
    EXPECT_EQ(image.Row(0)[1], 1);
    EXPECT_EQ(image.Row(1)[0], 1);
    EXPECT_EQ(image.Row(1)[1], 0);
}

TEST(PngReader, GreyOfAnyDepthIsEightBitGrey) {
    PngFields fields;
    fields.colorType = PNG_COLOR_TYPE_GRAY;
    fields.bitDepth = 1;
    fields.rows = {{0xA0}, {0x40}};
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(fields), image));
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.Row(0)[0], 255);
    EXPECT_EQ(image.Row(0)[1], 0);
    EXPECT_EQ(image.Palette()[255].green, 255);
}

TEST(PngReader, SixteenBitColourIsScaledToEightBitBlueGreenRed) {
    PngFields fields;
    fields.width = 1;
    fields.height = 1;
    fields.bitDepth = 16;
    fields.rows = {{0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00}};
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(fields), image));
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.Row(0)[0], 0);
    EXPECT_EQ(image.Row(0)[1], 128);
    EXPECT_EQ(image.Row(0)[2], 255);
}

TEST(PngReader, AlphaGivesThirtyTwoBitStraightAlpha) {
    PngFields rgba;
    rgba.width = 1;
    rgba.height = 1;
    rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {{1, 2, 3, 4}};
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(rgba), image));
    EXPECT_EQ(image.BitCount(), 32);
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 4),
              (std::vector<std::uint8_t>{3, 2, 1, 4}));

    PngFields greyAlpha = rgba;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {{9, 200}};
    ASSERT_TRUE(DecodePNG(MakePng(greyAlpha), image));
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 4),
              (std::vector<std::uint8_t>{9, 9, 9, 200}));
}

TEST(PngReader, TransparencyChunkGivesAlpha) {
    PngFields fields;
    fields.width = 2;
    fields.height = 1;
    fields.colorType = PNG_COLOR_TYPE_PALETTE;
    fields.palette = {{10, 20, 30}, {40, 50, 60}};
    fields.transparency = {0};
    fields.rows = {{0, 1}};
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(fields), image));
    EXPECT_EQ(image.BitCount(), 32);
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 8),
              (std::vector<std::uint8_t>{30, 20, 10, 0, 60, 50, 40, 255}));
}

TEST(PngReader, InterlacedMatchesProgressive) {
    PngFields fields;
    fields.width = 11;
    fields.height = 9;
    for (int y = 0; y < fields.height; ++y) {
        Bytes row;
        for (int x = 0; x < fields.width * 3; ++x) {
            row.push_back(static_cast<std::uint8_t>(x * 7 + y * 13));
        }
        fields.rows.push_back(row);
    }
    DibStream plain;
    ASSERT_TRUE(DecodePNG(MakePng(fields), plain));
    fields.interlaced = true;
    DibStream interlaced;
    ASSERT_TRUE(DecodePNG(MakePng(fields), interlaced));
    EXPECT_EQ(ToPicture(plain).pixels, ToPicture(interlaced).pixels);
    EXPECT_EQ(interlaced.Row(8)[0], static_cast<std::uint8_t>(2 * 7 + 8 * 13));
}

TEST(PngReader, DamagedDataIsRefused) {
    PngFields fields;
    fields.rows = {Bytes(9, 1), Bytes(9, 2)};
    Bytes file = MakePng(fields);
    DibStream image;
    EXPECT_FALSE(DecodePNG(Bytes(file.begin(), file.end() - 20), image));
    EXPECT_TRUE(image.Empty());
    file[40] ^= 0xFF;
    EXPECT_FALSE(DecodePNG(file, image));
    EXPECT_FALSE(DecodePNG(Bytes{0x89, 'P', 'N', 'G'}, image));
}

TEST(PngReader, HugeSizeInATinyFileIsRefused) {
    PngFields fields;
    fields.rows = {Bytes(9, 1), Bytes(9, 2)};
    Bytes file = MakePng(fields);
    // The header chunk's width and height, then its checksum made right again.
    const std::size_t header = 12;
    std::fill(file.begin() + header + 4, file.begin() + header + 12, 0x00);
    file[header + 6] = 0x40;
    file[header + 10] = 0x40;
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &file[header], 17));
    for (int i = 0; i < 4; ++i) {
        file[header + 17 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
    DibStream image;
    EXPECT_FALSE(DecodePNG(file, image));
}

TEST(PngReader, ProgressCoversEveryPassAndCanCancel) {
    PngFields fields;
    fields.interlaced = true;
    fields.rows = {Bytes(9, 1), Bytes(9, 2)};
    int calls = 0;
    auto count = [](float, void* user) {
        ++*static_cast<int*>(user);
        return true;
    };
    DibStream image;
    ASSERT_TRUE(DecodePNG(MakePng(fields), image, count, &calls));
    EXPECT_EQ(calls, 7 * 2);
    auto cancel = [](float, void*) { return false; };
    EXPECT_FALSE(DecodePNG(MakePng(fields), image, cancel, nullptr));
}

}  // namespace
