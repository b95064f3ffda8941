#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/transforms.h"
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
    UpdateGizmo(scene);
    return scene;
}

void Move(EditHistory& history, CCentigrade& scene, float dx) {
    history.RecordTransform(scene, step_name::kMove, [&] { MoveSelection(scene, dx, 0, 0); });
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
    // A cap below one step keeps the newest.
    history.SetMemoryCap(stepBytes / 2);
    EXPECT_EQ(history.Count(), 1u);
    EXPECT_EQ(history.Bytes(), stepBytes);
}

// An undone import holds every record it appended, far above the cap when the
// import was big; the older steps go, the undone import stays for Redo.
TEST(EditHistory, TheStepJustUndoneOrDoneStaysAboveTheCap) {
    CCentigrade scene = SelectedGrid(20);
    EditHistory history;
    Move(history, scene, 1);
    Move(history, scene, 1);
    const AppendMark before = AppendMark::Of(scene);
    scene.models.push_back(MakeQuadGrid(100));
    ASSERT_TRUE(RecordAppend(history, scene, before, step_name::kImport));
    const CCentigrade imported = scene;
    history.SetMemoryCap(history.Bytes() + 1);
    ASSERT_EQ(history.Count(), 3u);

    history.Undo(scene);
    ASSERT_TRUE(history.CanRedo());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Count(), 1u);
    history.Redo(scene);
    EXPECT_TRUE(SameScene(imported, scene));
    EXPECT_TRUE(history.CanUndo());

    // The next step is kept however big, and the one before it goes.
    history.SetMemoryCap(1);
    Move(history, scene, 1);
    EXPECT_EQ(history.Count(), 1u);
    EXPECT_EQ(history.UndoName(), step_name::kMove);
}

TEST(EditHistory, CleanWhileTheSavedStateCanBeReached) {
    CCentigrade scene = SelectedGrid(10);
    EditHistory history;
    Move(history, scene, 1);
    history.SetMemoryCap(history.Bytes() * 2 + 100);  // two steps
    history.SetClean();                               // saved after the first move
    Move(history, scene, 1);
    EXPECT_FALSE(history.IsClean());
    history.Undo(scene);
    EXPECT_TRUE(history.IsClean());
    history.Redo(scene);
    Move(history, scene, 1);  // the cap drops the first step, not the saved state
    history.Undo(scene);
    history.Undo(scene);
    EXPECT_TRUE(history.IsClean());
    EXPECT_FALSE(history.CanUndo());
    Move(history, scene, 1);  // a new branch from the saved state keeps it
    history.Undo(scene);
    EXPECT_TRUE(history.IsClean());
    history.Redo(scene);
    history.SetClean();
    history.Undo(scene);
    Move(history, scene, 2);  // replaces the undone step, and the saved state with it
    history.Undo(scene);
    EXPECT_FALSE(history.IsClean());
    history.Redo(scene);
    history.SetClean();
    for (int k = 0; k < 3; ++k) {
        Move(history, scene, 1);  // the cap drops the saved state
    }
    while (history.CanUndo()) {
        history.Undo(scene);
    }
    EXPECT_FALSE(history.IsClean());
    history.Clear();  // a new or opened document
    EXPECT_TRUE(history.IsClean());
}

TEST(EditHistory, NamesAndTheObjectsAnUndoTouches) {
    CCentigrade scene = SelectedGrid(2);
    scene.models.push_back(MakeCube(1));
    EditHistory history;
    history.RecordTransform(scene, TransformStepName(ToolRotate),
                            [&] { RotateSelectionY(scene, 30); });
    EXPECT_EQ(history.UndoName(), "回転");
    // No step while a drag is recorded, none for a drag that changed nothing.
    history.BeginTransform(scene, "移動");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.EndTransform(scene));
    EXPECT_EQ(history.Count(), 1u);
    const auto untouched = scene.models[1].revision;
    const CModel turned = scene.models[0];
    const SceneChange change = history.Undo(scene);
    EXPECT_EQ(change.reshapedModels, std::vector<std::size_t>{0});
    // An undone turn moves positions back; the faces and their grouping stay.
    EXPECT_NE(scene.models[0].positionsRevision, turned.positionsRevision);
    EXPECT_EQ(scene.models[0].topologyRevision, turned.topologyRevision);
    EXPECT_EQ(scene.models[1].revision, untouched);
    EXPECT_EQ(history.RedoName(), "回転");
    EXPECT_EQ(history.UndoName(), "");
}

// The face tools' clicks give the scene Pick gives (a deletion also clears the
// used flag of every orphaned vertex), and one step that takes it back.
TEST(FaceToolClick, DoesWhatPickDoesAndUndoesIt) {
    for (int tool : {ToolDeleteFace, ToolPaintMaterial}) {
        for (const CVector aim : {CVector(-50, 0, -50), CVector(50, 0, 50), CVector(900, 0, 0)}) {
            CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
            scene.camera.rotation = CVector(-90, 0, 0);  // the grid faces down
            scene.materials.emplace_back(scene.materialSerial++);
            scene.currentMaterial = 1;
            scene.toolMode = tool;
            scene.models[0].faces[3].selected = true;
            scene.models[0].vertices.emplace_back(5, 5, 5);  // orphaned, still flagged used
            UpdateGizmo(scene);
            CCentigrade picked = scene;
            const CCentigrade before = scene;
            EditHistory history;
            const ClientPoint click = ClientOf(scene, aim);
            EXPECT_EQ(ClickFaceTool(history, scene, click.x, click.y),
                      Pick(picked, click.x, click.y));
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

}  // namespace
