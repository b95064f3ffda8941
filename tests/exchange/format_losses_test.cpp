// The one-line notice of what a format leaves out, for the scene at hand.
#include <gtest/gtest.h>

#include "exchange/format_losses.h"
#include "support/mesh_generators.h"

namespace {

TEST(FormatLossNotice, NamesOnlyWhatThisSceneLoses) {
    CCentigrade plain = MakeSceneWith(MakeCube(2.0f));
    CCentigrade rich = plain;
    rich.models[0].facet = 30.0f;
    rich.models[0].state = 2;
    rich.models[0].faces[0].uvs.resize(4);
    struct Case {
        const char* file;
        const CCentigrade* scene;
        const char* notice;
    };
    const Case cases[] = {
        {"a.obj", &plain, ""},
        {"a.OBJ", &rich,
         "not kept by the .obj format: smoothing angles, object visibility and lock states"},
        {"a.stl", &plain, "not kept by the .stl format: materials"},
        {"a.stl", &rich, "not kept by the .stl format: materials, texture coordinates"},
        {"a.glb", &plain, ""},
        {"a.qvl", &rich, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLossNotice(c.file, *c.scene, NoticeLanguage::English), c.notice) << c.file;
    }
    EXPECT_EQ(FormatLossNotice("a.stl", plain, NoticeLanguage::Japanese),
              ".stl 形式に保存されないもの: 材質");
}

}  // namespace
