#include <gtest/gtest.h>

#include <vector>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/subdivide.h"
#include "modelling_meshes.h"
#include "scene_compare.h"

namespace {

TEST(Subdivide, AQuadBecomesFourAroundItsCentreWithUvsBetweenItsCorners) {
    CCentigrade scene = SceneOf(TestMesh::WithUvs);
    SelectFaces(scene, {0});
    const ModellingResult result = SubdivideFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    // Midpoints of edges 0-1, 1-4, 4-3, 3-0 and the centre.
    ASSERT_EQ(model.vertices.size(), 11u);
    const CVector expected[5] = {
        {0.5f, 0, 0}, {1, 0, 0.5f}, {0.5f, 0, 1}, {0, 0, 0.5f}, {0.5f, 0, 0.5f}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(model.vertices[6 + i].x, expected[i].x) << i;
        EXPECT_FLOAT_EQ(model.vertices[6 + i].z, expected[i].z) << i;
        EXPECT_FALSE(model.vertices[6 + i].selected);
    }
    // The four quads in the place of the old one, from corner 0 on.
    EXPECT_EQ(model.faces[0].indices, (SmallArray<int, 4>{0, 6, 10, 9}));
    EXPECT_EQ(model.faces[1].indices, (SmallArray<int, 4>{1, 7, 10, 6}));
    EXPECT_FLOAT_EQ(model.faces[0].uvs[2].u, 0.25f);
    EXPECT_FLOAT_EQ(model.faces[0].uvs[2].v, 0.5f);
    EXPECT_EQ(SelectedFaces(model), (std::vector<std::size_t>{0, 1, 2, 3}));
    // The neighbour shares midpoint 7 on edge 1-4: a triangle and a quad.
    ASSERT_EQ(model.faces.size(), 6u);
    EXPECT_EQ(model.faces[4].indices, (SmallArray<int, 4>{4, 7, 2, 5}));
    EXPECT_EQ(model.faces[5].indices, (SmallArray<int, 4>{7, 1, 2}));
    EXPECT_FLOAT_EQ(model.faces[4].uvs[1].u, 0.5f);
    EXPECT_FLOAT_EQ(model.faces[4].uvs[1].v, 0.5f);
    EXPECT_TRUE(HasNoCrack(model));
}

struct NeighbourRow {
    const char* name;
    std::vector<std::size_t> selected;  // faces of the 3 × 3 grid
    std::size_t faces;                  // after
};

class SubdivideNeighbours : public ::testing::TestWithParam<NeighbourRow> {};

TEST_P(SubdivideNeighbours, SplitSoThatNoCrackOpens) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    SelectFaces(scene, {});
    for (std::size_t f : GetParam().selected) {
        SelectWhole(scene.models[0].faces[f]);
    }
    UpdateGizmo(scene);
    const ModellingResult result = SubdivideFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(scene.models[0].faces.size(), GetParam().faces);
    EXPECT_TRUE(HasNoCrack(scene.models[0]));
    EXPECT_EQ(SelectedFaces(scene.models[0]).size(), 4 * GetParam().selected.size());
}

// Grid faces: row z, column x at 3z + x. A neighbour across one edge splits
// into 2, one with two cut edges side by side into 3, one with two opposite
// cut edges into 2, with three into 4, with four into 5.
INSTANTIATE_TEST_SUITE_P(Patterns, SubdivideNeighbours,
                         ::testing::Values(NeighbourRow{"centre", {4}, 4 + 4 * 2 + 4},
                                           NeighbourRow{"corner", {0}, 4 + 2 * 2 + 6},
                                           NeighbourRow{"diagonal", {1, 3}, 8 + 3 + 3 + 2 + 2 + 3},
                                           NeighbourRow{"opposite", {3, 5}, 8 + 2 + 4 * 2 + 2},
                                           NeighbourRow{
                                               "threeSides", {1, 3, 5}, 12 + 4 + 2 * 3 + 2 * 2 + 1},
                                           NeighbourRow{"ring", {1, 3, 5, 7}, 16 + 5 + 4 * 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Subdivide, TrianglesAndLinesSplitAndTheirNeighboursFollow) {
    CCentigrade scene = SceneOf(TestMesh::Fan);
    SelectFaces(scene, {0, 3});
    const ModellingResult result = SubdivideFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    // 4 + 2 pieces of the selected faces; the other triangles share edge 0-1
    // and are cut in two each.
    EXPECT_EQ(model.faces.size(), 4u + 2u + 2u + 2u);
    EXPECT_TRUE(HasNoCrack(model));
    EXPECT_EQ(model.vertices.size(), 5u + 4u);
}

TEST(Subdivide, NothingSelectedIsRefused) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    EXPECT_EQ(SubdivideFaces(scene).refusal, ModellingRefusal::NoFaceSelected);
    scene.models[0].state = 1;
    EXPECT_EQ(SubdivideFaces(scene).refusal, ModellingRefusal::CurrentObjectLocked);
}

}  // namespace
