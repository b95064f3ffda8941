// quorvel-cli as a user runs it: exit status, messages and the JSON summary.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_fixture.h"
#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/image_readers.h"
#include "scene/atomic_file.h"
#include "scene/cp932.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(Cli("").status, 2);
    EXPECT_EQ(Cli("frobnicate").status, 2);
    EXPECT_EQ(Cli("info").status, 2);
    EXPECT_EQ(Cli("info a.qvl --bogus").status, 2);
    EXPECT_EQ(Cli("convert only-one.qvl").status, 2);
}

TEST_F(CliTest, UnreadableFileExitsWithOneAndNamesIt) {
    CliRun run = Cli("info " + (folder_ / "missing.qvl").string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.qvl"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    WriteFileAtomically(folder_ / "short.qvl", std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(Cli("info " + (folder_ / "short.qvl").string()).status, 1);
}

TEST_F(CliTest, JsonSummaryHasTheDocumentedShape) {
    CliRun run = Cli("info --json " + SaveCube().string());
    ASSERT_EQ(run.status, 0) << run.err;
    auto json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (auto& [key, value] : json.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"modelSerial", "materialSerial", "smooth", "zoom",
                                              "camera", "repairs", "objects", "materials"}));
    EXPECT_EQ(json["camera"]["position"], nlohmann::json::parse("[0,0,-2000]"));
    EXPECT_EQ(json["camera"]["rotation"], nlohmann::json::parse("[20,-50,0]"));
    const auto& object = json["objects"][0];
    EXPECT_EQ(object["name"], "立方体");
    EXPECT_EQ(object["facet"], 59.5);
    EXPECT_EQ(object["vertexCount"], 8);
    EXPECT_EQ(object["faceCount"], 6);
    EXPECT_FALSE(object.contains("vertices"));
    const auto& material = json["materials"][0];
    EXPECT_EQ(material["name"], "木目");
    // Floats print in their shortest form, which reads back as the same float.
    EXPECT_NE(run.out.find("\"color\":[0.8,0.8,0.8,1.0]"), std::string::npos) << run.out;
    EXPECT_EQ(material["ambient"], 0.25);
}

TEST_F(CliTest, GeometryAddsVerticesFacesAndNormals) {
    CliRun run = Cli("info --geometry " + SaveCube().string());
    ASSERT_EQ(run.status, 0) << run.err;
    auto json = nlohmann::json::parse(run.out);
    const auto& object = json["objects"][0];
    EXPECT_EQ(object["vertices"].size(), 8u);
    ASSERT_EQ(object["faces"].size(), 6u);
    EXPECT_EQ(object["faces"][0]["indices"].size(), 4u);
    EXPECT_EQ(object["faces"][0]["normal"], nlohmann::json::parse("[0,0,-1]"));
    EXPECT_TRUE(object["faces"][0]["uvs"].empty());
}

TEST_F(CliTest, ConvertWritesTheSameDocument) {
    const fs::path in = SaveCube();
    const fs::path out = folder_ / "copy.QVL";
    CliRun run = Cli("convert " + in.string() + " " + out.string());
    ASSERT_EQ(run.status, 0) << run.err;
    std::string a, b;
    ReadWholeFile(in, a);
    ReadWholeFile(out, b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(Cli("convert " + in.string() + " " + (folder_ / "x.unknown").string()).status, 1);
}

TEST_F(CliTest, ObjImportCountsConversionsAndExportsSayWhatTheyDrop) {
    const fs::path obj = folder_ / "pentagon.obj";
    WriteFileAtomically(obj, std::string("v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 2 0\n"
                                         "f 1 2 3 4 5\nf 1 2\nf 1\n"));
    CliRun info = Cli("info --json " + obj.string());
    ASSERT_EQ(info.status, 0) << info.err;
    auto json = nlohmann::json::parse(info.out);
    EXPECT_EQ(json["conversions"], 1);
    EXPECT_EQ(json["repairs"], 1);
    EXPECT_EQ(json["importResult"], 0);
    EXPECT_EQ(json["objects"][0]["faceCount"], 3);

    const std::string cube = SaveCube().string();
    CliRun stl = Cli("convert " + cube + " " + (folder_ / "cube.stl").string());
    ASSERT_EQ(stl.status, 0) << stl.err;
    EXPECT_NE(stl.err.find("materials"), std::string::npos) << stl.err;
    EXPECT_EQ(std::count(stl.err.begin(), stl.err.end(), '\n'), 1) << stl.err;
    CliRun glb = Cli("convert " + cube + " " + (folder_ / "cube.glb").string());
    ASSERT_EQ(glb.status, 0) << glb.err;
    EXPECT_TRUE(glb.err.empty()) << glb.err;
    EXPECT_TRUE(fs::exists(folder_ / "cube.glb"));
}

// Drawn offscreen by the view's renderer: the picture has the asked size, the
// view's background in the corners and the scene in the middle.
TEST_F(CliTest, RenderDrawsTheDocumentOffscreen) {
    const fs::path png = folder_ / "cube.png";
    CliRun run = Cli("render " + SaveCube().string() + " " + png.string() +
                     " --size 96x64 --view front --show faces");
    ASSERT_EQ(run.status, 0) << run.err;
    DibStream picture;
    ASSERT_TRUE(DecodeImageFile(png, picture));
    ASSERT_EQ(picture.Width(), 96);
    ASSERT_EQ(picture.AbsHeight(), 64);
    const std::uint8_t* corner = picture.Row(0);
    EXPECT_EQ((std::array<int, 3>{corner[2], corner[1], corner[0]}),
              (std::array<int, 3>{30, 65, 90}));
    const std::uint8_t* middle = picture.Row(32) + 48 * picture.BitCount() / 8;
    EXPECT_NE((std::array<int, 3>{middle[2], middle[1], middle[0]}),
              (std::array<int, 3>{30, 65, 90}));

    EXPECT_EQ(Cli("render " + SaveCube().string() + " x.png --view sideways").status, 2);
    EXPECT_EQ(Cli("render " + SaveCube().string() + " x.png --size 0x10").status, 2);
    EXPECT_EQ(Cli("render " + SaveCube().string() + " x.png --show colours").status, 2);
}

TEST_F(CliTest, RefusedTexturesSayWhy) {
    WriteFileAtomically(folder_ / "short.bmp", std::string("BM\x10\x00", 4));
    CliRun decode =
        Cli("decode " + (folder_ / "short.bmp").string() + " " + (folder_ / "out.ppm").string());
    EXPECT_EQ(decode.status, 1);
    EXPECT_NE(decode.err.find("short.bmp: truncated data"), std::string::npos) << decode.err;

    CCentigrade scene;
    scene.materials.emplace_back(0).texture = "short.bmp";
    scene.materials.emplace_back(1).texture = "gone.bmp";
    SaveNativeDocument(folder_ / "textured.qvl", scene);
    CliRun textures = Cli("textures " + (folder_ / "textured.qvl").string());
    EXPECT_EQ(textures.status, 1);
    EXPECT_NE(textures.out.find("short.bmp: truncated data"), std::string::npos) << textures.out;
    EXPECT_NE(textures.out.find("\"gone.bmp\" missing: not found"), std::string::npos)
        << textures.out;
}
