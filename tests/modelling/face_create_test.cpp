#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/face_create.h"
#include "modelling/mesh_parts.h"
#include "modelling_meshes.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

// A unit square in y = 0 (vertices 0 to 3 around it), a point beyond it and
// no face: vertices as a document gives them, all flagged used.
CCentigrade LooseVertices() {
    CModel model;
    for (const CVector& p : {CVector(0, 0, 0), CVector(1, 0, 0), CVector(1, 0, 1), CVector(0, 0, 1),
                             CVector(0.5f, 0, 3)}) {
        model.vertices.push_back(p);
    }
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.currentModel = 0;
    return scene;
}

struct CornerRow {
    std::vector<std::size_t> selected;
    CVector view;
};

class CreateFaceFrom : public ::testing::TestWithParam<CornerRow> {};

TEST_P(CreateFaceFrom, OrdersTheCornersAroundAndFacesTheCamera) {
    CCentigrade scene = LooseVertices();
    for (std::size_t v : GetParam().selected) {
        scene.models[0].vertices[v].selected = true;
    }
    const ModellingResult result = CreateFace(scene, {GetParam().view});
    ASSERT_FALSE(result.Refused()) << TextOf(result.refusal).english;
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models[0];
    ASSERT_EQ(model.faces.size(), 1u);
    const CFace& face = model.faces[0];
    ASSERT_EQ(face.indices.size(), GetParam().selected.size());
    // The corners are the selected vertices, and the quad's edges do not
    // cross: it turns the same way at every corner.
    std::vector<std::size_t> corners(face.indices.begin(), face.indices.end());
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners, GetParam().selected);
    if (face.indices.size() == 4) {
        const auto at = [&](std::size_t k) -> const CVector& {
            return model.vertices[static_cast<std::size_t>(face.indices[k % 4])];
        };
        const CVector normal = NewellSum(model, face);
        for (std::size_t k = 0; k < 4; ++k) {
            const CVector turn = CrossOf(Minus(at(k + 1), at(k)), Minus(at(k + 2), at(k + 1)));
            EXPECT_GT(CVector::Dot(turn, normal), 0) << "edges cross at corner " << k;
        }
    }
    if (face.indices.size() >= 3) {
        EXPECT_GT(CVector::Dot(NewellSum(model, face), GetParam().view), 0) << "seen from behind";
    } else {
        EXPECT_LT(face.indices[0], face.indices[1]);
    }
    EXPECT_EQ(SelectedFaces(model), std::vector<std::size_t>{0});
    EXPECT_TRUE(SelectedVertices(model).empty());
}

INSTANTIATE_TEST_SUITE_P(Selections, CreateFaceFrom,
                         ::testing::Values(CornerRow{{0, 2}, CVector(0, -1, 0)},
                                           CornerRow{{0, 1, 2}, CVector(0, -1, 0)},
                                           CornerRow{{0, 1, 2}, CVector(0, 1, 0)},
                                           CornerRow{{0, 1, 2, 3}, CVector(0, -1, 0)},
                                           CornerRow{{0, 1, 2, 3}, CVector(0.3f, 1, -0.2f)},
                                           CornerRow{{1, 2, 3, 4}, CVector(0, -1, 0)}));

TEST(CreateFace, TheNewFaceMakesItsVerticesUsedAgain) {
    CCentigrade scene = SceneOf(TestMesh::Orphans);
    SelectVertices(scene, {1, 3, 4});
    scene.models[0].vertices[3].used = false;
    const ModellingResult result = CreateFace(scene, {CVector(0, -1, 0)});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_TRUE(scene.models[0].vertices[3].used);
    EXPECT_TRUE(scene.models[0].vertices[4].used);
}

TEST(CreateFace, TakesTheEndsOfSelectedEdges) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    SelectFaces(scene, {});
    scene.models[0].faces[0].SetEdgeSelected(1, true);
    UpdateGizmo(scene);
    ASSERT_TRUE(Valid(scene, CreateFace(scene, {})));
    ASSERT_EQ(scene.models[0].faces.size(), 2u);
    EXPECT_EQ(scene.models[0].faces[1].indices, (SmallArray<int, 4>{1, 2}));
}

struct RefusalRow {
    std::vector<std::size_t> selected;
    int currentModel;
    int state;
    ModellingRefusal refusal;
};

class CreateFaceRefusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(CreateFaceRefusal, SaysWhyAndChangesNothing) {
    CCentigrade scene = LooseVertices();
    scene.models[0].vertices.push_back(CVector(9, 9, 9));
    for (std::size_t v : GetParam().selected) {
        scene.models[0].vertices[v].selected = true;
    }
    scene.models[0].state = GetParam().state;
    scene.currentModel = GetParam().currentModel;
    const CCentigrade before = scene;
    EXPECT_EQ(CreateFace(scene, {}).refusal, GetParam().refusal);
    EXPECT_TRUE(SameScene(before, scene));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateFaceRefusal,
    ::testing::Values(RefusalRow{{}, 0, 0, ModellingRefusal::NoVertexSelected},
                      RefusalRow{{2}, 0, 0, ModellingRefusal::TooFewVertices},
                      RefusalRow{{0, 1, 2, 3, 4}, 0, 0, ModellingRefusal::TooManyVertices},
                      RefusalRow{{0, 1, 2, 3, 4, 5}, 0, 0, ModellingRefusal::TooManyVertices},
                      RefusalRow{{0, 1, 2}, -1, 0, ModellingRefusal::NoCurrentObject},
                      RefusalRow{{0, 1, 2}, 1, 0, ModellingRefusal::NoCurrentObject},
                      RefusalRow{{0, 1, 2}, 0, 1, ModellingRefusal::CurrentObjectLocked},
                      RefusalRow{{0, 1, 2}, 0, 2, ModellingRefusal::CurrentObjectHidden},
                      RefusalRow{{0, 1, 2}, 0, 3, ModellingRefusal::CurrentObjectHidden}));

TEST(Refusals, EveryReasonHasBothTexts) {
    for (int r = static_cast<int>(ModellingRefusal::NoCurrentObject);
         r <= static_cast<int>(ModellingRefusal::ResultTooLarge); ++r) {
        const RefusalText text = TextOf(static_cast<ModellingRefusal>(r));
        EXPECT_FALSE(text.english.empty()) << r;
        EXPECT_FALSE(text.japanese.empty()) << r;
    }
}

TEST(CameraViewDirection, FollowsTheCameraRotation) {
    CCentigrade scene;
    scene.camera.rotation = CVector(0, 0, 0);
    CVector view = CameraViewDirection(scene);
    EXPECT_NEAR(view.x, 0, 1e-6);
    EXPECT_NEAR(view.y, 0, 1e-6);
    EXPECT_NEAR(view.z, -1, 1e-6);
    scene.camera.rotation = CVector(90, 0, 0);  // looking down from above
    view = CameraViewDirection(scene);
    EXPECT_NEAR(view.x, 0, 1e-6);
    EXPECT_NEAR(view.y, -1, 1e-6);
    EXPECT_NEAR(view.z, 0, 1e-6);
}

}  // namespace
