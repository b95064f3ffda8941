#include "view/camera_navigation.h"

#include <algorithm>

#include "scene/centigrade.h"

void ZoomBy(CCentigrade& scene, float amount) {
    scene.zoom = std::max(scene.zoom + amount, kMinimumZoom);
}

void DragZoom(CCentigrade& scene, float dx, float dy) {
    ZoomBy(scene, (dx + dy) / 10.0f);
}

void WheelZoom(CCentigrade& scene, int delta) {
    ZoomBy(scene, static_cast<float>(delta) / 10.0f);
}

void OrbitCamera(CCentigrade& scene, float dx, float dy) {
    scene.camera.rotation += CVector(dy, dx, 0);
}

void PanCamera(CCentigrade& scene, float dx, float dy) {
    scene.camera.position += CVector(dx, -dy, 0);
}

void ApplyViewPreset(CCentigrade& scene, ViewPreset preset) {
    CVector& position = scene.camera.position;
    CVector& rotation = scene.camera.rotation;
    position.x = 0;
    switch (preset) {
        case ViewPreset::Front:
            rotation = CVector(0, 0, 0);
            break;
        case ViewPreset::Back:
            rotation = CVector(0, 180, 0);
            break;
        case ViewPreset::Side:
            rotation = CVector(0, -90, 0);
            break;
        case ViewPreset::OppositeSide:
            rotation = CVector(0, 90, 0);
            break;
        case ViewPreset::Top:
            position.y = 0;
            rotation = CVector(90, 0, 0);
            break;
        case ViewPreset::Bottom:
            position.y = 0;
            rotation = CVector(-90, 0, 0);
            break;
    }
}
