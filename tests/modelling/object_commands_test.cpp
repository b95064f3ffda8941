// Commands that take vertices out, or move faces between and within objects.
#include <gtest/gtest.h>

#include <vector>

#include "history/edit_history.h"
#include "history/geometry_step.h"
#include "modelling/duplicate_faces.h"
#include "modelling/merge_objects.h"
#include "modelling/mesh_parts.h"
#include "modelling/mirror.h"
#include "modelling/separate.h"
#include "modelling/vertex_clean.h"
#include "modelling/vertex_delete.h"
#include "modelling_meshes.h"
#include "scene_compare.h"

namespace {

TEST(DeleteVertices, TakesTheVertexItsFacesAndWhatOnlyTheyUsed) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    SelectVertices(scene, {5});
    const ModellingResult result = DeleteVertices(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    // Cells 0, 1, 3 and 4 went, and with them vertices 0, 1, 4 and 5.
    EXPECT_EQ(model.faces.size(), 5u);
    ASSERT_EQ(model.vertices.size(), 12u);
    EXPECT_EQ(model.faces[0].indices, (SmallArray<int, 4>{0, 2, 3, 1}));
    EXPECT_FLOAT_EQ(model.vertices[0].x, 0.5f);  // old vertex 2
    EXPECT_TRUE(SelectedVertices(model).empty());
    EXPECT_FALSE(scene.showGizmo);
}

TEST(DeleteVertices, KeepsVerticesNoFaceUsedBefore) {
    CCentigrade scene = SceneOf(TestMesh::Orphans);
    SelectVertices(scene, {0});
    ASSERT_TRUE(Valid(scene, DeleteVertices(scene)));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 2u);
    EXPECT_FLOAT_EQ(model.vertices[0].x, 5.0f);
    EXPECT_TRUE(model.faces.empty());
    EXPECT_EQ(DeleteVertices(scene).refusal, ModellingRefusal::NoVertexSelected);
}

TEST(CleanVertices, RemovesUnusedVerticesAndKeepsTheFlagsOfTheRest) {
    CCentigrade scene = SceneOf(TestMesh::Orphans);
    scene.models[0].vertices.insert(scene.models[0].vertices.begin(), CVector(-1, -1, -1));
    for (int& v : scene.models[0].faces[0].indices) {
        ++v;
    }
    SelectVertices(scene, {2});
    const ModellingResult result = CleanVertices(scene);
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.acted, 3u);
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 3u);
    EXPECT_EQ(model.faces[0].indices, (SmallArray<int, 4>{0, 1, 2}));
    EXPECT_EQ(SelectedVertices(model), std::vector<std::size_t>{1});
    EXPECT_FALSE(CleanVertices(scene).Changed());
}

TEST(Separate, MovesTheFacesWithCopiesOfTheirVerticesIntoANewCurrentObject) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    scene.models[0].facet = 30;
    SelectFaces(scene, {0, 1});
    const ModellingResult result = SeparateFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    ASSERT_EQ(scene.models.size(), 2u);
    const CModel& source = scene.models[0];
    const CModel& part = scene.models[1];
    EXPECT_EQ(source.vertices.size(), 16u);
    EXPECT_EQ(source.faces.size(), 7u);
    EXPECT_FALSE(source.vertices[0].used);
    EXPECT_FALSE(source.vertices[1].used);
    EXPECT_TRUE(source.vertices[4].used);
    EXPECT_TRUE(SelectedFaces(source).empty());
    EXPECT_EQ(part.vertices.size(), 6u);  // old 0, 1, 2, 4, 5, 6
    EXPECT_EQ(part.faces[1].indices, (SmallArray<int, 4>{1, 4, 5, 2}));
    EXPECT_EQ(SelectedFaces(part).size(), 2u);
    EXPECT_EQ(part.name, "grid2");
    EXPECT_EQ(part.facet, 30.0f);
    EXPECT_EQ(part.id, 2);
    EXPECT_EQ(scene.currentModel, 1);
    EXPECT_TRUE(result.objectListChanged);
}

TEST(DuplicateFaces, TheCopiesOnTheSamePlacesBecomeTheSelection) {
    CCentigrade scene = SceneOf(TestMesh::WithUvs);
    SelectFaces(scene, {1});
    const ModellingResult result = DuplicateFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 10u);
    ASSERT_EQ(model.faces.size(), 3u);
    EXPECT_EQ(model.faces[2].indices, (SmallArray<int, 4>{6, 7, 9, 8}));
    EXPECT_FLOAT_EQ(model.vertices[7].x, 2.0f);
    EXPECT_FLOAT_EQ(model.faces[2].uvs[1].u, 1.0f);
    EXPECT_EQ(SelectedFaces(model), std::vector<std::size_t>{2});
}

CCentigrade ThreeObjects() {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    scene.models.push_back(MakeTestMesh(TestMesh::Cube));
    scene.models.push_back(MakeTestMesh(TestMesh::Grid));
    for (std::size_t m = 0; m < 3; ++m) {
        scene.models[m].id = static_cast<int>(m) + 1;
    }
    scene.modelSerial = 3;
    return scene;
}

TEST(MergeObjects, AppendsTheOthersAndRemovesThem) {
    CCentigrade scene = ThreeObjects();
    scene.currentModel = 1;
    SelectFaces(scene, {0}, 2);
    const CCentigrade before = scene;
    EditHistory history;
    const ModellingResult result =
        RecordGeometryEdit(history, scene, "結合", [&](PriorState& prior) {
            return MergeObjects(scene, {{2, 0}}, &prior);
        });
    ASSERT_TRUE(Valid(scene, result));
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.currentModel, 0);
    const CModel& model = scene.models[0];
    EXPECT_EQ(model.vertices.size(), 8u + 16u + 4u);
    ASSERT_EQ(model.faces.size(), 6u + 9u + 1u);
    EXPECT_EQ(model.faces[15].indices, (SmallArray<int, 4>{24, 25, 26, 27}));
    EXPECT_TRUE(model.faces[6].selected);  // the grid's selected face keeps its flag
    EXPECT_EQ(result.reshaped, std::vector<std::size_t>{0});

    const CCentigrade after = scene;
    history.Undo(scene);
    EXPECT_TRUE(SameScene(before, scene));
    history.Redo(scene);
    EXPECT_TRUE(SameScene(after, scene));
}

struct MergeRefusalRow {
    std::vector<std::size_t> objects;
    int lockedObject;
    ModellingRefusal refusal;
};

class MergeRefusal : public ::testing::TestWithParam<MergeRefusalRow> {};

TEST_P(MergeRefusal, ChangesNothing) {
    CCentigrade scene = ThreeObjects();
    scene.currentModel = 1;
    if (GetParam().lockedObject >= 0) {
        scene.models[static_cast<std::size_t>(GetParam().lockedObject)].state = 3;
    }
    const CCentigrade before = scene;
    EXPECT_EQ(MergeObjects(scene, {GetParam().objects}).refusal, GetParam().refusal);
    EXPECT_TRUE(SameScene(before, scene));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, MergeRefusal,
    ::testing::Values(MergeRefusalRow{{}, -1, ModellingRefusal::NoObjectToMerge},
                      MergeRefusalRow{{0, 1}, -1, ModellingRefusal::UnknownObject},
                      MergeRefusalRow{{0, 0}, -1, ModellingRefusal::UnknownObject},
                      MergeRefusalRow{{3}, -1, ModellingRefusal::UnknownObject},
                      MergeRefusalRow{{0, 2}, 2, ModellingRefusal::ObjectNotEditable},
                      MergeRefusalRow{{0}, 1, ModellingRefusal::CurrentObjectHidden}));

TEST(Mirror, ACopySharesTheVerticesOnThePlaneAndIsSeenFromTheSameSide) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    SelectAllFaces(scene);
    const ModellingResult result = MirrorFaces(scene, {Axis::X, CVector(0, 7, 7), true, true});
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 6u);
    EXPECT_FLOAT_EQ(model.vertices[4].x, -1.0f);
    EXPECT_FLOAT_EQ(model.vertices[5].z, 1.0f);
    ASSERT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.faces[1].indices, (SmallArray<int, 4>{3, 5, 4, 0}));
    EXPECT_GT(FrontNormal(model, model.faces[1]).y, 0.99f);
    EXPECT_EQ(SelectedFaces(model), std::vector<std::size_t>{1});
}

TEST(Mirror, WithoutWeldEveryVertexIsCopied) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    SelectAllFaces(scene);
    ASSERT_TRUE(Valid(scene, MirrorFaces(scene, {Axis::X, CVector(), true, false})));
    EXPECT_EQ(scene.models[0].vertices.size(), 8u);
}

TEST(Mirror, APointNearThePlaneIsPutOnIt) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    scene.models[0].vertices[0].x = 1e-6f;
    SelectAllFaces(scene);
    ASSERT_TRUE(Valid(scene, MirrorFaces(scene, {Axis::X, CVector(), true, true})));
    EXPECT_EQ(scene.models[0].vertices[0].x, 0.0f);
    EXPECT_EQ(scene.models[0].vertices.size(), 6u);
}

TEST(Mirror, AFaceLyingOnThePlaneGetsNoCopy) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    SelectAllFaces(scene);
    const CCentigrade before = scene;
    const ModellingResult result = MirrorFaces(scene, {Axis::Y, CVector(), true, true});
    EXPECT_FALSE(result.Changed());
    EXPECT_TRUE(SameScene(before, scene));
}

TEST(Mirror, InPlaceReflectsTheVerticesAndKeepsTheSelection) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    SelectAllFaces(scene);
    const ModellingResult result = MirrorFaces(scene, {Axis::Z, CVector(0, 0, 2), false, true});
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    EXPECT_FLOAT_EQ(model.vertices[0].z, 4.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].z, 3.0f);
    EXPECT_GT(FrontNormal(model, model.faces[0]).y, 0.99f);
    EXPECT_EQ(SelectedFaces(model), std::vector<std::size_t>{0});
    EXPECT_EQ(MirrorFaces(scene, {Axis::Z, CVector(NAN, 0, 0), false, true}).refusal,
              ModellingRefusal::CentreOutOfRange);
}

}  // namespace
