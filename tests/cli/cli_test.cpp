// quorvel-cli as a user runs it: exit status, messages and the JSON summary.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "scene/atomic_file.h"
#include "scene/cp932.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  (std::string("quorvel-cli-") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun Cli(const std::string& arguments) {
        const fs::path err = folder_ / "stderr.txt";
        const std::string command =
            std::string(QUORVEL_CLI) + " " + arguments + " 2>" + err.string();
        CliRun run;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            run.out.append(buffer, n);
        }
        run.status = WEXITSTATUS(pclose(pipe));
        ReadWholeFile(err, run.err);
        return run;
    }

    fs::path SaveCube() {
        CCentigrade scene = MakeSceneWith(MakeCube(2));
        scene.models[0].name = Utf8ToCp932("立方体");
        scene.materials[0].name = Utf8ToCp932("木目");
        // Stored face normals as an open computes them, so a converted copy is identical.
        scene.ComputeAllNormals();
        const fs::path path = folder_ / "cube.qvl";
        SaveNativeDocument(path, scene);
        return path;
    }

    fs::path folder_;
};

}  // namespace

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
