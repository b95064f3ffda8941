// Opening and saving Metasequoia documents the way the application does.
#include <zip.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "exchange/document_files.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "exchange/mqoz_folder.h"
#include "image/dib_stream.h"
#include "samples/sample_scene.h"
#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/message_sink.h"
#include "support/mesh_generators.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

using Entries = std::vector<std::pair<std::string, std::string>>;

fs::path MakeZip(const TempFolder& folder, const std::string& name, const Entries& entries) {
    const fs::path path = folder.Path() / name;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const auto& [entry, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        EXPECT_GE(zip_file_add(archive, entry.c_str(), source, ZIP_FL_ENC_RAW), 0) << entry;
    }
    EXPECT_EQ(zip_close(archive), 0);
    return path;
}

std::string CubeDocument() {
    return FormatMQO(MakeSceneWith(MakeCube(2.0f)));
}

TEST(MqoDocuments, OpeningAppendsAndComputesNormals) {
    TempFolder folder;
    const fs::path path = folder.Write("cube.MQO", CubeDocument());
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    ASSERT_EQ(scene.models.size(), 2u);
    EXPECT_EQ(scene.models[1].id, 2);
    EXPECT_EQ(scene.materials.size(), 2u);
    EXPECT_EQ(scene.models[1].faces[0].material, 1);
    EXPECT_EQ(scene.models[1].vertexInfo.size(), 8u);
    EXPECT_FLOAT_EQ(scene.models[1].faces[0].normal.Length(), 1.0f);
    EXPECT_EQ(scene.DocumentFolder(), fs::absolute(folder.Path()));
}

TEST(MqoDocuments, DamagedDocumentKeepsWhatWasRead) {
    TempFolder folder;
    std::string text = CubeDocument();
    text.resize(text.find("\t\t4 V(4"));
    CCentigrade scene;
    const DocumentLoadResult result = OpenDocumentFile(folder.Write("cut.mqo", text), scene);
    EXPECT_EQ(result.importResult, MQO_EOF);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].faces.size(), 1u);
    EXPECT_EQ(scene.models[0].vertexInfo.size(), 8u);
}

TEST(MqoDocuments, UnreadableFilesThrowAndChangeNothing) {
    TempFolder folder;
    CCentigrade scene;
    EXPECT_THROW(OpenDocumentFile(folder.Path() / "missing.mqo", scene), DocumentError);
    fs::create_directory(folder.Path() / "folder.mqo");
    EXPECT_THROW(OpenDocumentFile(folder.Path() / "folder.mqo", scene), DocumentError);
    EXPECT_THROW(OpenDocumentFile(folder.Write("junk.mqoz", "not a zip"), scene), DocumentError);
    EXPECT_TRUE(scene.materials.empty());
    EXPECT_TRUE(scene.models.empty());
}

TEST(MqoDocuments, SaveDocumentFileWritesMetasequoiaText) {
    TempFolder folder;
    const CCentigrade scene = MakeSceneWith(MakeQuadGrid(2));
    const fs::path path = folder.Path() / "grid.mqo";
    SaveDocumentFile(path, scene);
    EXPECT_EQ(ReadFile(path), FormatMQO(scene));
    EXPECT_THROW(SaveDocumentFile(folder.Path() / "no" / "grid.mqo", scene), DocumentError);
}

TEST(MqozDocuments, ArchiveIsReadLikeItsDocument) {
    TempFolder folder;
    const fs::path path =
        MakeZip(folder, "cube.mqoz", {{"thumbnail.jpg", ""}, {"sub/cube.mqo", CubeDocument()}});
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].faces.size(), 6u);
}

TEST(MqozDocuments, ArchiveWithoutDocumentIsRefused) {
    TempFolder folder;
    const fs::path path = MakeZip(folder, "empty.mqoz", {{"readme.txt", "hello"}});
    CCentigrade scene;
    try {
        LoadMQO(scene, path);
        ADD_FAILURE() << "an archive without a document was read";
    } catch (const DocumentError& e) {
        EXPECT_EQ(e.File(), path);
        EXPECT_NE(e.Reason().find("no Metasequoia document"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(scene.materials.empty());
}

TEST(MqozDocuments, EntriesOutsideTheArchiveFolderAreIgnored) {
    TempFolder folder;
    const fs::path inner = folder.Path() / "inner";
    fs::create_directory(inner);
    const fs::path path = MakeZip(folder, "inner/evil.mqoz",
                                  {{"../escaped.mqo", CubeDocument()},
                                   {"..\\escaped2.mqo", CubeDocument()},
                                   {"/tmp/absolute.mqo", CubeDocument()},
                                   {"good.mqo", std::string(kHeader)}});
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    EXPECT_TRUE(scene.models.empty()) << "only good.mqo is read";
    EXPECT_FALSE(fs::exists(folder.Path() / "escaped.mqo"));
    EXPECT_FALSE(fs::exists(folder.Path() / "escaped2.mqo"));
}

std::string TexturedDocument(const std::string& texture) {
    return std::string(kHeader) + "Material 2 {\r\n\t\"wood\" col(1 1 1 1) tex(\"" + texture +
           "\") dif(0.5)\r\n\t\"next\"\r\n}\r\nObject \"after\" {\r\n}\r\n";
}

class Textures : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessageSink([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override { SetMessageSink(previous); }

    std::vector<std::string> messages;
    MessageSink previous;
};

TEST_F(Textures, TextureIsLoadedAsTheMaterialIsRead) {
    TempFolder folder;
    folder.Write("Wood.BMP", SampleTextureBmp());
    CCentigrade scene;
    EXPECT_EQ(
        OpenDocumentFile(folder.Write("t.mqo", TexturedDocument("wood.bmp")), scene).importResult,
        0);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(scene.materials.size(), 2u);
    EXPECT_EQ(scene.materials[0].texture, "wood.bmp");
    ASSERT_TRUE(scene.materials[0].image);
    EXPECT_EQ(scene.materials[0].image->Width(), 64);
    EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 0.5f);
}

TEST_F(Textures, MissingTextureIsReportedAndKeepsItsName) {
    TempFolder folder;
    CCentigrade scene;
    const DocumentLoadResult loaded =
        OpenDocumentFile(folder.Write("t.mqo", TexturedDocument("gone.bmp")), scene);
    EXPECT_EQ(loaded.importResult, 0);
    ASSERT_EQ(loaded.textureFailures.size(), 1u);
    EXPECT_EQ(loaded.textureFailures[0].texture, "gone.bmp");
    EXPECT_EQ(loaded.textureFailures[0].status.failure, ImageFailure::NotFound);
    EXPECT_EQ(scene.materials[0].texture, "gone.bmp");
    EXPECT_TRUE(scene.materials[0].TextureMissing());
    EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 0.5f);
    EXPECT_EQ(scene.materials.size(), 2u);
    EXPECT_EQ(scene.models.size(), 1u);
}

TEST_F(Textures, ArchiveTexturesAreFoundInsideThenBeside) {
    TempFolder folder;
    folder.Write("beside.bmp", SampleTextureBmp());
    const std::string doc = std::string(kHeader) +
                            "Material 2 {\r\n\"in\" tex(\"maps\\inner.bmp\")\r\n"
                            "\"out\" tex(\"beside.bmp\")\r\n}\r\n";
    const fs::path path = MakeZip(folder, "textured.mqoz",
                                  {{"doc.mqo", doc}, {"maps/inner.bmp", SampleTextureBmp()}});
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(scene.materials.size(), 2u);
    EXPECT_TRUE(scene.materials[0].image && !scene.materials[0].image->Empty());
    EXPECT_TRUE(scene.materials[1].image && !scene.materials[1].image->Empty());
}

TEST(MqozFolder, ExtractsTheDocumentThenOnlyNamedEntriesWithinBounds) {
    TempFolder folder;
    const std::string zeros(std::size_t{8} << 20, '\0');
    const fs::path path = MakeZip(folder, "bounds.mqoz",
                                  {{"doc.mqo", std::string(kHeader)},
                                   {"Maps/Wood.bmp", SampleTextureBmp()},
                                   {"bomb.bmp", zeros},
                                   {"unused.bin", zeros}});
    MqozFolder archive(path);
    EXPECT_EQ(archive.Document(), archive.Folder() / "doc.mqo");
    std::vector<fs::path> unpacked;
    const auto listFolder = [&] {
        unpacked.clear();
        for (const auto& entry : fs::recursive_directory_iterator(archive.Folder())) {
            if (entry.is_regular_file()) {
                unpacked.push_back(fs::relative(entry.path(), archive.Folder()));
            }
        }
        std::sort(unpacked.begin(), unpacked.end());
    };
    listFolder();
    EXPECT_EQ(unpacked, std::vector<fs::path>{"doc.mqo"});

    const MqozFolder::Texture wood = archive.ExtractTexture("./maps/wood.BMP");
    EXPECT_EQ(wood.file, archive.Folder() / "Maps/Wood.bmp");
    const MqozFolder::Texture bomb = archive.ExtractTexture("bomb.bmp");
    EXPECT_TRUE(bomb.file.empty());
    EXPECT_NE(bomb.refusal.find("compressed beyond"), std::string::npos) << bomb.refusal;
    EXPECT_TRUE(archive.ExtractTexture("none.bmp").file.empty());
    listFolder();
    EXPECT_EQ(unpacked, (std::vector<fs::path>{"Maps/Wood.bmp", "doc.mqo"}));
}

TEST_F(Textures, ShiftJisEntryNamesOfArchivesAreFound) {
    TempFolder folder;
    const std::string wood = "\x96\xD8\x96\xDA.bmp";  // 木目.bmp
    const std::string doc =
        std::string(kHeader) + "Material 1 {\r\n\"m\" tex(\"" + wood + "\")\r\n}\r\n";
    const fs::path path =
        MakeZip(folder, "sjis.mqoz", {{"doc.mqo", doc}, {wood, SampleTextureBmp()}});
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(path, scene).importResult, 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(scene.materials[0].texture, wood);
    EXPECT_TRUE(scene.materials[0].image && !scene.materials[0].image->Empty());
}

TEST_F(Textures, Utf8FileNamesAreConvertedAndFound) {
    TempFolder folder;
    folder.Write("木目.bmp", SampleTextureBmp());
    const std::string doc =
        std::string(kHeader) + "CodePage utf8\r\nMaterial 1 {\r\n\"m\" tex(\"木目.bmp\")\r\n}\r\n";
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(folder.Write("u.mqo", doc), scene).importResult, 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(scene.materials[0].texture, "\x96\xD8\x96\xDA.bmp");
    EXPECT_TRUE(scene.materials[0].image && !scene.materials[0].image->Empty());
}

}  // namespace
