#include "edit/drag.h"

#include <gtest/gtest.h>

#include <cmath>

#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/transforms.h"
#include "support/mesh_generators.h"

namespace {

CAnimation Camera(float pitch, float yaw) {
    CAnimation camera;
    camera.rotation = CVector(pitch, yaw, 0);
    return camera;
}

void ExpectStep(const DragStep& step, DragOperation operation, float x, float y, float z) {
    EXPECT_EQ(step.operation, operation);
    EXPECT_FLOAT_EQ(step.amount.x, x);
    EXPECT_FLOAT_EQ(step.amount.y, y);
    EXPECT_FLOAT_EQ(step.amount.z, z);
}

TEST(DragStep, MoveHandlesFollowTheMotionTable) {
    const CAnimation camera = Camera(20, -50);
    ExpectStep(ComputeDragStep(ToolMove, HandleX, 10, 3, camera), DragOperation::Move, 7, 0, 0);
    ExpectStep(ComputeDragStep(ToolMove, HandleY, 10, 3, camera), DragOperation::Move, 0, 7, 0);
    ExpectStep(ComputeDragStep(ToolMove, HandleZ, 10, 3, camera), DragOperation::Move, 0, 0, -7);
}

TEST(DragStep, FreeMoveUsesTheCameraPitchAndYaw) {
    ExpectStep(ComputeDragStep(ToolMove, HandleCenter, 4, 6, Camera(0, 0)), DragOperation::Move, 4,
               -6, 0);
    const DragStep step = ComputeDragStep(ToolMove, HandleCenter, 4, 6, Camera(30, 90));
    const float ax = 30.0f / 360.0f * 6.2831855f;
    const float ay = 90.0f / 360.0f * 6.2831855f;
    EXPECT_EQ(step.amount.x, static_cast<float>(std::cos(double{ay})) * 4);
    EXPECT_EQ(step.amount.y, -static_cast<float>(std::cos(double{ax})) * 6);
    EXPECT_EQ(step.amount.z, static_cast<float>(std::sin(double{ay})) * 4 +
                                 static_cast<float>(std::sin(double{ax})) * 6);
}

TEST(DragStep, RotateAndScaleHandles) {
    const CAnimation camera;
    ExpectStep(ComputeDragStep(ToolRotate, HandleX, 10, 3, camera), DragOperation::RotateX, 7, 0,
               0);
    ExpectStep(ComputeDragStep(ToolRotate, HandleY, 10, 3, camera), DragOperation::RotateY, 0, 7,
               0);
    ExpectStep(ComputeDragStep(ToolRotate, HandleZ, 10, 3, camera), DragOperation::RotateZ, 0, 0,
               -7);
    ExpectStep(ComputeDragStep(ToolRotate, HandleCenter, 10, 3, camera),
               DragOperation::RotateYThenX, -3, 10, 0);
    ExpectStep(ComputeDragStep(ToolScale, HandleX, 10, 3, camera), DragOperation::ScaleBy, 0.07f, 0,
               0);
    ExpectStep(ComputeDragStep(ToolScale, HandleZ, 10, 3, camera), DragOperation::ScaleBy, 0, 0,
               0.07f);
    ExpectStep(ComputeDragStep(ToolScale, HandleCenter, -30, 20, camera), DragOperation::ScaleBy,
               -0.5f, -0.5f, -0.5f);
}

TEST(DragStep, NoHandleOrAnotherToolDoesNothing) {
    EXPECT_EQ(ComputeDragStep(ToolMove, HandleNone, 10, 3, CAnimation()).operation,
              DragOperation::None);
    EXPECT_EQ(ComputeDragStep(ToolSelect, HandleX, 10, 3, CAnimation()).operation,
              DragOperation::None);
}

CCentigrade CubeWithFaceSelected(int tool, int handle) {
    CCentigrade scene = MakeSceneWith(MakeCube(10));
    scene.models[0].faces[5].selected = true;  // x = +5
    scene.toolMode = tool;
    UpdateGizmo(scene);
    scene.hitIndex = handle;
    return scene;
}

TEST(Drag, XArrowMovesTheFaceAndTheManipulatorAlong) {
    CCentigrade scene = CubeWithFaceSelected(ToolMove, HandleX);
    DragSelection(scene, 10, 0);
    EXPECT_FLOAT_EQ(scene.gizmo.x, 15);
    int moved = 0;
    for (const CVector& v : scene.models[0].vertices) {
        moved += v.x == 15.0f ? 1 : 0;
    }
    EXPECT_EQ(moved, 4);
    DragSelection(scene, 0, 10);
    EXPECT_FLOAT_EQ(scene.gizmo.x, 5);
}

TEST(Drag, ZArrowMovesAgainstTheHorizontalMotion) {
    CCentigrade scene = CubeWithFaceSelected(ToolMove, HandleZ);
    DragSelection(scene, 10, 0);
    EXPECT_FLOAT_EQ(scene.gizmo.z, -10);
}

TEST(Drag, RotateAndScaleLeaveTheManipulatorInPlace) {
    for (int tool : {ToolRotate, ToolScale}) {
        CCentigrade scene = CubeWithFaceSelected(tool, HandleCenter);
        DragSelection(scene, 7, -4);
        EXPECT_FLOAT_EQ(scene.gizmo.x, 5);
        EXPECT_FLOAT_EQ(scene.gizmo.y, 0);
    }
}

TEST(Drag, CentreRotationTurnsAboutYThenX) {
    CCentigrade dragged = CubeWithFaceSelected(ToolRotate, HandleCenter);
    CCentigrade manual = dragged;
    DragSelection(dragged, 12, 5);
    RotateSelectionY(manual, 12);
    RotateSelectionX(manual, -5);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(dragged.models[0].vertices[i].x, manual.models[0].vertices[i].x);
        EXPECT_EQ(dragged.models[0].vertices[i].y, manual.models[0].vertices[i].y);
        EXPECT_EQ(dragged.models[0].vertices[i].z, manual.models[0].vertices[i].z);
    }
}

TEST(Drag, HundredPixelsOnAScaleHandleDoubleTheDistanceToThePivot) {
    CCentigrade scene = CubeWithFaceSelected(ToolScale, HandleY);
    DragSelection(scene, 100, 0);
    for (const CVector& v : scene.models[0].vertices) {
        if (v.x > 0) {
            EXPECT_FLOAT_EQ(std::abs(v.y), 10);
        } else {
            EXPECT_FLOAT_EQ(std::abs(v.y), 5);
        }
    }
}

TEST(Drag, NoHandleMovesNothing) {
    CCentigrade scene = CubeWithFaceSelected(ToolMove, HandleNone);
    const CCentigrade before = scene;
    DragSelection(scene, 30, 30);
    EXPECT_EQ(scene.gizmo.x, before.gizmo.x);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(scene.models[0].vertices[i].x, before.models[0].vertices[i].x);
    }
}

}  // namespace

// The release recomputes the normals of the moved object from the face lists
// it kept; they must be those of a computation from nothing.
TEST(DragSession, ReleaseGivesTheNormalsOfAFullComputation) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(6, 10.0f));
    scene.models.push_back(MakeCube(5));
    scene.ComputeAllNormals();
    for (std::size_t v = 10; v < 20; ++v) {
        scene.models[0].vertices[v].selected = true;
    }
    const std::uint64_t untouched = scene.models[1].normalsRevision;
    DragSession drag;
    drag.Begin(scene);
    drag.Apply(scene, {DragOperation::Move, {0, 7, 0}});
    drag.Apply(scene, {DragOperation::RotateYThenX, {20, 30, 0}});
    EXPECT_TRUE(drag.Finish(scene));

    CCentigrade fresh = scene;
    fresh.models[0].vertexInfo.clear();
    fresh.ComputeAllNormals();
    const CModel& moved = scene.models[0];
    const CModel& expected = fresh.models[0];
    for (std::size_t f = 0; f < moved.faces.size(); ++f) {
        ASSERT_EQ(moved.HasCornerNormals(f), expected.HasCornerNormals(f));
        for (std::size_t c = 0; c < moved.faces[f].indices.size(); ++c) {
            const CVector a = moved.CornerNormal(f, c);
            const CVector b = expected.CornerNormal(f, c);
            EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "face " << f << " corner " << c;
        }
    }
    EXPECT_EQ(scene.models[1].normalsRevision, untouched) << "the cube did not move";
}
