#include "view/view_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene/centigrade.h"

namespace {

CCentigrade FrontView() {
    CCentigrade scene;
    scene.viewWidth = 800;
    scene.viewHeight = 600;
    scene.camera.rotation = CVector(0, 0, 0);
    return scene;
}

WindowCoord Project(const CCentigrade& scene, const CVector& p) {
    WindowCoord w;
    EXPECT_TRUE(ProjectToWindow(SceneProjection(scene) * SceneModelView(scene),
                                SceneViewport(scene), p, w));
    return w;
}

// Window x of a point at eye distance `distance` and offset `offset` across the
// 800 × 600 view with a 10 degree field of view.
double ExpectedWindowX(double offset, double distance) {
    const double cotangent = 1.0 / std::tan(5.0 * std::numbers::pi / 180.0);
    // The aspect ratio reaches the GL as a float.
    const double aspect = 800.0f / 600.0f;
    return 400.0 + cotangent / aspect * offset / distance * 400.0;
}

double ExpectedDepth(double distance) {
    const double n = 100.0;
    const double f = 10000.0;
    const double ndc = (f + n) / (f - n) - 2.0 * f * n / ((f - n) * distance);
    return (ndc + 1.0) / 2.0;
}

TEST(ViewMath, OriginProjectsToTheViewCentre) {
    const WindowCoord w = Project(FrontView(), CVector(0, 0, 0));
    EXPECT_NEAR(w.x, 400.0, 1e-9);
    EXPECT_NEAR(w.y, 300.0, 1e-9);
    EXPECT_NEAR(w.z, ExpectedDepth(2000.0), 1e-12);
}

TEST(ViewMath, PerspectiveMatchesHandComputedProjection) {
    const WindowCoord w = Project(FrontView(), CVector(100, 50, 0));
    EXPECT_NEAR(w.x, ExpectedWindowX(100.0, 2000.0), 1e-9);
    const double cotangent = 1.0 / std::tan(5.0 * std::numbers::pi / 180.0);
    EXPECT_NEAR(w.y, 300.0 + cotangent * 50.0 / 2000.0 * 300.0, 1e-9);
}

TEST(ViewMath, ZoomScalesTheSceneAboutTheOrigin) {
    CCentigrade scene = FrontView();
    scene.zoom = 200;
    EXPECT_NEAR(Project(scene, CVector(50, 0, 0)).x, ExpectedWindowX(100.0, 2000.0), 1e-9);
}

TEST(ViewMath, CameraTranslationShiftsInEyeSpace) {
    CCentigrade scene = FrontView();
    scene.camera.position = CVector(100, 0, -3000);
    const WindowCoord w = Project(scene, CVector(0, 0, 0));
    EXPECT_NEAR(w.x, ExpectedWindowX(100.0, 3000.0), 1e-9);
    EXPECT_NEAR(w.z, ExpectedDepth(3000.0), 1e-12);
}

TEST(ViewMath, YawTurnsPositiveXAwayFromTheEye) {
    CCentigrade scene = FrontView();
    scene.camera.rotation = CVector(0, 90, 0);
    // Rotating +x by 90 degrees about y gives -z: farther from the eye.
    const WindowCoord w = Project(scene, CVector(100, 0, 0));
    EXPECT_NEAR(w.x, 400.0, 1e-9);
    EXPECT_NEAR(w.z, ExpectedDepth(2100.0), 1e-12);
}

TEST(ViewMath, RotationsApplyXThenYThenZToTheScene) {
    // The scene point is turned about z first, then y, then x (the matrices
    // multiply in the order x, y, z).
    CCentigrade scene = FrontView();
    scene.camera.rotation = CVector(90, 90, 0);
    // (0, 0, 100): about y by 90 gives (100, 0, 0); about x leaves it there.
    EXPECT_NEAR(Project(scene, CVector(0, 0, 100)).x, ExpectedWindowX(100.0, 2000.0), 1e-9);
}

TEST(ViewMath, PitchTiltsPositiveYTowardsTheEye) {
    CCentigrade scene = FrontView();
    scene.camera.rotation = CVector(90, 0, 0);
    // +y turned by 90 degrees about x becomes +z: nearer to the eye.
    const WindowCoord w = Project(scene, CVector(0, 100, 0));
    EXPECT_NEAR(w.y, 300.0, 1e-9);
    EXPECT_NEAR(w.z, ExpectedDepth(1900.0), 1e-12);
}

TEST(ViewMath, PointsOutsideTheDepthPlanesAreClipped) {
    const CCentigrade scene = FrontView();
    const Matrix4 mvp = SceneProjection(scene) * SceneModelView(scene);
    WindowCoord w;
    EXPECT_FALSE(ProjectToWindow(mvp, SceneViewport(scene), CVector(0, 0, 1950), w));
    EXPECT_FALSE(ProjectToWindow(mvp, SceneViewport(scene), CVector(0, 0, -8001), w));
    EXPECT_TRUE(ProjectToWindow(mvp, SceneViewport(scene), CVector(0, 0, -7999), w));
    EXPECT_FALSE(ProjectToWindow(mvp, SceneViewport(scene), CVector(0, 0, 2500), w));
}

TEST(ViewMath, NearAndFarPlanesMapToDepthZeroAndOne) {
    const Matrix4 p = PerspectiveMatrix(10, 1, kNearPlane, kFarPlane);
    const Viewport viewport{0, 0, 100, 100};
    EXPECT_NEAR(ToWindow(Transform(p, 0, 0, -100), viewport).z, 0.0, 1e-12);
    EXPECT_NEAR(ToWindow(Transform(p, 0, 0, -10000), viewport).z, 1.0, 1e-12);
}

TEST(ViewMath, PickMatrixMapsTheWindowOntoTheClipSquare) {
    const Viewport viewport{0, 0, 800, 600};
    const Matrix4 pick = PickMatrix(100, 200, 8, 8, viewport);
    // Window (100, 200) is NDC (-0.75, -1/3); the pick window's edges are 4 px away.
    const double x = 100.0 / 400.0 - 1.0;
    const double y = 200.0 / 300.0 - 1.0;
    ClipCoord c = Transform(pick, x, y, 0.25);
    EXPECT_NEAR(c.x, 0.0, 1e-12);
    EXPECT_NEAR(c.y, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(c.z, 0.25);
    c = Transform(pick, x + 4.0 / 400.0, y - 4.0 / 300.0, 0);
    EXPECT_NEAR(c.x, 1.0, 1e-12);
    EXPECT_NEAR(c.y, -1.0, 1e-12);
}

TEST(ViewMath, PickMatrixWithoutAreaChangesNothing) {
    const Matrix4 pick = PickMatrix(100, 200, 0, 8, Viewport{0, 0, 800, 600});
    EXPECT_EQ(pick.m, Matrix4::Identity().m);
}

TEST(ViewMath, ManipulatorKeepsItsSizeOnScreenAtEveryZoom) {
    CCentigrade scene = FrontView();
    scene.gizmo = CVector(10, 0, 0);
    const auto handleTipX = [&scene] {
        WindowCoord w;
        ProjectToWindow(SceneProjection(scene) * ManipulatorModelView(scene), SceneViewport(scene),
                        CVector(100, 0, 0), w);
        WindowCoord centre;
        ProjectToWindow(SceneProjection(scene) * ManipulatorModelView(scene), SceneViewport(scene),
                        CVector(0, 0, 0), centre);
        return w.x - centre.x;
    };
    const double atHundred = handleTipX();
    EXPECT_NEAR(atHundred, ExpectedWindowX(60.0, 2000.0) - 400.0, 1e-4);
    scene.zoom = 37;
    EXPECT_NEAR(handleTipX(), atHundred, 1e-4);
}

TEST(ViewMath, RotationAboutTheDiagonalCyclesTheAxes) {
    const Matrix4 r = RotationMatrix(120, 1, 1, 1);
    const ClipCoord c = Transform(r, 1, 0, 0);
    EXPECT_NEAR(c.x, 0, 1e-12);
    EXPECT_NEAR(c.y, 1, 1e-12);
    EXPECT_NEAR(c.z, 0, 1e-12);
    const Matrix4 negative = RotationMatrix(90, 0, 0, -1);
    EXPECT_NEAR(Transform(negative, 1, 0, 0).y, -1, 1e-12);
}

TEST(ViewMath, ColumnMajorLayoutPutsTranslationInTheLastColumn) {
    const auto m = TranslationMatrix(1, 2, 3).ToFloat();
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[13], 2.0f);
    EXPECT_EQ(m[14], 3.0f);
    EXPECT_EQ(m[15], 1.0f);
}

}  // namespace
