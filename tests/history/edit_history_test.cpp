#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/pick.h"
#include "history/edit_history.h"
#include "history/face_steps.h"
#include "history/record_steps.h"
#include "history/step_names.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

CCentigrade SelectedGrid(int cells) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells));
    for (CVector& v : scene.models[0].vertices) {
        v.selected = true;
    }
    scene.UpdateGizmo();
    return scene;
}

void Move(EditHistory& history, CCentigrade& scene, float dx) {
    history.RecordTransform(scene, std::string(step_name::kMove),
                            [&] { scene.MoveSelection(dx, 0, 0); });
}

TEST(EditHistory, MemoryCapDropsTheOldestStepsAndHolds) {
    CCentigrade scene = SelectedGrid(200);  // 40,401 vertices
    EditHistory history;
    Move(history, scene, 1);
    const std::size_t stepBytes = history.Bytes();
    // Measured: at least the old positions, little more.
    EXPECT_GE(stepBytes, scene.models[0].vertices.size() * 12);
    EXPECT_LT(stepBytes, scene.models[0].vertices.size() * 12 + 4096);
    history.SetMemoryCap(stepBytes * 5 + stepBytes / 2);
    for (int k = 0; k < 1000; ++k) {
        Move(history, scene, 1);
        ASSERT_LE(history.Bytes(), history.MemoryCap());
    }
    EXPECT_EQ(history.Count(), 5u);
    // The kept steps are the newest: undoing them all leaves the last five moves undone.
    while (history.CanUndo()) {
        history.Undo(scene);
    }
    EXPECT_EQ(scene.models[0].vertices[0].x, -100.0f + 1001 - 5);
    // A cap below one step keeps none.
    history.SetMemoryCap(stepBytes / 2);
    EXPECT_EQ(history.Count(), 0u);
    EXPECT_EQ(history.Bytes(), 0u);
}

TEST(EditHistory, CleanIndexFollowsTheSavedState) {
    CCentigrade scene = SelectedGrid(2);
    EditHistory history;
    EXPECT_TRUE(history.IsClean());
    Move(history, scene, 1);
    Move(history, scene, 2);
    EXPECT_FALSE(history.IsClean());
    history.SetClean();  // saved after two moves
    history.Undo(scene);
    EXPECT_FALSE(history.IsClean());
    history.Redo(scene);
    EXPECT_TRUE(history.IsClean());
    history.Undo(scene);
    Move(history, scene, 3);  // the saved state can no longer be reached
    history.Undo(scene);
    EXPECT_FALSE(history.IsClean());
    history.Redo(scene);
    EXPECT_FALSE(history.IsClean());
    history.Clear();  // a new or opened document
    EXPECT_TRUE(history.IsClean());
    EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistory, CleanStateDroppedByTheCapIsNeverCleanAgain) {
    CCentigrade scene = SelectedGrid(10);
    EditHistory history;
    Move(history, scene, 1);
    const std::size_t stepBytes = history.Bytes();
    history.Clear();
    history.SetMemoryCap(stepBytes * 2 + 100);
    history.SetClean();  // saved before any step
    Move(history, scene, 1);
    Move(history, scene, 1);
    history.SetClean();  // saved again; the cap now drops the first step
    Move(history, scene, 1);
    history.Undo(scene);
    EXPECT_TRUE(history.IsClean());
    history.Undo(scene);
    EXPECT_FALSE(history.CanUndo());
    history.Clear();
    history.SetClean();
    Move(history, scene, 1);
    Move(history, scene, 1);
    Move(history, scene, 1);  // the saved state was before the dropped step
    while (history.CanUndo()) {
        history.Undo(scene);
    }
    EXPECT_FALSE(history.IsClean());
}

TEST(EditHistory, NamesAndWhatIsPossible) {
    CCentigrade scene = SelectedGrid(2);
    EditHistory history;
    EXPECT_EQ(history.UndoName(), "");
    history.RecordTransform(scene, std::string(TransformStepName(ToolRotate)),
                            [&] { scene.RotateSelectionY(30); });
    EXPECT_EQ(history.UndoName(), "回転");
    // No step while a drag is recorded, none for a drag that changed nothing.
    scene.hitIndex = HandleX;
    history.BeginTransform(scene, "移動");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.EndTransform(scene));
    EXPECT_EQ(history.Count(), 1u);
    history.Undo(scene);
    EXPECT_EQ(history.RedoName(), "回転");
    EXPECT_EQ(history.UndoName(), "");
}

TEST(EditHistory, UndoTouchesOnlyTheObjectsItChanges) {
    CCentigrade scene = SelectedGrid(2);
    scene.models.push_back(MakeCube(1));
    EditHistory history;
    Move(history, scene, 1);
    const auto untouched = scene.models[1].revision;
    const auto moved = scene.models[0].revision;
    const SceneChange change = history.Undo(scene);
    EXPECT_EQ(change.reshapedModels, std::vector<std::size_t>{0});
    EXPECT_NE(scene.models[0].revision, moved);
    EXPECT_EQ(scene.models[1].revision, untouched);
}

// The face tools' clicks give the scene Pick gives, and one step that takes it back.
TEST(FaceToolClick, DoesWhatPickDoesAndUndoesIt) {
    for (int tool : {ToolDeleteFace, ToolPaintMaterial}) {
        for (const CVector aim : {CVector(-50, 0, -50), CVector(50, 0, 50), CVector(900, 0, 0)}) {
            CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
            scene.camera.rotation = CVector(-90, 0, 0);  // the grid faces down
            scene.materials.emplace_back(scene.materialSerial++);
            scene.currentMaterial = 1;
            scene.toolMode = tool;
            scene.models[0].faces[3].selected = true;
            scene.UpdateGizmo();
            CCentigrade picked = scene;
            const CCentigrade before = scene;
            EditHistory history;
            const ClientPoint click = ClientOf(scene, aim);
            EXPECT_EQ(ClickFaceTool(history, scene, click.x, click.y),
                      picked.Pick(click.x, click.y));
            EXPECT_TRUE(SameScene(picked, scene));
            const bool hit = aim.x < 900;
            ASSERT_EQ(history.Count(), hit ? 1u : 0u);
            if (hit) {
                EXPECT_EQ(history.UndoName(), tool == ToolDeleteFace ? "面削除" : "材質塗り");
                history.Undo(scene);
                EXPECT_TRUE(SameScene(before, scene));
            }
        }
    }
}

TEST(FaceToolClick, DeletingRestoresTheUnusedFlagsItCleared) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.camera.rotation = CVector(-90, 0, 0);
    scene.models[0].vertices.emplace_back(5, 5, 5);  // orphaned, but still flagged used
    scene.toolMode = ToolDeleteFace;
    const CCentigrade before = scene;
    EditHistory history;
    const ClientPoint click = ClientOf(scene, CVector(-50, 0, -50));
    ASSERT_TRUE(ClickFaceTool(history, scene, click.x, click.y));
    EXPECT_FALSE(scene.models[0].vertices.back().used);
    history.Undo(scene);
    EXPECT_TRUE(SameScene(before, scene));
    history.Redo(scene);
    EXPECT_FALSE(scene.models[0].vertices.back().used);
    EXPECT_EQ(scene.models[0].faces.size(), 3u);
}

TEST(RecordedEdits, FieldsAndAdditionsComeBackAndNoOpsAddNothing) {
    CCentigrade scene = MakeSceneWith(MakeCube(1));
    EditHistory history;
    EXPECT_FALSE(RecordMaterialEdit(history, scene, 0, [](CMaterial&) {}));
    EXPECT_FALSE(RecordObjectEdit(history, scene, 5, [](CModel& m) { m.name = "x"; }));
    const CCentigrade start = scene;
    EXPECT_TRUE(RecordMaterialEdit(history, scene, 0, [](CMaterial& m) {
        m.red = 0.1f;
        m.UpdateColors();
    }));
    EXPECT_TRUE(RecordObjectEdit(history, scene, 0, [](CModel& m) { m.facet = 30; }));
    const AppendMark mark = AppendMark::Of(scene);
    scene.models.push_back(MakeCube(2));
    scene.models.back().id = ++scene.modelSerial;
    scene.materials.emplace_back(scene.materialSerial++);
    scene.currentModel = 1;
    EXPECT_TRUE(RecordAppend(history, scene, mark, step_name::kImport));
    const CCentigrade end = scene;
    EXPECT_EQ(history.UndoName(), "読み込み");
    SceneChange change = history.Undo(scene);
    EXPECT_TRUE(change.objectList && change.materialList);
    EXPECT_EQ(history.UndoName(), "オブジェクトの変更");
    change = history.Undo(scene);
    EXPECT_EQ(change.reshapedModels, std::vector<std::size_t>{0});  // the smoothing angle
    EXPECT_EQ(history.UndoName(), "材質の変更");
    history.Undo(scene);
    EXPECT_TRUE(SameScene(start, scene));
    while (history.CanRedo()) {
        history.Redo(scene);
    }
    EXPECT_TRUE(SameScene(end, scene));
}

}  // namespace
