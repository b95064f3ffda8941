// Long random sequences of modelling commands on a scene of several objects:
// each undo gives back the scene from before its command bit for bit, each
// redo the scene after it; a command that fails half-way leaves the scene as
// it was.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "edit/gizmo.h"
#include "history/edit_history.h"
#include "history/geometry_step.h"
#include "modelling/create.h"
#include "modelling/duplicate_faces.h"
#include "modelling/extrude.h"
#include "modelling/face_create.h"
#include "modelling/flip.h"
#include "modelling/merge_by_distance.h"
#include "modelling/merge_objects.h"
#include "modelling/mirror.h"
#include "modelling/quadrangulate.h"
#include "modelling/separate.h"
#include "modelling/subdivide.h"
#include "modelling/triangulate.h"
#include "modelling/vertex_clean.h"
#include "modelling/vertex_delete.h"
#include "modelling/weld.h"
#include "modelling_meshes.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

struct Recorded {
    CCentigrade before;
    CCentigrade after;
};

class RandomCommands {
public:
    explicit RandomCommands(unsigned seed) : random_(seed) {
        scene = MakeSceneWith(MakeQuadGrid(4, 10));
        scene.models.push_back(MakeTestMesh(TestMesh::Cylinder));
        CModel locked = MakeTestMesh(TestMesh::Cube);
        locked.state = 1;
        scene.models.push_back(locked);
        CModel hidden = MakeTestMesh(TestMesh::WithUvs);
        hidden.state = 2;
        scene.models.push_back(hidden);
        for (std::size_t m = 1; m < scene.models.size(); ++m) {
            scene.models[m].id = ++scene.modelSerial;
        }
        scene.materials.emplace_back(scene.materialSerial++);
    }

    // The selection and the current object change outside the history.
    void RandomSelection() {
        for (CModel& model : scene.models) {
            for (CVector& v : model.vertices) {
                v.selected = Between(0, 7) == 0;
            }
            for (CFace& f : model.faces) {
                f.selected = Between(0, 2) == 0;
                for (bool& edge : f.edgeSelected) {
                    edge = f.selected || Between(0, 15) == 0;
                }
            }
        }
        UpdateGizmo(scene);
        scene.currentModel = Between(-1, static_cast<int>(scene.models.size()));
        scene.currentMaterial = Between(-1, static_cast<int>(scene.materials.size()));
    }

    ModellingResult Command(PriorState* prior) {
        // Keep the objects small: growing commands stop past a few thousand faces.
        std::size_t faces = 0;
        for (const CModel& model : scene.models) {
            faces += model.faces.size();
        }
        const int pick = Between(0, faces > 3000 ? 9 : 17);
        switch (pick) {
            case 0:
                return DeleteVertices(scene, prior);
            case 1:
                return WeldVertices(scene, prior);
            case 2:
                return MergeByDistance(scene, {static_cast<float>(Between(0, 12))}, prior);
            case 3:
                return FlipFaces(scene, prior);
            case 4:
                return QuadrangulateFaces(scene, {static_cast<float>(Between(0, 90))}, prior);
            case 5:
                return CleanVertices(scene, prior);
            case 6:
                return SeparateFaces(scene, prior);
            case 7: {
                MergeObjectsOptions options;
                for (std::size_t m = 0; m < scene.models.size(); ++m) {
                    if (Between(0, 2) == 0 && static_cast<int>(m) != scene.currentModel) {
                        options.objects.push_back(m);
                    }
                }
                return MergeObjects(scene, options, prior);
            }
            case 8:
                return MirrorFaces(scene,
                                   {static_cast<Axis>(Between(0, 2)),
                                    CVector(Amount(), Amount(), Amount()), false, true},
                                   prior);
            case 9:
                return TriangulateFaces(scene, prior);
            case 10:
            case 11:
                return CreatePrimitive(scene, static_cast<Primitive>(Between(0, 4)),
                                       {Amount() + 25, Between(3, 5), Between(2, 3),
                                        CVector(Amount(), Amount(), Amount())},
                                       prior);
            case 12:
                return CreateFace(scene, {CVector(Amount(), Amount() + 0.5f, Amount())}, prior);
            case 13:
                return ExtrudeFaces(scene, {Amount(), Between(0, 1) == 1}, prior);
            case 14:
                return SubdivideFaces(scene, prior);
            case 15:
                return DuplicateFaces(scene, prior);
            default:
                return MirrorFaces(
                    scene,
                    {static_cast<Axis>(Between(0, 2)), CVector(Amount(), Amount(), Amount()), true,
                     Between(0, 1) == 1},
                    prior);
        }
    }

    CCentigrade scene;
    EditHistory history;

private:
    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    float Amount() { return static_cast<float>(Between(-20, 20)); }

    std::mt19937 random_;
};

class RandomCommandSequence : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomCommandSequence, UndoAndRedoRestoreEveryStateBitForBit) {
    RandomCommands commands(GetParam());
    commands.history.SetMemoryCap(std::size_t{1} << 40);
    const CCentigrade start = commands.scene;
    std::vector<Recorded> steps;
    for (int k = 0; k < 400; ++k) {
        commands.RandomSelection();
        const CCentigrade before = commands.scene;
        const ModellingResult result =
            RecordGeometryEdit(commands.history, commands.scene, "command",
                               [&](PriorState& prior) { return commands.Command(&prior); });
        if (result.Changed()) {
            ASSERT_TRUE(Valid(commands.scene, result)) << "command " << k;
            steps.push_back({before, commands.scene});
        } else {
            ASSERT_TRUE(SameScene(before, commands.scene)) << "command " << k;
        }
        ASSERT_EQ(commands.history.Count(), steps.size()) << "command " << k;
    }
    ASSERT_GT(steps.size(), 120u);
    const CCentigrade end = commands.scene;
    for (std::size_t k = steps.size(); k-- > 0;) {
        CopySelectionState(steps[k].after, commands.scene);
        commands.scene.currentModel = steps[k].after.currentModel;
        ASSERT_TRUE(SameScene(steps[k].after, commands.scene)) << "before undoing step " << k;
        commands.history.Undo(commands.scene);
        ASSERT_TRUE(SameScene(steps[k].before, commands.scene)) << "after undoing step " << k;
    }
    commands.scene.currentModel = start.currentModel;  // chosen outside the history
    EXPECT_TRUE(SameScene(start, commands.scene, false));
    for (std::size_t k = 0; k < steps.size(); ++k) {
        CopySelectionState(steps[k].before, commands.scene);
        commands.scene.currentModel = steps[k].before.currentModel;
        commands.history.Redo(commands.scene);
        ASSERT_TRUE(SameScene(steps[k].after, commands.scene)) << "after redoing step " << k;
    }
    // The selection after the last step is what the last iterations chose.
    commands.scene.currentModel = end.currentModel;
    EXPECT_TRUE(SameScene(end, commands.scene, false));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomCommandSequence, ::testing::Values(1u, 2u, 3u, 4u));

// A command that throws after changing the scene: everything is put back.
template <typename Command>
void ExpectPutBack(CCentigrade scene, Command command) {
    const CCentigrade before = scene;
    EditHistory history;
    EXPECT_THROW(RecordGeometryEdit(history, scene, "failing",
                                    [&](PriorState& prior) -> ModellingResult {
                                        command(scene, &prior);
                                        throw std::runtime_error("out of memory");
                                    }),
                 std::runtime_error);
    EXPECT_TRUE(SameScene(before, scene));
    EXPECT_EQ(history.Count(), 0u);
}

TEST(RecordGeometryEdit, ACommandFailingHalfWayLeavesTheSceneAsItWas) {
    CCentigrade grid = SceneOf(TestMesh::Grid);
    SelectFaces(grid, {4});
    ExpectPutBack(grid, [](CCentigrade& s, PriorState* p) { ExtrudeFaces(s, {1, false}, p); });
    ExpectPutBack(grid, [](CCentigrade& s, PriorState* p) { SubdivideFaces(s, p); });
    ExpectPutBack(grid, [](CCentigrade& s, PriorState* p) { SeparateFaces(s, p); });
    CCentigrade bare = grid;
    bare.materials.clear();
    ExpectPutBack(
        bare, [](CCentigrade& s, PriorState* p) { CreatePrimitive(s, Primitive::Cube, {}, p); });
    CCentigrade objects = grid;
    objects.models.push_back(MakeTestMesh(TestMesh::Cube));
    objects.models.push_back(MakeTestMesh(TestMesh::Quad));
    objects.currentModel = 1;
    ExpectPutBack(objects, [](CCentigrade& s, PriorState* p) { MergeObjects(s, {{0, 2}}, p); });
}

TEST(RecordGeometryEdit, TheStepMeasuresTheArraysItHolds) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    SelectAllFaces(scene);
    EditHistory history;
    RecordGeometryEdit(history, scene, "細分化",
                       [&](PriorState& prior) { return SubdivideFaces(scene, &prior); });
    // It holds the 9 faces and 16 vertices from before.
    const std::size_t held = 9 * sizeof(CFace) + 16 * sizeof(CVector);
    EXPECT_GE(history.Bytes(), held);
    history.Undo(scene);
    // Now the 36 faces and 49 vertices from after.
    EXPECT_GE(history.Bytes(), 36 * sizeof(CFace) + 49 * sizeof(CVector));
}

}  // namespace
