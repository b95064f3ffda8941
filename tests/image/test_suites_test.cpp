// The public decoder test suites in ../shared/testdata/images (see its README
// for sources and licences): good files must decode to their reference
// pictures, damaged ones must be refused, and nothing may crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/texture_loader.h"
#include "image_builders.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Decodes as the texture loader does: reader by extension, then 24 bits
// unless the picture has alpha.
std::optional<Picture> LoadAsTexture(const fs::path& file) {
    CMaterial m;
    if (!LoadImageFile(m, file)) {
        return std::nullopt;
    }
    return ToPicture(*m.image);
}

std::optional<Picture> LoadPng(const fs::path& file) {
    DibStream image;
    if (!DecodeImageFile(file, image)) {
        return std::nullopt;
    }
    return ToPicture(image);
}

// Blue, green, red (and alpha, when both have it) within `tolerance`; a
// picture without alpha stands for an opaque one.
testing::AssertionResult SamePicture(const Picture& actual, const Picture& expected, int tolerance,
                                     bool compareAlpha = true) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return testing::AssertionFailure()
               << "size " << actual.width << "x" << actual.height << ", expected " << expected.width
               << "x" << expected.height;
    }
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const std::size_t a =
                (static_cast<std::size_t>(y) * actual.width + x) * actual.channels;
            const std::size_t e =
                (static_cast<std::size_t>(y) * expected.width + x) * expected.channels;
            // Where both are wholly transparent the colour is not seen.
            if (actual.channels == 4 && expected.channels == 4 && compareAlpha &&
                actual.pixels[a + 3] == 0 && expected.pixels[e + 3] == 0) {
                continue;
            }
            for (int c = 0; c < 4; ++c) {
                const int av = c < actual.channels ? actual.pixels[a + c] : 255;
                const int ev = c < expected.channels ? expected.pixels[e + c] : 255;
                if (c == 3 && (!compareAlpha || actual.channels == 3 || expected.channels == 3)) {
                    continue;
                }
                if (std::abs(av - ev) > tolerance) {
                    return testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") channel " << c << ": " << av
                           << ", expected " << ev;
                }
            }
        }
    }
    return testing::AssertionSuccess();
}

// Mean absolute difference over blue, green and red, for lossy formats whose
// decoders may round differently.
double MeanDifference(const Picture& actual, const Picture& expected) {
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t p = 0; p < static_cast<std::size_t>(actual.width) * actual.height; ++p) {
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(actual.pixels[p * actual.channels + c] -
                            expected.pixels[p * expected.channels + c]);
            ++count;
        }
    }
    return count ? sum / static_cast<double>(count) : 0;
}

class TestSuites : public testing::Test {
protected:
    void SetUp() override {
        root_ = ImageSuitesFolder();
        if (root_.empty()) {
            GTEST_SKIP() << "public image suites not found at " << TestDataFolder() / "images"
                         << "; configure with -DQUORVEL_TESTDATA_DIR=FOLDER (or set that "
                            "environment variable) to run them";
        }
    }
    fs::path root_;
};

// --- BMP Suite

std::uint32_t LittleEndianAt(const Bytes& bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | (offset + i < bytes.size() ? bytes[offset + i] : 0);
    }
    return value;
}

bool IsWindowsHeader(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// What this reader reads: the Windows headers, uncompressed, 8-bit run-length
// or with colour masks.
bool IsReadableVariant(const fs::path& file) {
    const Bytes bytes = ReadFileBytes(file);
    const std::uint32_t compression = LittleEndianAt(bytes, 30, 4);
    return IsWindowsHeader(LittleEndianAt(bytes, 14, 4)) && compression != 2 && compression <= 3;
}

// The longer headers and colour masks: what the questionable set tries.
bool IsModernVariant(const fs::path& file) {
    const Bytes bytes = ReadFileBytes(file);
    const std::uint32_t header = LittleEndianAt(bytes, 14, 4);
    const std::uint32_t compression = LittleEndianAt(bytes, 30, 4);
    return IsWindowsHeader(header) && (header > 40 || compression == 3) &&
           (compression == 0 || compression == 3);
}

// Of the pictures shown with a file, the one of its own size; a viewer may
// stretch non-square pixels, an editor keeps them.
std::optional<Picture> ReferenceOfSize(const fs::path& html, const std::vector<std::string>& shown,
                                       const Picture& picture) {
    for (const std::string& png : shown) {
        const auto reference = LoadPng(html / png);
        if (reference && reference->width == picture.width && reference->height == picture.height) {
            return reference;
        }
    }
    return std::nullopt;
}

// bmpsuite.html shows each file after its reference pictures.
std::map<std::string, std::vector<std::string>> BmpReferences(const fs::path& html) {
    std::ifstream in(html);
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    std::map<std::string, std::vector<std::string>> references;
    std::vector<std::string> pending;
    const std::regex image("<img[^>]*src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), image);
         it != std::sregex_iterator(); ++it) {
        const std::string src = (*it)[1];
        if (src.ends_with(".png")) {
            pending.push_back(src);
        } else {
            references[fs::path(src).filename().string()] = pending;
            pending.clear();
        }
    }
    return references;
}

TEST_F(TestSuites, BmpGoodFilesOfReadVariantsMatchTheirReferences) {
    const fs::path suite = root_ / "bmpsuite";
    const auto references = BmpReferences(suite / "html/bmpsuite.html");
    int matched = 0;
    for (const fs::path& file : FilesIn(suite / "g", ".bmp")) {
        SCOPED_TRACE(file.filename().string());
        const std::optional<Picture> picture = LoadAsTexture(file);
        if (!IsReadableVariant(file)) {
            EXPECT_FALSE(picture) << "other header versions and compressions are refused";
            continue;
        }
        ASSERT_TRUE(picture);
        const auto expected =
            ReferenceOfSize(suite / "html", references.at(file.filename().string()), *picture);
        ASSERT_TRUE(expected);
        // 5-bit channels widen by × 8 where the references scale to 255.
        const int tolerance = file.filename().string().starts_with("rgb16") ? 7 : 0;
        EXPECT_TRUE(SamePicture(*picture, *expected, tolerance));
        ++matched;
    }
    EXPECT_GE(matched, 25);
}

TEST_F(TestSuites, BmpBadFilesAreRefused) {
    // Damage only in fields this reader has no use for: reading them is as
    // good as refusing them.
    const std::set<std::string> harmless = {"baddens1.bmp", "baddens2.bmp", "badfilesize.bmp",
                                            "badbitssize.bmp", "pal8badindex.bmp"};
    for (const fs::path& file : FilesIn(root_ / "bmpsuite/b", ".bmp")) {
        SCOPED_TRACE(file.filename().string());
        const bool decoded = LoadAsTexture(file).has_value();
        if (!harmless.contains(file.filename().string())) {
            EXPECT_FALSE(decoded);
        }
    }
}

TEST_F(TestSuites, BmpQuestionableModernHeadersAndMasksMatchTheirReferences) {
    const fs::path suite = root_ / "bmpsuite";
    const auto references = BmpReferences(suite / "html/bmpsuite.html");
    int matched = 0;
    for (const fs::path& file : FilesIn(suite / "q", ".bmp")) {
        // Colour profiles are not applied: rgb24prof2 shows its profile's effect.
        if (!IsModernVariant(file) || file.filename() == "rgb24prof2.bmp") {
            continue;
        }
        SCOPED_TRACE(file.filename().string());
        const std::optional<Picture> picture = LoadAsTexture(file);
        if (!picture) {
            continue;
        }
        const auto expected =
            ReferenceOfSize(suite / "html", references.at(file.filename().string()), *picture);
        ASSERT_TRUE(expected);
        EXPECT_TRUE(SamePicture(*picture, *expected, 1));
        ++matched;
    }
    EXPECT_GE(matched, 15);
}

TEST_F(TestSuites, BmpQuestionableFilesDecodeOrAreRefused) {
    for (const char* set : {"q", "x"}) {
        for (const fs::path& file : FilesIn(root_ / "bmpsuite" / set, ".bmp")) {
            SCOPED_TRACE(file.filename().string());
            if (const auto picture = LoadAsTexture(file)) {
                EXPECT_GT(picture->width, 0);
            }
        }
    }
}

// --- PngSuite

std::vector<int> JsonNumbers(const fs::path& file) {
    std::ifstream in(file);
    std::vector<int> numbers;
    std::string token;
    char c = 0;
    while (in.get(c)) {
        if (c >= '0' && c <= '9') {
            token += c;
        } else if (!token.empty()) {
            numbers.push_back(std::stoi(token));
            token.clear();
        }
    }
    return numbers;
}

TEST_F(TestSuites, PngSuiteMatchesTheExpectedPixelsAndRefusesCorruptFiles) {
    const fs::path suite = root_ / "pngsuite";
    int matched = 0;
    for (const fs::path& file : FilesIn(suite / "png", ".png")) {
        const std::string name = file.stem().string();
        SCOPED_TRACE(name);
        const std::optional<Picture> picture = LoadAsTexture(file);
        if (name.starts_with('x')) {
            EXPECT_FALSE(picture);
            continue;
        }
        ASSERT_TRUE(picture);
        // The last two characters name the bit depth; 16-bit files have 8-bit
        // expectations in *_to8.json, or else 16-bit ones to scale here.
        const bool sixteen = name.ends_with("16");
        const bool scaled = fs::exists(suite / "json" / (name + "_to8.json"));
        std::vector<int> rgba =
            JsonNumbers(suite / "json" / (name + (scaled ? "_to8.json" : ".json")));
        if (sixteen && !scaled) {
            for (int& v : rgba) {
                v = (v * 255 + 32767) / 65535;
            }
        }
        Picture expected{picture->width, picture->height, 4, {}};
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(picture->width) * picture->height * 4);
        for (std::size_t i = 0; i < rgba.size(); i += 4) {
            expected.pixels.insert(
                expected.pixels.end(),
                {static_cast<std::uint8_t>(rgba[i + 2]), static_cast<std::uint8_t>(rgba[i + 1]),
                 static_cast<std::uint8_t>(rgba[i]), static_cast<std::uint8_t>(rgba[i + 3])});
        }
        if (picture->channels == 3) {
            // Without alpha the picture must be one the reference shows opaque.
            for (std::size_t i = 3; i < expected.pixels.size(); i += 4) {
                ASSERT_EQ(expected.pixels[i], 255);
            }
        }
        EXPECT_TRUE(SamePicture(*picture, expected, sixteen ? 1 : 0));
        ++matched;
    }
    EXPECT_GE(matched, 150);
}

// --- TGA

// Run-length grey (type 11), grey with alpha and colour maps of 15- or 16-bit
// entries are variants this reader does not read.
TEST_F(TestSuites, TgaTruevisionFilesMatchTheirReferences) {
    const fs::path suite = root_ / "tga/truevision-testsuite";
    const std::set<std::string> refused = {"b5-cmap.tga", "cbw8.tga", "ccm8.tga", "ucm8.tga"};
    for (const fs::path& file : FilesIn(suite, ".tga")) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const std::optional<Picture> picture = LoadAsTexture(file);
        if (refused.contains(name)) {
            EXPECT_FALSE(picture);
            continue;
        }
        ASSERT_TRUE(picture);
        const fs::path reference = suite / "reference-png" / (name + ".png");
        const int tolerance = name.starts_with("utc16") || name.starts_with("b5") ? 7 : 0;
        // utc32 stores alpha 0 everywhere: this reader takes such a picture as
        // opaque, where the reference keeps it invisible.
        const bool alpha = name != "utc32.tga";
        if (fs::exists(reference)) {
            EXPECT_TRUE(SamePicture(*picture, *LoadPng(reference), tolerance, alpha));
        }
    }
}

TEST_F(TestSuites, TgaPillowMatrixMatchesItsReferences) {
    const fs::path suite = root_ / "tga/pillow/common";
    int matched = 0;
    for (const fs::path& file : FilesIn(suite, ".tga")) {
        const std::string name = file.stem().string();
        SCOPED_TRACE(name);
        const std::optional<Picture> picture = LoadAsTexture(file);
        const std::string mode = name.substr(0, name.find('_', name.find('_') + 1));
        if (mode.ends_with("_la") || (mode.ends_with("_l") && name.ends_with("_rle"))) {
            EXPECT_FALSE(picture);
            continue;
        }
        ASSERT_TRUE(picture);
        EXPECT_TRUE(SamePicture(*picture, *LoadPng(suite / (mode + ".png")), 0));
        ++matched;
    }
    EXPECT_EQ(matched, 16);
}

TEST_F(TestSuites, TgaOtherFilesDecodeOrAreRefused) {
    for (const char* set : {"tga/pillow", "tga/serenity"}) {
        for (const fs::path& file : FilesIn(root_ / set, ".tga")) {
            SCOPED_TRACE(file.filename().string());
            LoadAsTexture(file);
        }
    }
    EXPECT_FALSE(LoadAsTexture(root_ / "tga/pillow/cross_scan_line_truncated.tga"));
    const auto topLeft = LoadAsTexture(root_ / "tga/serenity/buggie-top-left-uncompressed.tga");
    const auto bottomLeft = LoadAsTexture(root_ / "tga/serenity/buggie-bottom-left-compressed.tga");
    ASSERT_TRUE(topLeft && bottomLeft);
    EXPECT_TRUE(SamePicture(*topLeft, *bottomLeft, 0));
}

// --- ILBM

std::optional<Picture> LoadPnm(const fs::path& file) {
    DibStream image;
    if (!DecodeImageFile(file, image)) {
        return std::nullopt;
    }
    return ToPicture(image);
}

TEST_F(TestSuites, IlbmNetpbmFilesMatchTheExactReferences) {
    const fs::path suite = root_ / "ilbm/netpbm-generated";
    for (const std::string depth : {"1planes", "2planes", "3planes", "4planes", "5planes",
                                    "6planes", "7planes", "8planes", "24bit"}) {
        const std::optional<Picture> expected = LoadPnm(suite / ("ref_buggie_" + depth + ".ppm"));
        ASSERT_TRUE(expected);
        for (const std::string compression : {"raw", "rle"}) {
            SCOPED_TRACE(depth + " " + compression);
            const std::optional<Picture> picture =
                LoadAsTexture(suite / ("buggie_" + depth + "_" + compression + ".iff"));
            ASSERT_TRUE(picture);
            EXPECT_TRUE(SamePicture(*picture, *expected, 0));
        }
    }
}

TEST_F(TestSuites, IlbmDamagedFilesAreRefusedAndOthersDoNotCrash) {
    const fs::path suite = root_ / "ilbm/serenity";
    for (const char* name : {"incorrect-uncompressed-size.iff", "missing-body-chunk.iff",
                             "truncated-bmhd-chunk.iff"}) {
        EXPECT_FALSE(LoadAsTexture(suite / name)) << name;
    }
    for (const fs::path& file : FilesIn(suite, ".iff")) {
        SCOPED_TRACE(file.filename().string());
        LoadAsTexture(file);
    }
    const auto small = LoadAsTexture(suite / "small-24bit.iff");
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width, 10);
}

// --- JPEG

TEST_F(TestSuites, JpegReftestsMatchTheirReferences) {
    const fs::path suite = root_ / "jpeg/jpeg-decoder-reftest";
    const std::set<std::string> disabled = {"ycck.jpg", "jpg-size-3x3.jpg", "jpg-size-4x4.jpg",
                                            "jpg-size-6x6.jpg"};
    int matched = 0;
    for (const fs::path& folder : {suite, suite / "mozilla"}) {
        for (const fs::path& file : FilesIn(folder, ".jpg")) {
            const std::string name = file.filename().string();
            SCOPED_TRACE(name);
            const std::optional<Picture> picture = LoadAsTexture(file);
            fs::path reference = file;
            reference.replace_extension(".png");
            if (disabled.contains(name) || !fs::exists(reference)) {
                continue;
            }
            ASSERT_TRUE(picture);
            const std::optional<Picture> expected = LoadPng(reference);
            ASSERT_TRUE(expected);
            ASSERT_EQ(picture->width, expected->width);
            ASSERT_EQ(picture->height, expected->height);
            EXPECT_LT(MeanDifference(*picture, *expected), 2.0);
            ++matched;
        }
    }
    EXPECT_GE(matched, 30);
}

TEST_F(TestSuites, JpegOtherFilesDecodeOrAreRefused) {
    for (const char* set : {"jpeg/serenity", "jpeg/pillow"}) {
        for (const auto& entry : fs::directory_iterator(root_ / set)) {
            SCOPED_TRACE(entry.path().filename().string());
            DibStream image;
            DecodeImageFile(entry.path(), image);
        }
    }
    DibStream image;
    EXPECT_FALSE(DecodeImageFile(root_ / "jpeg/serenity/12-bit.jpg", image));
    EXPECT_TRUE(DecodeImageFile(root_ / "jpeg/serenity/buggie-cmyk.jpg", image));
    EXPECT_TRUE(DecodeImageFile(root_ / "jpeg/serenity/ycck-2112.jpg", image));
}

// --- PNM

TEST_F(TestSuites, PnmSamplesReadTheFormsThisReaderKnows) {
    const fs::path pillow = root_ / "pnm/pillow";
    for (const char* name :
         {"hopper.ppm", "hopper_8bit.ppm", "hopper_8bit.pgm", "hopper_8bit_plain.pgm",
          "hopper_8bit_plain.ppm", "hopper_16bit.pgm", "hopper_16bit_plain.pgm"}) {
        DibStream image;
        EXPECT_TRUE(DecodeImageFile(pillow / name, image)) << name;
        EXPECT_EQ(image.Width(), 128) << name;
    }
    for (const char* name :
         {"negative_size.ppm", "hopper_1bit.pbm", "hopper_1bit_plain.pbm", "hopper.pnm"}) {
        DibStream image;
        DecodeImageFile(pillow / name, image);
    }
    DibStream binary;
    DibStream plain;
    ASSERT_TRUE(DecodeImageFile(pillow / "hopper_8bit.pgm", binary));
    ASSERT_TRUE(DecodeImageFile(pillow / "hopper_8bit_plain.pgm", plain));
    EXPECT_TRUE(SamePicture(ToPicture(binary), ToPicture(plain), 0));
    DibStream wide;
    DibStream widePlain;
    ASSERT_TRUE(DecodeImageFile(pillow / "hopper_16bit.pgm", wide));
    ASSERT_TRUE(DecodeImageFile(pillow / "hopper_16bit_plain.pgm", widePlain));
    EXPECT_TRUE(SamePicture(ToPicture(wide), ToPicture(widePlain), 0));
    DibStream negative;
    EXPECT_FALSE(DecodeImageFile(pillow / "negative_size.ppm", negative));
}

}  // namespace
