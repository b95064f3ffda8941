#include "samples/sample_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "exchange/document_files.h"
#include "exchange/mqo_writer.h"
#include "image/dib_stream.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(QUORVEL_SOURCE_DIR) / "samples";

TEST(SampleScene, CommittedFilesMatchTheGenerator) {
    EXPECT_EQ(ReadFile(kSamples / "sample.mqo"), FormatMQO(MakeSampleScene()))
        << "run scripts/make-samples after changing the sample scene";
    EXPECT_EQ(ReadFile(kSamples / kSampleTextureName), SampleTextureBmp());
}

TEST(SampleScene, HoldsWhatItShows) {
    const CCentigrade scene = MakeSampleScene();
    ASSERT_EQ(scene.models.size(), 4u);
    ASSERT_EQ(scene.materials.size(), 4u);
    EXPECT_EQ(scene.models[0].name, "\x8F\xB0");  // 床
    EXPECT_TRUE(std::any_of(scene.materials.begin(), scene.materials.end(),
                            [](const CMaterial& m) { return m.alpha < 1.0f; }));
    int triangles = 0;
    int quads = 0;
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            (f.indices.size() == 3 ? triangles : quads) += 1;
            for (int i : f.indices) {
                ASSERT_LT(static_cast<std::size_t>(i), m.vertices.size());
            }
        }
    }
    EXPECT_GT(triangles, 0);
    EXPECT_GT(quads, 0);
}

TEST(SampleScene, BothDocumentsOpenWithTheirTexture) {
    for (const char* name : {"sample.mqo", "sample.qvl"}) {
        SCOPED_TRACE(name);
        CCentigrade scene;
        const DocumentLoadResult result = OpenDocumentFile(kSamples / name, scene);
        EXPECT_EQ(result.importResult, 0);
        EXPECT_EQ(result.repairs, 0);
        ASSERT_EQ(scene.models.size(), 4u);
        ASSERT_EQ(scene.materials.size(), 4u);
        EXPECT_EQ(scene.materials[0].texture, kSampleTextureName);
        ASSERT_TRUE(scene.materials[0].image);
        EXPECT_EQ(scene.materials[0].image->Width(), 64);
        EXPECT_FLOAT_EQ(scene.materials[2].alpha, 0.4f);
        EXPECT_EQ(scene.models[1].vertexInfo.size(), scene.models[1].vertices.size());
    }
}

}  // namespace
