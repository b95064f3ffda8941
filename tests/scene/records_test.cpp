// Record defaults, copies and the scene-level operations.
#include <gtest/gtest.h>

#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

void ExpectColour(const float* c, float r, float g, float b, float a) {
    EXPECT_FLOAT_EQ(c[0], r);
    EXPECT_FLOAT_EQ(c[1], g);
    EXPECT_FLOAT_EQ(c[2], b);
    EXPECT_FLOAT_EQ(c[3], a);
}

}  // namespace

TEST(Records, DefaultMaterialColours) {
    CMaterial m;
    EXPECT_EQ(m.name, "NoMaterial");
    ExpectColour(m.glDiffuse, 0.8f, 0.8f, 0.8f, 1);
    ExpectColour(m.glAmbient, 0.2f, 0.2f, 0.2f, 1);
    ExpectColour(m.glSpecular, 0, 0, 0, 1);
    ExpectColour(m.glEmission, 0, 0, 0, 1);

    m.red = 0.5f;
    m.emissive = 0.5f;
    m.specular = 0.3f;
    m.alpha = 0.4f;
    m.UpdateColors();
    ExpectColour(m.glEmission, 0.25f, 0.4f, 0.4f, 0.4f);
    ExpectColour(m.glSpecular, 0.3f, 0.3f, 0.3f, 0.4f);
    EXPECT_EQ(CMaterial(7).id, 7);
}

TEST(Records, NormalizingZeroGivesUp) {
    CVector v;
    v.Normalize();
    EXPECT_EQ(v.z, 1.0f);
    CVector w(3, 0, 4);
    EXPECT_EQ(w.Length(), 5.0f);
    w.Normalize();
    EXPECT_FLOAT_EQ(w.x, 0.6f);
    CVector c;
    c.Cross(CVector(1, 0, 0), CVector(0, 1, 0));
    EXPECT_EQ(c.z, 1.0f);
}

TEST(Records, ArithmeticLeavesVertexFlagsAlone) {
    CVector v(1, 2, 3);
    v.selected = true;
    v.used = false;
    v += CVector(1, 1, 1);
    v -= CVector(0, 2, 0);
    EXPECT_EQ(v.y, 1.0f);
    EXPECT_TRUE(v.selected);
    EXPECT_FALSE(v.used);
}

TEST(Records, ReleasingACopiedMaterialKeepsTheOriginalsImage) {
    CMaterial original;
    original.image =
        std::shared_ptr<DibStream>(reinterpret_cast<DibStream*>(new char[1]),
                                   [](DibStream* p) { delete[] reinterpret_cast<char*>(p); });
    {
        CMaterial copy = original;
        EXPECT_EQ(copy.image, original.image);
        copy.ReleaseTexture();
        EXPECT_EQ(copy.image, nullptr);
    }
    EXPECT_NE(original.image, nullptr);
}

TEST(Scene, ResetRestoresTheDefaultsButNotEverything) {
    CCentigrade scene = MakeSceneWith(MakeCube(1));
    scene.camera.scale = CVector(2, 2, 2);
    scene.currentModel = 5;
    scene.selectMode = SelectBelt;
    scene.gizmo = CVector(1, 1, 1);
    scene.zoom = 3;
    scene.showVertices = true;
    scene.Reset();
    EXPECT_TRUE(scene.models.empty());
    EXPECT_TRUE(scene.materials.empty());
    EXPECT_EQ(scene.modelSerial, 0);
    EXPECT_EQ(scene.materialSerial, 0);
    EXPECT_EQ(scene.camera.position.z, -2000.0f);
    EXPECT_EQ(scene.camera.rotation.x, 20.0f);
    EXPECT_EQ(scene.camera.rotation.y, -50.0f);
    EXPECT_EQ(scene.camera.scale.x, 2.0f);
    EXPECT_EQ(scene.zoom, 100.0f);
    EXPECT_FALSE(scene.showVertices);
    EXPECT_TRUE(scene.showFaces);
    EXPECT_TRUE(scene.showAxis);
    EXPECT_EQ(scene.currentModel, 5);
    EXPECT_EQ(scene.selectMode, SelectBelt);
    EXPECT_EQ(scene.gizmo.x, 1.0f);
    EXPECT_EQ(scene.background, 30u | 65u << 8 | 90u << 16);
}

TEST(Scene, CurrentNormalsOnlyForAnObjectInTheList) {
    CCentigrade scene = MakeSceneWith(MakeCube(1));
    scene.currentModel = -1;
    scene.ComputeCurrentNormals();
    EXPECT_TRUE(scene.models[0].vertexInfo.empty());
    scene.currentModel = 1;
    scene.ComputeCurrentNormals();
    EXPECT_TRUE(scene.models[0].vertexInfo.empty());
    scene.currentModel = 0;
    scene.ComputeCurrentNormals();
    EXPECT_EQ(scene.models[0].vertexInfo.size(), 8u);
}

TEST(Scene, UsedFlagsFollowTheFaces) {
    CCentigrade scene = MakeSceneWith(MakeCube(1));
    CModel& cube = scene.models[0];
    cube.faces.erase(cube.faces.begin() + 1);  // the +z face: vertices 4..7 keep other faces
    cube.faces.erase(cube.faces.begin());      // the -z face
    scene.UpdateUsedFlags();
    for (const CVector& v : cube.vertices) {
        EXPECT_TRUE(v.used);
    }
    cube.faces.resize(1);  // only the y = -h face (vertices 0, 1, 5, 4) is left
    scene.UpdateUsedFlags();
    for (int i : {0, 1, 4, 5}) {
        EXPECT_TRUE(cube.vertices[static_cast<std::size_t>(i)].used) << i;
    }
    for (int i : {2, 3, 6, 7}) {
        EXPECT_FALSE(cube.vertices[static_cast<std::size_t>(i)].used) << i;
    }
}

TEST(Scene, DocumentFolderIsTheFoldersPath) {
    CCentigrade scene;
    scene.SetDocumentFolder("/home/user/models/car.qvl");
    EXPECT_EQ(scene.DocumentFolder(), std::filesystem::path("/home/user/models"));
}
