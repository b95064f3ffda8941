// Real documents written by other programs (shared test data; each folder's
// README names its source and licence).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "exchange/document_files.h"
#include "image/dib_stream.h"
#include "scene/centigrade.h"
#include "scene/message_sink.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kMqoData = TestDataFolder() / "mqo";

#define REQUIRE_TESTDATA()                                                \
    if (!fs::is_directory(kMqoData)) {                                    \
        GTEST_SKIP() << "no test data at " << kMqoData                    \
                     << "; configure with -DQUORVEL_TESTDATA_DIR=FOLDER"; \
    }

struct StatedObject {
    int vertices = 0;
    int faces = 0;
};

// The counts a document states on its chunk lines, object by object: a
// reading of the file independent of the reader under test.
std::vector<StatedObject> StatedCounts(const fs::path& path) {
    static const std::regex object(R"(^Object\s)");
    static const std::regex chunk(R"(^\s*(vertex|BVertex|face)\s+(\d+)\s*\{)");
    std::ifstream in(path, std::ios::binary);
    std::vector<StatedObject> objects;
    std::string line;
    while (std::getline(in, line)) {
        std::smatch match;
        if (std::regex_search(line, object)) {
            objects.emplace_back();
        } else if (!objects.empty() && std::regex_search(line, match, chunk)) {
            (match[1] == "face" ? objects.back().faces : objects.back().vertices) +=
                std::stoi(match[2]);
        }
    }
    return objects;
}

std::vector<fs::path> Documents() {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::recursive_directory_iterator(kMqoData)) {
        const auto ext = entry.path().extension();
        if (ext == ".mqo" || ext == ".mqoz") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The unpacked copy of an archive lies in "<name>.mqoz.d/<name>.mqo".
fs::path TextOf(const fs::path& document) {
    if (document.extension() != ".mqoz") {
        return document;
    }
    return document.parent_path() / (document.filename().string() + ".d") /
           document.stem().replace_extension(".mqo");
}

class Testdata : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessageSink([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override { SetMessageSink(previous); }

    CCentigrade Open(const fs::path& relative) {
        CCentigrade scene;
        const DocumentLoadResult result = OpenDocumentFile(kMqoData / relative, scene);
        EXPECT_EQ(result.importResult, 0) << relative;
        EXPECT_EQ(result.repairs, 0) << relative;
        return scene;
    }

    std::vector<std::string> messages;
    MessageSink previous;
};

TEST_F(Testdata, EveryDocumentImportsWithTheCountsItStates) {
    REQUIRE_TESTDATA();
    const auto documents = Documents();
    EXPECT_GE(documents.size(), 25u);
    for (const fs::path& path : documents) {
        SCOPED_TRACE(path.string());
        messages.clear();
        CCentigrade scene;
        const DocumentLoadResult result = OpenDocumentFile(path, scene);
        // The unpacked copies of archives lack the textures that lie beside the archive.
        if (path.parent_path().extension() != ".d") {
            EXPECT_TRUE(messages.empty()) << messages.front();
        }
        EXPECT_EQ(result.importResult, 0);
        EXPECT_EQ(result.repairs, 0);
        const auto stated = StatedCounts(TextOf(path));
        ASSERT_EQ(scene.models.size(), stated.size());
        for (std::size_t i = 0; i < stated.size(); ++i) {
            const CModel& m = scene.models[i];
            EXPECT_EQ(m.id, static_cast<int>(i) + 1);
            EXPECT_EQ(m.vertices.size(), static_cast<std::size_t>(stated[i].vertices)) << m.name;
            EXPECT_EQ(m.faces.size(), static_cast<std::size_t>(stated[i].faces)) << m.name;
            EXPECT_EQ(m.vertexInfo.size(), m.vertices.size()) << "normals are computed";
        }
        EXPECT_FALSE(scene.materials.empty());
    }
}

TEST_F(Testdata, ShiftJisNamesWithBraceTrailBytes) {
    REQUIRE_TESTDATA();
    // "マテリアル" starts with 0x83 0x7D, whose trail byte is "}".
    const std::string material = "\x83\x7D\x83\x65\x83\x8A\x83\x41\x83\x8B";
    const std::string triangle = "\x8E\x4F\x8A\x70\x8C\x60";  // 三角形
    for (const char* file : {"Kotatsu-RTM_mqoIO/case7.mqo", "Kotatsu-RTM_mqoIO/case6.mqoz",
                             "Kotatsu-RTM_mqoIO/case5.mqoz"}) {
        SCOPED_TRACE(file);
        CCentigrade scene = Open(file);
        ASSERT_EQ(scene.materials.size(), 1u);
        EXPECT_EQ(scene.materials[0].name, material);
        EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 0.8f);
        EXPECT_FLOAT_EQ(scene.materials[0].ambient, 0.6f);
        ASSERT_EQ(scene.models.size(), 1u);
        EXPECT_EQ(scene.models[0].name, triangle);
        ASSERT_EQ(scene.models[0].faces.size(), 1u);
        const CFace& f = scene.models[0].faces[0];
        EXPECT_EQ(f.indices, (SmallArray<int, 4>{2, 1, 0}));
        ASSERT_EQ(f.uvs.size(), 3u);
        EXPECT_FLOAT_EQ(f.uvs[0].u, 1.0f);
        EXPECT_FLOAT_EQ(f.uvs[2].v, 0.0f);
    }
}

TEST_F(Testdata, Cp932ObjectNamesAndManyMaterials) {
    REQUIRE_TESTDATA();
    CCentigrade ninja = Open("nnn112358_GLUTMetaseq_forLinux/ninja.mqo");
    ASSERT_EQ(ninja.models.size(), 17u);
    EXPECT_EQ(ninja.models[0].name, "face-\x93\xAA");            // 頭
    EXPECT_EQ(ninja.models[9].name, "katana-\x92\x70\x8D\x9C");  // 恥骨
    EXPECT_FLOAT_EQ(ninja.models[0].facet, 180.0f);
    ASSERT_EQ(ninja.materials.size(), 8u);
    EXPECT_EQ(ninja.materials[4].name, "mat7");
    EXPECT_EQ(ninja.materials[4].id, 4);

    CCentigrade shrink = Open("devil-tamachan_MQShrinkWrap/test.mqo");
    ASSERT_EQ(shrink.models.size(), 4u);
    EXPECT_EQ(shrink.models[0].name, "\x82\xC5\x82\xA9\x82\xA2\x82\xD9\x82\xA4");  // でかいほう
    EXPECT_EQ(shrink.materials.size(), 4u);
}

TEST_F(Testdata, MirrorsEdgesAndEmptyObjects) {
    REQUIRE_TESTDATA();
    CCentigrade mirrors = Open("Kotatsu-RTM_mqoIO/case4.mqoz");
    ASSERT_EQ(mirrors.models.size(), 3u);
    EXPECT_EQ(mirrors.models[0].name, "xAxisMirrored");
    EXPECT_EQ(mirrors.models[1].mirrorAxis, 2);
    EXPECT_EQ(mirrors.models[2].mirrorAxis, 4);

    CCentigrade edges = Open("nutti_blender-mqo/single_object_with_edge.mqo");
    const auto& faces = edges.models[0].faces;
    EXPECT_EQ(std::count_if(faces.begin(), faces.end(),
                            [](const CFace& f) { return f.indices.size() == 2; }),
              2);

    CCentigrade empty = Open("Kotatsu-RTM_mqoIO/case2.mqoz");
    ASSERT_EQ(empty.models.size(), 2u);
    EXPECT_EQ(empty.models[0].name, "empty");
    EXPECT_TRUE(empty.models[0].vertices.empty());
}

TEST_F(Testdata, BinaryVertexBlocks) {
    REQUIRE_TESTDATA();
    CCentigrade cube = Open("nutti_blender-mqo/single_object_with_bvertex.mqo");
    ASSERT_EQ(cube.models[0].vertices.size(), 8u);
    for (const CVector& v : cube.models[0].vertices) {
        EXPECT_EQ(std::abs(v.x), 100.0f);
        EXPECT_EQ(std::abs(v.z), 100.0f);
    }
    CCentigrade bone = Open("anatawa12_simple-bone/test.mqo");
    EXPECT_EQ(bone.models[0].vertices.size(), 22u);
    EXPECT_EQ(bone.models[0].faces.size(), 15u);
}

TEST_F(Testdata, LargeDocumentsWithExponents) {
    REQUIRE_TESTDATA();
    CCentigrade train = Open("kanmimimu_RealTrainModUnofficial/223.mqoz");
    EXPECT_EQ(train.models.size(), 83u);
    EXPECT_EQ(train.models[0].name, "roof");
    EXPECT_FLOAT_EQ(train.models[0].facet, 60.0f);
    EXPECT_EQ(train.materials[0].name, "mat1");
    EXPECT_EQ(train.materials[0].texture, "223.png") << "found beside the archive";
    EXPECT_TRUE(train.materials[0].image && !train.materials[0].image->Empty());
    bool found = false;
    for (const CModel& m : train.models) {
        for (const CVector& v : m.vertices) {
            found = found || (v.x == -6.99382213e-07f && v.y == -13.0f && v.z == 1017.0f);
        }
    }
    EXPECT_TRUE(found) << "the vertex -6.99382213e-07 -13 1017";
}

TEST_F(Testdata, TexturedMaterial) {
    REQUIRE_TESTDATA();
    CCentigrade scene = Open("nutti_blender-mqo/texture.mqo");
    ASSERT_EQ(scene.materials.size(), 1u);
    const CMaterial& m = scene.materials[0];
    EXPECT_EQ(m.texture, "texture.png");
    ASSERT_TRUE(m.image);
    EXPECT_FALSE(m.image->Empty());
    EXPECT_FLOAT_EQ(m.alpha, 0.762f);
    EXPECT_FLOAT_EQ(m.power, 3.75f);
    EXPECT_TRUE(messages.empty());
}

}  // namespace
