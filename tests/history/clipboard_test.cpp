#include <gtest/gtest.h>

#include "history/clipboard.h"
#include "history/edit_history.h"
#include "history/step_names.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

// A 2 × 2 grid whose faces 1 and 2 are selected, painted with the second of
// two materials (numbered out of list order) and the first.
CCentigrade TwoMaterialGrid() {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2, 1.5f));
    CMaterial& red = scene.materials.emplace_back(7);
    red.name = "red";
    red.red = 0.9f;
    red.UpdateColors();
    scene.materialSerial = 8;
    CModel& grid = scene.models[0];
    grid.faces[1].material = 7;
    grid.faces[1].selected = true;
    grid.faces[2].selected = true;
    grid.faces[2].uvs = {{0.25f, 0.5f}, {1, 0}, {0, 1}, {0.5f, 0.5f}};
    return scene;
}

TEST(Clipboard, CopyTakesTheSelectedFacesTheirVerticesAndMaterials) {
    const CCentigrade scene = TwoMaterialGrid();
    const std::string text = CopySelectedFaces(scene);
    ASSERT_TRUE(IsPasteableText(text));
    CCentigrade empty;
    EditHistory history;
    const PasteOutcome outcome = PasteFaces(history, empty, text);
    ASSERT_EQ(outcome.failure, "");
    ASSERT_EQ(empty.models.size(), 1u);
    const CModel& part = empty.models[0];
    // Faces 1 and 2 of the grid touch at one corner: 7 of its 9 vertices.
    EXPECT_EQ(part.vertices.size(), 7u);
    ASSERT_EQ(part.faces.size(), 2u);
    ASSERT_EQ(empty.materials.size(), 2u);
    EXPECT_EQ(empty.materials[0].name, "NoMaterial");
    EXPECT_EQ(empty.materials[1].name, "red");
    EXPECT_EQ(part.faces[0].material, empty.materials[1].id);
    EXPECT_EQ(part.faces[1].material, empty.materials[0].id);
    EXPECT_EQ(part.faces[1].uvs.size(), 4u);
    EXPECT_FLOAT_EQ(part.faces[1].uvs[0].u, 0.25f);
    for (std::size_t k = 0; k < 2; ++k) {
        const CFace& original = scene.models[0].faces[k + 1];
        for (std::size_t c = 0; c < 4; ++c) {
            const CVector& a =
                scene.models[0].vertices[static_cast<std::size_t>(original.indices[c])];
            const CVector& b = part.vertices[static_cast<std::size_t>(part.faces[k].indices[c])];
            EXPECT_EQ(a.x, b.x);
            EXPECT_EQ(a.z, b.z);
        }
    }
    // Copying the pasted copy again gives the same text.
    for (CFace& f : empty.models[0].faces) {
        f.selected = true;
    }
    EXPECT_EQ(CopySelectedFaces(empty), text);
}

TEST(Clipboard, PasteReusesMatchingMaterialsAndIsOneStep) {
    CCentigrade scene = TwoMaterialGrid();
    EditHistory history;
    const std::string text = CopySelectedFaces(scene);
    const CCentigrade before = scene;
    const PasteOutcome outcome = PasteFaces(history, scene, text);
    EXPECT_EQ(outcome.objects, 1u);
    EXPECT_EQ(scene.materials.size(), 2u);  // both matched
    EXPECT_EQ(outcome.firstNewMaterial, 2u);
    EXPECT_EQ(scene.models[1].id, 2);
    EXPECT_EQ(scene.models[1].faces[0].material, 7);
    EXPECT_EQ(history.UndoName(), "貼り付け");
    // A changed value makes a new material.
    scene.materials[1].power = 6;
    PasteFaces(history, scene, text);
    EXPECT_EQ(scene.materials.size(), 3u);
    EXPECT_EQ(scene.materials[2].id, 8);
    EXPECT_EQ(scene.models[2].faces[0].material, 8);
    history.Undo(scene);
    history.Undo(scene);
    scene.materials[1].power = 5;
    EXPECT_TRUE(SameScene(before, scene));
}

TEST(Clipboard, TextThatIsNotADocumentAddsNothing) {
    for (const char* text :
         {"", "hello", "Metasequoia Document\r\nFormat Text Ver 1.0\r\nObject \"a\" {\r\n",
          "Metasequoia Document\r\nFormat Text Ver 1.0\r\nEof\r\n"}) {
        CCentigrade scene = TwoMaterialGrid();
        const CCentigrade before = scene;
        EditHistory history;
        EXPECT_NE(PasteFaces(history, scene, text).failure, "") << text;
        EXPECT_EQ(history.Count(), 0u);
        EXPECT_TRUE(SameScene(before, scene));
    }
}

}  // namespace
