#include <gtest/gtest.h>

#include "edit/face_tools.h"
#include "edit/pick.h"
#include "face_builder.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

CModel Triangles() {
    CModel m;
    m.vertices.resize(4);
    m.vertices[1].x = 1;
    m.vertices[2].z = 1;
    m.vertices[3].x = 1;
    m.vertices[3].z = 1;
    m.faces.push_back(MakeFace({0, 1, 2}));
    m.faces.push_back(MakeFace({1, 3, 2}));
    return m;
}

TEST(FaceTools, PaintingStoresTheCurrentMaterialsNumber) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2));
    scene.materials.emplace_back(scene.materialSerial++);
    scene.currentMaterial = 1;
    PaintFace(scene, 0, 2);
    EXPECT_EQ(scene.models[0].faces[2].material, 1);
    // Numbers out of list order: the face names the material by its number.
    scene.materials[1].id = 7;
    PaintFace(scene, 0, 3);
    EXPECT_EQ(scene.models[0].faces[3].material, 7);
}

TEST(FaceTools, PaintingWithoutACurrentMaterialDoesNothing) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2));
    scene.models[0].faces[1].material = 5;
    for (int current : {-1, 1, 9}) {
        scene.currentMaterial = current;
        PaintFace(scene, 0, 1);
        EXPECT_EQ(scene.models[0].faces[1].material, 5);
    }
}

TEST(FaceTools, DeletingTheOnlyFaceOrphansItsVertices) {
    CModel m = Triangles();
    m.faces.pop_back();
    CCentigrade scene = MakeSceneWith(std::move(m));
    DeleteFace(scene, 0, 0);
    EXPECT_TRUE(scene.models[0].faces.empty());
    ASSERT_EQ(scene.models[0].vertices.size(), 4u);
    for (const CVector& v : scene.models[0].vertices) {
        EXPECT_FALSE(v.used);
    }
}

TEST(FaceTools, DeletingOneOfTwoFacesKeepsTheSharedVerticesUsed) {
    CCentigrade scene = MakeSceneWith(Triangles());
    DeleteFace(scene, 0, 0);
    const auto& v = scene.models[0].vertices;
    EXPECT_FALSE(v[0].used);
    EXPECT_TRUE(v[1].used && v[2].used && v[3].used);
}

// An orphan an object brought with it (a document gives every vertex `used`)
// loses the flag at the first deletion anywhere; only the objects whose flags
// changed are touched, so the others keep their buffers and normals.
TEST(FaceTools, DeletionUnflagsTheOrphansOfEveryObjectAndTouchesOnlyThose) {
    CCentigrade scene = MakeSceneWith(Triangles());
    CModel withOrphan = Triangles();
    withOrphan.vertices.emplace_back(5.0f, 0.0f, 5.0f);
    scene.models.push_back(withOrphan);
    scene.models.push_back(MakeCube(2));
    scene.ComputeAllNormals();
    const std::vector<CModel> before = scene.models;

    DeleteFace(scene, 0, 1);

    EXPECT_FALSE(scene.models[1].vertices[4].used);
    EXPECT_NE(scene.models[1].topologyRevision, before[1].topologyRevision);
    EXPECT_EQ(scene.models[1].normalsRevision, before[1].normalsRevision);
    EXPECT_EQ(scene.models[2].revision, before[2].revision);
    for (std::size_t v = 0; v < 4; ++v) {
        EXPECT_TRUE(scene.models[1].vertices[v].used) << v;
    }
    // The faces of the edited object changed, whether or not a vertex lost its face.
    EXPECT_NE(scene.models[0].topologyRevision, before[0].topologyRevision);
    const std::uint64_t unchanged = scene.models[1].revision;
    DeleteFace(scene, 0, 0);
    EXPECT_EQ(scene.models[1].revision, unchanged);
}

TEST(FaceTools, LaterFacesMoveDownWithTheirEdgeSelections) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2));
    for (int i = 1; i < 4; ++i) {
        scene.models[0].faces[static_cast<std::size_t>(i)].SetEdgeSelected(i % 4, true);
    }
    const CFace second = scene.models[0].faces[1];
    DeleteFace(scene, 0, 0);
    ASSERT_EQ(scene.models[0].faces.size(), 3u);
    EXPECT_EQ(scene.models[0].faces[0].indices, second.indices);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(scene.models[0].faces[static_cast<std::size_t>(i)].IsEdgeSelected((i + 1) % 4));
    }
}

TEST(FaceTools, ClickWithTheDeleteToolRemovesTheFaceUnderTheCursor) {
    CModel grid = MakeQuadGrid(2, 100);
    CCentigrade scene = TopViewScene(grid);
    // The generated grid faces down (-y): look at it from below.
    scene.camera.rotation = CVector(-90, 0, 0);
    scene.toolMode = ToolDeleteFace;
    scene.faceSelectable = false;
    scene.models[0].faces[1].selected = true;
    const ClientPoint click = ClientOf(scene, CVector(-50, 0, -50));  // face 0
    ASSERT_TRUE(Pick(scene, click.x, click.y));
    EXPECT_EQ(scene.models[0].faces.size(), 3u);
    EXPECT_TRUE(scene.models[0].faces[0].selected);  // formerly face 1
    EXPECT_FALSE(scene.models[0].vertices[0].used);
    EXPECT_TRUE(scene.models[0].vertices[1].used);
    EXPECT_FALSE(Pick(scene, click.x, click.y));
}

TEST(FaceTools, ClickWithThePaintToolPaintsTheFaceUnderTheCursor) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.camera.rotation = CVector(-90, 0, 0);
    scene.materials.emplace_back(scene.materialSerial++);
    scene.currentMaterial = 1;
    scene.toolMode = ToolPaintMaterial;
    const ClientPoint click = ClientOf(scene, CVector(-50, 0, 50));
    ASSERT_TRUE(Pick(scene, click.x, click.y));
    EXPECT_EQ(scene.models[0].faces[2].material, 1);
    EXPECT_EQ(scene.models[0].faces[1].material, 0);
}

}  // namespace
