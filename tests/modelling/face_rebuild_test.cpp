// Commands that rebuild faces from the same vertices: flip, triangulate,
// quadrangulate.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/flip.h"
#include "modelling/mesh_parts.h"
#include "modelling/quadrangulate.h"
#include "modelling/triangulate.h"
#include "modelling_meshes.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

TEST(Flip, ReversesCornersUvsAndEdgeFlagsOfTheSelectedFacesOnly) {
    CCentigrade scene = SceneOf(TestMesh::WithUvs);
    SelectFaces(scene, {0});
    scene.models[0].faces[0].SetEdgeSelected(0, false);  // edge 0-1 not selected
    UpdateGizmo(scene);
    const CVector front = FrontNormal(scene.models[0], scene.models[0].faces[0]);
    const ModellingResult result = FlipFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CFace& face = scene.models[0].faces[0];
    EXPECT_EQ(face.indices, (SmallArray<int, 4>{3, 4, 1, 0}));
    EXPECT_FLOAT_EQ(face.uvs[0].v, 1.0f);
    EXPECT_FLOAT_EQ(face.uvs[3].u, 0.0f);
    // The unselected edge 0-1 is now edge 2 (corners 1 and 0).
    EXPECT_EQ(face.edgeSelected, (SmallArray<bool, 4>{true, true, false, true}));
    EXPECT_FLOAT_EQ(CVector::Dot(FrontNormal(scene.models[0], face), front), -1.0f);
    EXPECT_EQ(scene.models[0].faces[1].indices, (SmallArray<int, 4>{1, 2, 5, 4}));
    EXPECT_EQ(SelectedFaces(scene.models[0]), std::vector<std::size_t>{0});
}

// One quad with corners p0..p3.
CCentigrade OneQuad(std::initializer_list<CVector> corners) {
    CModel model;
    for (const CVector& p : corners) {
        model.vertices.push_back(p);
    }
    model.faces.push_back(MakeFace({0, 1, 2, 3}, 0));
    model.faces[0].uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    SelectAllFaces(scene);
    return scene;
}

struct DiagonalRow {
    CVector third;  // corner 2; the others are (0,0,0), (1,0,0), (0,0,1)
    SmallArray<int, 4> first;
    SmallArray<int, 4> second;
};

class Triangulate : public ::testing::TestWithParam<DiagonalRow> {};

TEST_P(Triangulate, SplitsAlongTheShorterDiagonal) {
    CCentigrade scene =
        OneQuad({CVector(0, 0, 0), CVector(1, 0, 0), GetParam().third, CVector(0, 0, 1)});
    const ModellingResult result = TriangulateFaces(scene);
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.faces[0].indices, GetParam().first);
    EXPECT_EQ(model.faces[1].indices, GetParam().second);
    for (const CFace& face : model.faces) {
        for (std::size_t k = 0; k < 3; ++k) {
            // Each corner keeps its UV: corner 2 has (1, 1), corner 3 (0, 1).
            const int corner = face.indices[k];
            EXPECT_FLOAT_EQ(face.uvs[k].u, corner == 1 || corner == 2 ? 1.0f : 0.0f);
        }
    }
    EXPECT_EQ(SelectedFaces(model).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Triangulate,
    ::testing::Values(DiagonalRow{CVector(1, 0, 1), {0, 1, 2}, {0, 2, 3}},        // a square: 0-2
                      DiagonalRow{CVector(0.6f, 0, 0.6f), {0, 1, 2}, {0, 2, 3}},  // 0-2 shorter
                      DiagonalRow{CVector(3, 0, 3), {0, 1, 3}, {1, 2, 3}}));      // 1-3 shorter

TEST(Triangulate, TrianglesAndLinesAloneChangeNothing) {
    CCentigrade scene = SceneOf(TestMesh::Fan);
    SelectAllFaces(scene);
    const ModellingResult result = TriangulateFaces(scene);
    EXPECT_FALSE(result.Refused());
    EXPECT_FALSE(result.Changed());
}

TEST(Quadrangulate, ATriangulatedGridBecomesItsQuadsAgain) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    SelectAllFaces(scene);
    const CModel original = scene.models[0];
    ASSERT_TRUE(TriangulateFaces(scene).Changed());
    // Triangle halves in a scrambled order: the pairs are found by shape, not place.
    std::reverse(scene.models[0].faces.begin(), scene.models[0].faces.end());
    SelectAllFaces(scene);
    const ModellingResult result = QuadrangulateFaces(scene, {});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.acted, 9u);
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.faces.size(), 9u);
    for (const CFace& face : model.faces) {
        ASSERT_EQ(face.indices.size(), 4u);
        // The same four corners as one of the grid's cells, in the same turn.
        const bool found =
            std::any_of(original.faces.begin(), original.faces.end(), [&](const CFace& cell) {
                for (std::size_t shift = 0; shift < 4; ++shift) {
                    bool same = true;
                    for (std::size_t k = 0; k < 4; ++k) {
                        same = same && cell.indices[(k + shift) % 4] == face.indices[k];
                    }
                    if (same) {
                        return true;
                    }
                }
                return false;
            });
        EXPECT_TRUE(found);
        EXPECT_TRUE(face.selected);
    }
}

// Two triangles on the edge 0-1, the second folded up by `fold` degrees.
CCentigrade Folded(double fold) {
    const double t = fold * 3.141592653589793 / 180;
    CModel model;
    for (const CVector& p :
         {CVector(0, 0, 0), CVector(0, 0, 1), CVector(-1, 0, 0.5f),
          CVector(static_cast<float>(std::cos(t)), static_cast<float>(std::sin(t)), 0.5f)}) {
        model.vertices.push_back(p);
    }
    model.faces.push_back(MakeFace({0, 1, 2}, 0));
    model.faces.push_back(MakeFace({1, 0, 3}, 0));
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    SelectAllFaces(scene);
    return scene;
}

struct PairRow {
    const char* name;
    double fold;
    float angle;
    bool joined;
};

class QuadrangulatePair : public ::testing::TestWithParam<PairRow> {};

TEST_P(QuadrangulatePair, JoinsOnlyPairsFlatEnough) {
    CCentigrade scene = Folded(GetParam().fold);
    const ModellingResult result = QuadrangulateFaces(scene, {GetParam().angle});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(scene.models[0].faces.size(), GetParam().joined ? 1u : 2u);
    if (GetParam().joined) {
        EXPECT_EQ(scene.models[0].faces[0].indices, (SmallArray<int, 4>{2, 0, 3, 1}));
    }
}

INSTANTIATE_TEST_SUITE_P(Folds, QuadrangulatePair,
                         ::testing::Values(PairRow{"flat", 0, 40, true},
                                           PairRow{"fold30", 30, 40, true},
                                           PairRow{"fold60", 60, 40, false},
                                           PairRow{"fold60wide", 60, 70, true},
                                           PairRow{"fold60zero", 0, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Quadrangulate, KeepsPairsApartThatDifferInMaterialUvsOrShape) {
    CCentigrade materials = Folded(0);
    materials.models[0].faces[1].material = 5;
    EXPECT_FALSE(QuadrangulateFaces(materials, {}).Changed());

    CCentigrade seam = Folded(0);
    seam.models[0].faces[0].uvs = {{0, 0}, {0, 1}, {1, 0}};
    seam.models[0].faces[1].uvs = {{0, 1}, {0.5f, 0}, {1, 1}};  // corner 0 differs
    EXPECT_FALSE(QuadrangulateFaces(seam, {}).Changed());
    seam.models[0].faces[1].uvs = {{0, 1}, {0, 0}, {1, 1}};
    EXPECT_TRUE(QuadrangulateFaces(seam, {}).Changed());

    CCentigrade concave = Folded(0);
    concave.models[0].vertices[3] = CVector(0.1f, 0, 1.5f);  // beyond the shared edge's end
    EXPECT_FALSE(QuadrangulateFaces(concave, {}).Changed());

    CCentigrade facingAway = Folded(0);
    ReverseCorners(facingAway.models[0].faces[1]);  // both run 0 to 1
    EXPECT_FALSE(QuadrangulateFaces(facingAway, {}).Changed());

    EXPECT_EQ(QuadrangulateFaces(facingAway, {181}).refusal, ModellingRefusal::AngleOutOfRange);
    EXPECT_EQ(QuadrangulateFaces(facingAway, {NAN}).refusal, ModellingRefusal::AngleOutOfRange);
}

}  // namespace
