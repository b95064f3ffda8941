#include "scene/native_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scene/archive.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace fs = std::filesystem;

namespace {

class NativeDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("quorvel-doc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Contents(const fs::path& p) {
        std::string s;
        EXPECT_EQ(ReadWholeFile(p, s).Message(), "");
        return s;
    }

    fs::path folder_;
};

}  // namespace

TEST_F(NativeDocumentTest, DamagedFileLeavesTheSceneAsItWas) {
    CCentigrade original = MakeSceneWith(MakeCube(2));
    const fs::path path = folder_ / "cube.qvl";
    SaveNativeDocument(path, original);
    std::string bytes = Contents(path);
    bytes.resize(bytes.size() - 10);
    const fs::path damaged = folder_ / "damaged.qvl";
    WriteFileAtomically(damaged, bytes);

    CCentigrade scene = MakeSceneWith(MakeQuadGrid(3));
    try {
        LoadNativeDocument(damaged, scene);
        FAIL() << "a truncated document was accepted";
    } catch (const DocumentError& e) {
        EXPECT_NE(std::string(e.what()).find("damaged.qvl"), std::string::npos) << e.what();
    }
    EXPECT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].faces.size(), 9u);
}

TEST_F(NativeDocumentTest, LoadReplacesDocumentFieldsOnly) {
    CCentigrade stored = MakeSceneWith(MakeCube(2));
    stored.zoom = 250;
    const fs::path path = folder_ / "cube.qvl";
    SaveNativeDocument(path, stored);

    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2));
    scene.fov = 30;
    scene.toolMode = ToolMove;
    LoadNativeDocument(path, scene);
    EXPECT_EQ(scene.models.at(0).faces.size(), 6u);
    EXPECT_EQ(scene.zoom, 250.0f);
    EXPECT_EQ(scene.fov, 30.0f);
    EXPECT_EQ(scene.toolMode, ToolMove);
}

TEST_F(NativeDocumentTest, EmptyFileChangesNothing) {
    const fs::path path = folder_ / "empty.qvl";
    std::ofstream(path).close();
    CCentigrade scene = MakeSceneWith(MakeCube(1));
    EXPECT_EQ(LoadNativeDocument(path, scene), 0);
    EXPECT_EQ(scene.models.size(), 1u);
}

TEST_F(NativeDocumentTest, MissingFileIsReportedWithItsName) {
    CCentigrade scene;
    try {
        LoadNativeDocument(folder_ / "nothing.qvl", scene);
        FAIL();
    } catch (const DocumentError& e) {
        EXPECT_NE(std::string(e.what()).find("nothing.qvl"), std::string::npos);
    }
}

TEST_F(NativeDocumentTest, SaveReplacesTheFileWholeAndLeavesNoTemporary) {
    const fs::path path = folder_ / "doc.qvl";
    SaveNativeDocument(path, MakeSceneWith(MakeQuadGrid(4)));
    SaveNativeDocument(path, MakeSceneWith(MakeCube(1)));
    CCentigrade back;
    LoadNativeDocument(path, back);
    EXPECT_EQ(back.models.at(0).faces.size(), 6u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// Documents larger than the parts a save writes and an open reads at once.
TEST_F(NativeDocumentTest, LargeDocumentsSaveAndOpenInPartsAsInMemory) {
    const fs::path path = folder_ / "large.qvl";
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(300));
    scene.models[0].name = std::string(400000, 'n');
    ArchiveWriter inMemory;
    scene.Serialize(inMemory);
    SaveNativeDocument(path, scene);
    const std::string saved = Contents(path);
    EXPECT_TRUE(saved == std::string(inMemory.Bytes().begin(), inMemory.Bytes().end()));

    CCentigrade back;
    LoadNativeDocument(path, back);
    ArchiveWriter again;
    back.Serialize(again);
    EXPECT_TRUE(again.Bytes() == inMemory.Bytes());
}

TEST_F(NativeDocumentTest, FailedSaveKeepsWhatWasThere) {
    // A folder in the way of the rename: the save must fail and leave it intact.
    const fs::path blocked = folder_ / "blocked.qvl";
    fs::create_directories(blocked / "inside");
    EXPECT_THROW(SaveNativeDocument(blocked, MakeSceneWith(MakeCube(1))), DocumentError);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);

    EXPECT_THROW(SaveNativeDocument(folder_ / "no-such-folder" / "x.qvl", CCentigrade()),
                 DocumentError);
}
