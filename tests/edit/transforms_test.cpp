#include <gtest/gtest.h>

#include <cmath>

#include "edit/gizmo.h"
#include "edit/transforms.h"
#include "face_builder.h"
#include "support/mesh_generators.h"

namespace {

CModel Points(std::initializer_list<CVector> points) {
    CModel m;
    for (const CVector& p : points) {
        m.vertices.push_back(p);
    }
    return m;
}

CCentigrade SelectedPoints(std::initializer_list<CVector> points) {
    CCentigrade scene = MakeSceneWith(Points(points));
    for (CVector& v : scene.models[0].vertices) {
        v.selected = true;
    }
    return scene;
}

void ExpectNear(const CVector& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

TEST(Transforms, GizmoSitsAtTheCentreOfTheSelectedFace) {
    CCentigrade scene = MakeSceneWith(MakeCube(10));
    scene.models[0].faces[5].selected = true;  // the face at x = +5
    UpdateGizmo(scene);
    EXPECT_TRUE(scene.showGizmo);
    ExpectNear(scene.gizmo, 5, 0, 0);
    int marked = 0;
    for (const CVector& v : scene.models[0].vertices) {
        marked += v.mark ? 1 : 0;
    }
    EXPECT_EQ(marked, 4);
}

TEST(Transforms, NothingAffectedHidesTheGizmoAtTheOrigin) {
    CCentigrade scene = MakeSceneWith(MakeCube(10));
    scene.gizmo = CVector(3, 3, 3);
    scene.showGizmo = true;
    scene.models[0].vertices[2].mark = true;
    UpdateGizmo(scene);
    EXPECT_FALSE(scene.showGizmo);
    ExpectNear(scene.gizmo, 0, 0, 0);
    EXPECT_FALSE(scene.models[0].vertices[2].mark);
}

TEST(Transforms, SelectedEdgesMarkTheirEnds) {
    CModel m = Points({{0, 0, 0}, {10, 0, 0}, {0, 20, 0}, {7, 7, 7}});
    CFace line = MakeFace({3, 1});
    line.SetEdgeSelected(0, true);
    CFace triangle = MakeFace({0, 1, 2});
    triangle.SetEdgeSelected(2, true);  // corners 2 -> 0
    m.faces.push_back(line);
    m.faces.push_back(triangle);
    CCentigrade scene = MakeSceneWith(std::move(m));
    UpdateGizmo(scene);
    const auto& v = scene.models[0].vertices;
    EXPECT_TRUE(v[0].mark && v[1].mark && v[2].mark && v[3].mark);
    ExpectNear(scene.gizmo, 5, 10, 3.5f);
}

TEST(Transforms, LockedObjectsAreMarkedButNeverMovedNorBoxed) {
    CCentigrade scene = SelectedPoints({{0, 0, 0}, {10, 0, 0}});
    CModel locked = Points({{100, 100, 100}});
    locked.vertices[0].selected = true;
    locked.state = 1;
    scene.models.push_back(locked);
    UpdateGizmo(scene);
    ExpectNear(scene.gizmo, 5, 0, 0);
    MoveSelection(scene, 1, 2, 3);
    RotateSelectionZ(scene, 30);
    ScaleSelectionBy(scene, 1, 1, 1);
    ScaleSelectionX(scene, 3);
    SetSelectionY(scene, 9);
    ExpectNear(scene.models[1].vertices[0], 100, 100, 100);
}

TEST(Transforms, VertexSharedBySelectedFacesMovesOnce) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2, 10));
    scene.models[0].faces[0].selected = true;
    scene.models[0].faces[1].selected = true;
    UpdateGizmo(scene);
    const CVector before = scene.models[0].vertices[1];  // shared by faces 0 and 1
    MoveSelection(scene, 1, 0, 0);
    EXPECT_EQ(scene.models[0].vertices[1].x, before.x + 1);
    EXPECT_EQ(scene.models[0].vertices[8].x, 10.0f);  // not affected
}

TEST(Transforms, MarkedVerticesAreAffectedToo) {
    CCentigrade scene = MakeSceneWith(Points({{1, 1, 1}, {2, 2, 2}}));
    scene.models[0].vertices[1].mark = true;
    MoveSelection(scene, 1, 1, 1);
    ExpectNear(scene.models[0].vertices[0], 1, 1, 1);
    ExpectNear(scene.models[0].vertices[1], 3, 3, 3);
}

TEST(Transforms, RotationSensesPerAxis) {
    CCentigrade scene = SelectedPoints({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    const auto& v = scene.models[0].vertices;
    RotateSelectionZ(scene, 90);
    ExpectNear(v[0], 0, 1, 0);
    ExpectNear(v[1], -1, 0, 0);
    RotateSelectionZ(scene, -90);
    RotateSelectionX(scene, 90);
    ExpectNear(v[1], 0, 0, -1);
    ExpectNear(v[2], 0, 1, 0);
    RotateSelectionX(scene, -90);
    RotateSelectionY(scene, 90);
    ExpectNear(v[0], 0, 0, -1);
    ExpectNear(v[2], 1, 0, 0);
}

TEST(Transforms, RotationTakesBothCoordinatesFromTheOldOffsetInSinglePrecision) {
    CCentigrade scene = SelectedPoints({{3, 4, 5}});
    scene.gizmo = CVector(1, 1, 1);
    RotateSelectionX(scene, 33);
    const float t = 33.0f / 360.0f * 6.2831855f;
    const auto c = static_cast<float>(std::cos(static_cast<double>(t)));
    const auto s = static_cast<float>(std::sin(static_cast<double>(t)));
    const float dy = 3.0f;
    const float dz = 4.0f;
    EXPECT_EQ(scene.models[0].vertices[0].x, 3.0f);
    EXPECT_EQ(scene.models[0].vertices[0].y, dy * c + dz * s + 1.0f);
    EXPECT_EQ(scene.models[0].vertices[0].z, dz * c - dy * s + 1.0f);
}

TEST(Transforms, RotationTurnsAboutThePivot) {
    CCentigrade scene = SelectedPoints({{11, 0, 0}});
    scene.gizmo = CVector(10, 0, 0);
    RotateSelectionZ(scene, 180);
    ExpectNear(scene.models[0].vertices[0], 9, 0, 0);
}

TEST(Transforms, ScalingGrowsTheOffsetFromThePivot) {
    CCentigrade scene = SelectedPoints({{3, 3, 3}});
    scene.gizmo = CVector(1, 1, 1);
    ScaleSelectionBy(scene, 1, 0, -0.5f);
    ExpectNear(scene.models[0].vertices[0], 5, 3, 2);
    ScaleSelectionX(scene, 2);
    ScaleSelectionY(scene, 0.5f);
    ScaleSelectionZ(scene, 3);
    ExpectNear(scene.models[0].vertices[0], 9, 2, 4);
}

TEST(Transforms, SetSelectionTakesOnlyDirectlySelectedVertices) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(1, 10));
    scene.models[0].faces[0].selected = true;
    UpdateGizmo(scene);
    SetSelectionX(scene, 42);
    for (const CVector& v : scene.models[0].vertices) {
        EXPECT_NE(v.x, 42.0f);
    }
    scene.models[0].vertices[0].selected = true;
    scene.models[0].vertices[3].selected = true;
    SetSelectionX(scene, 5);
    SetSelectionZ(scene, -2);
    ExpectNear(scene.models[0].vertices[0], 5, 0, -2);
    ExpectNear(scene.models[0].vertices[3], 5, 0, -2);
    ExpectNear(scene.models[0].vertices[1], 5, 0, -5);
}

TEST(Transforms, ExtendBoundsGrowsEachSideOnItsOwn) {
    CVector min(0, 0, 0);
    CVector max(1, 1, 1);
    ExtendBounds(CVector(-1, 0.5f, 2), min, max);
    ExpectNear(min, -1, 0, 0);
    ExpectNear(max, 1, 1, 2);
}

}  // namespace
