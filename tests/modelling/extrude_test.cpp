#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "modelling/extrude.h"
#include "modelling/mesh_parts.h"
#include "modelling_meshes.h"
#include "scene_compare.h"

namespace {

bool SameUv(const CUV& a, const CUV& b) {
    return a.u == b.u && a.v == b.v;
}

TEST(Extrude, AQuadRisesAlongTheSideItIsSeenFromAndGrowsFourSides) {
    CCentigrade scene = SceneOf(TestMesh::WithUvs);
    SelectFaces(scene, {0});
    const ModellingResult result = ExtrudeFaces(scene, {2.0f, false});
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 10u);  // the quad's four corners are copied
    ASSERT_EQ(model.faces.size(), 6u);
    // The moved face keeps its place, corners' coordinates and selection.
    const CFace& cap = model.faces[0];
    // Copies in the order of the vertices: 0, 1, 3, 4 become 6, 7, 8, 9.
    EXPECT_EQ(cap.indices, (SmallArray<int, 4>{6, 7, 9, 8}));
    EXPECT_TRUE(SameUv(cap.uvs[1], CUV{0.5f, 0}));
    for (int v : cap.indices) {
        EXPECT_FLOAT_EQ(model.vertices[static_cast<std::size_t>(v)].y, 2.0f);
    }
    EXPECT_EQ(SelectedFaces(model), std::vector<std::size_t>{0});
    // The unselected neighbour still uses the corners that stayed.
    EXPECT_EQ(model.faces[1].indices, (SmallArray<int, 4>{1, 2, 5, 4}));
    // Four side quads, each seen from outside the box, with the UVs of
    // their edge's corners.
    const CVector middle(0.5f, 1, 0.5f);
    for (std::size_t f = 2; f < 6; ++f) {
        const CFace& side = model.faces[f];
        ASSERT_EQ(side.indices.size(), 4u);
        CVector centroid;
        for (int v : side.indices) {
            centroid = Plus(centroid, Times(model.vertices[static_cast<std::size_t>(v)], 0.25f));
        }
        EXPECT_GT(CVector::Dot(FrontNormal(model, side), Minus(centroid, middle)), 0);
        EXPECT_TRUE(SameUv(side.uvs[0], side.uvs[3]));
        EXPECT_TRUE(SameUv(side.uvs[1], side.uvs[2]));
    }
    // Side 0 stands on the cap's edge 0 (corners 0 and 1).
    EXPECT_EQ(model.faces[2].indices, (SmallArray<int, 4>{0, 1, 7, 6}));
    EXPECT_TRUE(SameUv(model.faces[2].uvs[0], CUV{0, 0}));
    EXPECT_TRUE(SameUv(model.faces[2].uvs[1], CUV{0.5f, 0}));
}

TEST(Extrude, ARegionCopiesOnlyItsRimAndMovesItsInside) {
    CCentigrade scene = SceneOf(TestMesh::Grid);  // seen from below
    SelectAllFaces(scene);
    const ModellingResult result = ExtrudeFaces(scene, {1.0f, false});
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 28u);
    // Inner vertex 5 moved down in place; rim vertex 0 stayed and its copy moved.
    EXPECT_FLOAT_EQ(model.vertices[5].y, -1.0f);
    EXPECT_FLOAT_EQ(model.vertices[0].y, 0.0f);
    EXPECT_FLOAT_EQ(model.vertices[16].y, -1.0f);
    EXPECT_FLOAT_EQ(model.vertices[16].x, model.vertices[0].x);
    EXPECT_EQ(SelectedFaces(model).size(), 9u);
}

TEST(Extrude, RegionsOfOneObjectMoveEachAlongItsOwnNormal) {
    CCentigrade scene = SceneOf(TestMesh::Cube);
    SelectFaces(scene, {0, 1});  // +z and -z
    ASSERT_TRUE(Valid(scene, ExtrudeFaces(scene, {1.0f, false})));
    const CModel& model = scene.models[0];
    for (int v : model.faces[0].indices) {
        EXPECT_FLOAT_EQ(model.vertices[static_cast<std::size_t>(v)].z, 2.0f);
    }
    for (int v : model.faces[1].indices) {
        EXPECT_FLOAT_EQ(model.vertices[static_cast<std::size_t>(v)].z, -2.0f);
    }
}

TEST(Extrude, AnEdgeOfThreeFacesIsABoundary) {
    CCentigrade scene = SceneOf(TestMesh::Fan);
    SelectFaces(scene, {0, 2});
    ASSERT_TRUE(Valid(scene, ExtrudeFaces(scene, {1.0f, false})));
    const CModel& model = scene.models[0];
    // Both triangles grow three sides: the edge 0-1 they share is used by a
    // third triangle too.
    EXPECT_EQ(model.faces.size(), 4u + 6u);
}

TEST(Extrude, IndividualFacesMoveApart) {
    CCentigrade scene = SceneOf(TestMesh::Cube);
    SelectFaces(scene, {0, 4});  // +z and +y share an edge
    ASSERT_TRUE(Valid(scene, ExtrudeFaces(scene, {1.0f, true})));
    const CModel& model = scene.models[0];
    EXPECT_EQ(model.vertices.size(), 16u);
    EXPECT_EQ(model.faces.size(), 14u);
    for (int v : model.faces[0].indices) {
        EXPECT_FLOAT_EQ(model.vertices[static_cast<std::size_t>(v)].z, 2.0f);
    }
    for (int v : model.faces[4].indices) {
        EXPECT_FLOAT_EQ(model.vertices[static_cast<std::size_t>(v)].y, 2.0f);
    }
}

TEST(Extrude, LinesAloneAreNothingToExtrude) {
    CCentigrade scene = SceneOf(TestMesh::Fan);
    SelectFaces(scene, {3});
    const CCentigrade before = scene;
    EXPECT_EQ(ExtrudeFaces(scene, {1.0f, false}).refusal, ModellingRefusal::NoFaceSelected);
    EXPECT_EQ(ExtrudeFaces(scene, {NAN, false}).refusal, ModellingRefusal::DistanceOutOfRange);
    EXPECT_TRUE(SameScene(before, scene));
}

}  // namespace
