// ".mqoz" archives written with their textures, read back as the modeler opens them.
#include <zip.h>

#include <gtest/gtest.h>

#include <set>

#include "exchange/document_files.h"
#include "image/dib_stream.h"
#include "samples/sample_scene.h"
#include "scene/archive.h"
#include "scene/centigrade.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> EntryNames(const fs::path& archive) {
    std::set<std::string> names;
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    EXPECT_NE(zip, nullptr);
    for (zip_int64_t i = 0; zip && i < zip_get_num_entries(zip, 0); ++i) {
        names.insert(zip_get_name(zip, static_cast<zip_uint64_t>(i), 0));
    }
    zip_discard(zip);
    return names;
}

TEST(SaveMqoz, StoresTheTexturesItNamesAndReadsBack) {
    TempFolder documents;
    fs::create_directories(documents.Path() / "maps");
    documents.Write("maps/wood.bmp", SampleTextureBmp());
    TempFolder elsewhere;
    const fs::path outside = elsewhere.Write("far.bmp", SampleTextureBmp());

    CCentigrade scene = MakeSampleScene();
    scene.SetDocumentFolder(documents.Path() / "scene.qvl");
    scene.materials[0].texture = "maps\\wood.bmp";
    scene.materials[1].texture = outside.string();
    scene.materials[2].texture = "missing.bmp";

    TempFolder out;
    const fs::path archive = out.Path() / "scene.mqoz";
    SaveDocumentFile(archive, scene);
    EXPECT_EQ(EntryNames(archive),
              (std::set<std::string>{"scene.mqo", "maps/wood.bmp", "far.bmp"}));

    CCentigrade back;
    OpenDocumentFile(archive, back);
    ASSERT_EQ(back.materials.size(), scene.materials.size());
    EXPECT_EQ(back.materials[0].texture, "maps\\wood.bmp");
    EXPECT_EQ(back.materials[1].texture, "far.bmp");
    for (int i : {0, 1}) {
        ASSERT_TRUE(back.materials[i].image) << i;
        EXPECT_EQ(back.materials[i].image->Width(), 64) << i;
    }
    EXPECT_EQ(back.models.size(), scene.models.size());
    EXPECT_EQ(back.models[0].faces.size(), scene.models[0].faces.size());
}

// A folder in the way cannot be replaced: the save fails and leaves it and
// no temporary file behind.
TEST(SaveMqoz, FailureLeavesWhatWasThere) {
    TempFolder out;
    const fs::path target = out.Path() / "kept.mqoz";
    fs::create_directory(target);
    out.Write("kept.mqoz/inside.txt", "old");
    EXPECT_THROW(SaveDocumentFile(target, MakeSampleScene()), DocumentError);
    EXPECT_EQ(ReadFile(target / "inside.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.Path()), fs::directory_iterator()), 1);
}

}  // namespace
