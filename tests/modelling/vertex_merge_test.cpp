#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/merge_by_distance.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/vertex_merge.h"
#include "modelling/weld.h"
#include "modelling_meshes.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

TEST(Weld, TwoCornersOfAQuadMeetAtTheirCentreAndTheQuadBecomesATriangle) {
    CCentigrade scene = SceneOf(TestMesh::WithUvs);
    SelectVertices(scene, {0, 3});
    const ModellingResult result = WeldVertices(scene);
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.acted, 1u);
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.vertices.size(), 6u);  // no vertex is renumbered
    EXPECT_FLOAT_EQ(model.vertices[0].z, 0.5f);
    EXPECT_FALSE(model.vertices[3].used);
    ASSERT_EQ(model.faces.size(), 2u);
    EXPECT_EQ(model.faces[0].indices, (SmallArray<int, 4>{0, 1, 4}));
    EXPECT_FLOAT_EQ(model.faces[0].uvs[2].v, 1.0f);  // the UV of corner 4 stays with it
    EXPECT_EQ(SelectedVertices(model), std::vector<std::size_t>{0});
    EXPECT_TRUE(SelectedFaces(model).empty());
}

TEST(Weld, ATriangleLeftWithTwoCornersIsALineAndWithOneIsGone) {
    CCentigrade scene = SceneOf(TestMesh::Fan);
    SelectVertices(scene, {0, 1});
    ASSERT_TRUE(Valid(scene, WeldVertices(scene)));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.faces.size(), 4u);
    EXPECT_EQ(model.faces[0].indices, (SmallArray<int, 4>{0, 2}));
    EXPECT_EQ(model.faces[3].indices, (SmallArray<int, 4>{3, 4}));
    SelectVertices(scene, {0, 2});
    ASSERT_TRUE(Valid(scene, WeldVertices(scene)));
    EXPECT_EQ(scene.models[0].faces.size(), 3u);  // the line 0-2 went
}

TEST(Weld, EachObjectWeldsItsOwnVerticesAndLockedOnesAreLeftAlone) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    scene.models.push_back(MakeTestMesh(TestMesh::Quad));
    scene.models.push_back(MakeTestMesh(TestMesh::Quad));
    scene.models[2].state = 1;
    SelectVertices(scene, {0, 1}, 0);
    SelectVertices(scene, {2, 3}, 1);
    SelectVertices(scene, {0, 1}, 2);
    const ModellingResult result = WeldVertices(scene);
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.reshaped, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(scene.models[0].faces[0].indices.size(), 3u);
    EXPECT_EQ(scene.models[1].faces[0].indices.size(), 3u);
    EXPECT_EQ(scene.models[2].faces[0].indices.size(), 4u);
}

TEST(Weld, NothingSelectedIsRefused) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    EXPECT_EQ(WeldVertices(scene).refusal, ModellingRefusal::NoVertexSelected);
}

// Two triangles of a square, each with its own corners.
CCentigrade SplitSquare(float gap) {
    CModel model;
    for (const CVector& p : {CVector(0, 0, 0), CVector(1, 0, 0), CVector(1, 0, 1), CVector(0, 0, 0),
                             CVector(1 + gap, 0, 1), CVector(0, 0, 1)}) {
        model.vertices.push_back(p);
    }
    model.faces.push_back(MakeFace({0, 1, 2}, 0));
    model.faces.push_back(MakeFace({3, 4, 5}, 0));
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    return scene;
}

TEST(MergeByDistance, CoincidentCornersBecomeOne) {
    CCentigrade scene = SplitSquare(0.004f);
    const ModellingResult result = MergeByDistance(scene, {0.01f});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.acted, 2u);
    const CModel& model = scene.models[0];
    EXPECT_EQ(model.faces[1].indices, (SmallArray<int, 4>{0, 2, 5}));
    EXPECT_FLOAT_EQ(model.vertices[2].x, 1.002f);  // the centre of the pair
    EXPECT_FALSE(model.vertices[3].used);
    EXPECT_EQ(SelectedVertices(model), (std::vector<std::size_t>{0, 2}));
}

struct DistanceRow {
    float gap;
    float distance;
    std::size_t merged;
};

class MergeDistance : public ::testing::TestWithParam<DistanceRow> {};

TEST_P(MergeDistance, MergesWithinTheDistanceInclusive) {
    CCentigrade scene = SplitSquare(GetParam().gap);
    const ModellingResult result = MergeByDistance(scene, {GetParam().distance});
    EXPECT_EQ(result.acted, GetParam().merged);
    EXPECT_TRUE(Valid(scene, result));
}

INSTANTIATE_TEST_SUITE_P(Gaps, MergeDistance,
                         ::testing::Values(DistanceRow{0.0f, 0.0f, 2},  // equal points, distance 0
                                           DistanceRow{0.25f, 0.25f, 2},
                                           DistanceRow{0.25f, 0.2499f, 1},
                                           DistanceRow{0.5f, 0.1f, 1}, DistanceRow{0.0f, 2.0f, 5}));

TEST(MergeByDistance, AVertexTakenByAnEarlierOneTakesNoOther) {
    CModel model;
    for (float x : {0.0f, 0.8f, 1.6f}) {
        model.vertices.push_back(CVector(x, 0, 0));
    }
    model.faces.push_back(MakeFace({0, 1}, 0));
    model.faces.push_back(MakeFace({1, 2}, 0));
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    // 0 takes 1 (0.8 away); 2 is 0.8 from 1 but 1.6 from 0, so it stays.
    const ModellingResult result = MergeByDistance(scene, {1.0f});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(result.acted, 1u);
    EXPECT_FLOAT_EQ(scene.models[0].vertices[0].x, 0.4f);
    EXPECT_EQ(scene.models[0].faces[0].indices.size(), 2u);  // 0-0 had one corner left: gone
    EXPECT_EQ(scene.models[0].faces.size(), 1u);
}

TEST(MergeByDistance, OnlyTheSelectionWhenThereIsOneAndNeverNonFinitePoints) {
    CCentigrade scene = SplitSquare(0.0f);
    SelectVertices(scene, {0, 3});
    ASSERT_TRUE(Valid(scene, MergeByDistance(scene, {0.01f})));
    EXPECT_TRUE(scene.models[0].vertices[4].used);  // 2 and 4 coincide but were not selected

    CCentigrade unusual = SplitSquare(0.0f);
    unusual.models[0].vertices[0].x = NAN;
    unusual.models[0].vertices[3].x = NAN;
    EXPECT_EQ(MergeByDistance(unusual, {0.01f}).acted, 1u);  // 2 and 4 only
    EXPECT_EQ(MergeByDistance(unusual, {-1.0f}).refusal, ModellingRefusal::DistanceOutOfRange);
    EXPECT_EQ(MergeByDistance(unusual, {INFINITY}).refusal, ModellingRefusal::DistanceOutOfRange);
}

TEST(MergeByDistance, FarCoordinatesAndATinyDistanceStillFindNeighbours) {
    CCentigrade scene = SplitSquare(0.0f);
    for (CVector& v : scene.models[0].vertices) {
        v.x += 1e30f;
    }
    // x + 1 rounds to x out there: the square collapses onto two points.
    EXPECT_EQ(MergeByDistance(scene, {1e-30f}).acted, 4u);
}

// Points on a lattice of half the distance, jittered, some repeated, some
// not finite, in triangles of consecutive vertices: chains and clusters
// that cross cells. `spread` cells of the lattice along each axis.
CCentigrade RandomCloud(unsigned seed, float distance, int spread, float far) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> cell(0, spread);
    std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
    CModel model;
    for (int v = 0; v < 600; ++v) {
        CVector p;
        if (v > 0 && random() % 5 == 0) {
            p = model.vertices[random() % model.vertices.size()];  // a repeat
        } else {
            p = CVector((cell(random) + jitter(random)) * distance / 2 + far,
                        (cell(random) + jitter(random)) * distance / 2,
                        (cell(random) + jitter(random)) * distance / 2);
        }
        if (random() % 97 == 0) {
            p.y = NAN;
        }
        p.selected = random() % 3 != 0;
        model.vertices.push_back(p);
    }
    for (int v = 0; v + 2 < 600; v += 3) {
        model.faces.push_back(MakeFace({v, v + 1, v + 2}, 0));
    }
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    return scene;
}

// The rule, one pair at a time: in index order, each vertex no earlier one
// took takes every later one still free within the distance.
std::vector<int> MergesOneByOne(const CModel& model, float distance) {
    const auto n = model.vertices.size();
    std::vector<bool> member(n);
    for (std::size_t v = 0; v < n; ++v) {
        member[v] = model.vertices[v].selected && IsFinitePoint(model.vertices[v]);
    }
    std::vector<int> into(n, -1);
    for (std::size_t a = 0; a < n; ++a) {
        if (into[a] != -1) {
            continue;
        }
        into[a] = static_cast<int>(a);
        for (std::size_t b = a + 1; b < n && member[a]; ++b) {
            const CVector& p = model.vertices[a];
            const CVector& q = model.vertices[b];
            const double dx = static_cast<double>(p.x) - q.x;
            const double dy = static_cast<double>(p.y) - q.y;
            const double dz = static_cast<double>(p.z) - q.z;
            if (member[b] && into[b] == -1 &&
                dx * dx + dy * dy + dz * dz <= static_cast<double>(distance) * distance) {
                into[b] = static_cast<int>(a);
            }
        }
    }
    return into;
}

struct CloudRow {
    float distance;
    int spread;
    float far;  // far from the origin, in a grid too coarse for the distance
};

class MergeCloud : public ::testing::TestWithParam<CloudRow> {};

TEST_P(MergeCloud, MergesAsComparingEveryPairWould) {
    const CloudRow row = GetParam();
    for (unsigned seed = 1; seed <= 4; ++seed) {
        CCentigrade scene = RandomCloud(seed, row.distance, row.spread, row.far);
        CCentigrade expected = scene;
        ModellingResult expectedResult;
        expectedResult.acted = MergeVertices(
            expected.models[0], 0, MergesOneByOne(expected.models[0], row.distance), nullptr);
        FinishReshape(expected.models[0], 0, expectedResult);
        PlaceGizmo(expected);
        ASSERT_GT(expectedResult.acted, 50u);

        const ModellingResult result = MergeByDistance(scene, {row.distance});
        ASSERT_TRUE(Valid(scene, result));
        EXPECT_EQ(result.acted, expectedResult.acted) << "seed " << seed;
        EXPECT_TRUE(SameScene(expected, scene)) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Clouds, MergeCloud,
                         ::testing::Values(CloudRow{0.5f, 12, 0}, CloudRow{0.01f, 6, 0},
                                           CloudRow{2.0f, 30, -50},
                                           // Cells far wider than the distance.
                                           CloudRow{1e-6f, 8, 3e6f}));

}  // namespace
