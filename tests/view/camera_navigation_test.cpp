#include "view/camera_navigation.h"

#include <gtest/gtest.h>

#include "scene/centigrade.h"

namespace {

void ExpectVector(const CVector& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(CameraNavigation, OneWheelNotchChangesTheZoomByTwelve) {
    CCentigrade scene;
    WheelZoom(scene, 120);
    EXPECT_FLOAT_EQ(scene.zoom, 112);
    WheelZoom(scene, -240);
    EXPECT_FLOAT_EQ(scene.zoom, 88);
}

TEST(CameraNavigation, WheelTowardsTheUserStopsAtZoomOne) {
    CCentigrade scene;
    scene.zoom = 5;
    WheelZoom(scene, -120);
    EXPECT_FLOAT_EQ(scene.zoom, 1);
    WheelZoom(scene, -120);
    EXPECT_FLOAT_EQ(scene.zoom, 1);
}

TEST(CameraNavigation, DragZoomAddsATenthOfTheMotion) {
    CCentigrade scene;
    DragZoom(scene, 30, 0);
    EXPECT_FLOAT_EQ(scene.zoom, 103);
    DragZoom(scene, 30, -30);
    EXPECT_FLOAT_EQ(scene.zoom, 103);
    DragZoom(scene, -2000, 0);
    EXPECT_FLOAT_EQ(scene.zoom, kMinimumZoom);
}

TEST(CameraNavigation, OrbitTurnsOneDegreePerPixelWithoutWrapping) {
    CCentigrade scene;
    OrbitCamera(scene, 0, -90);
    ExpectVector(scene.camera.rotation, -70, -50, 0);
    OrbitCamera(scene, 400, 0);
    ExpectVector(scene.camera.rotation, -70, 350, 0);
    OrbitCamera(scene, 20, 0);
    ExpectVector(scene.camera.rotation, -70, 370, 0);
}

TEST(CameraNavigation, PanMovesWithThePointerWhateverTheZoom) {
    CCentigrade scene;
    scene.zoom = 400;
    PanCamera(scene, 10, 5);
    ExpectVector(scene.camera.position, 10, -5, -2000);
}

TEST(CameraNavigation, PresetsKeepDistanceAndHeightButRecentre) {
    CCentigrade scene;
    scene.camera.position = CVector(10, 20, -1500);
    scene.zoom = 250;

    ApplyViewPreset(scene, ViewPreset::Front);
    ExpectVector(scene.camera.position, 0, 20, -1500);
    ExpectVector(scene.camera.rotation, 0, 0, 0);
    ApplyViewPreset(scene, ViewPreset::Back);
    ExpectVector(scene.camera.rotation, 0, 180, 0);
    ApplyViewPreset(scene, ViewPreset::Side);
    ExpectVector(scene.camera.rotation, 0, -90, 0);
    ApplyViewPreset(scene, ViewPreset::OppositeSide);
    ExpectVector(scene.camera.rotation, 0, 90, 0);
    ExpectVector(scene.camera.position, 0, 20, -1500);
    ApplyViewPreset(scene, ViewPreset::Bottom);
    ExpectVector(scene.camera.rotation, -90, 0, 0);
    ExpectVector(scene.camera.position, 0, 0, -1500);
    EXPECT_FLOAT_EQ(scene.zoom, 250);
}

TEST(CameraNavigation, TopThenFrontEndsCentredAtTheSameDistance) {
    CCentigrade scene;
    scene.camera.position = CVector(10, 20, -1500);
    ApplyViewPreset(scene, ViewPreset::Top);
    ExpectVector(scene.camera.rotation, 90, 0, 0);
    ApplyViewPreset(scene, ViewPreset::Front);
    ExpectVector(scene.camera.position, 0, 0, -1500);
    ExpectVector(scene.camera.rotation, 0, 0, 0);
}

}  // namespace
