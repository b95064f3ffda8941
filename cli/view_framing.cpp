#include "cli/view_framing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "view/view_math.h"
#include "view/camera_navigation.h"
#include "scene/centigrade.h"

namespace {

// Part of the view's height (and width) the scene may fill.
constexpr double kFill = 0.85;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool SetNamedView(CCentigrade& scene, std::string_view name) {
    static constexpr std::pair<std::string_view, ViewPreset> kPresets[] = {
        {"front", ViewPreset::Front}, {"back", ViewPreset::Back},
        {"side", ViewPreset::Side},   {"opposite", ViewPreset::OppositeSide},
        {"top", ViewPreset::Top},     {"bottom", ViewPreset::Bottom},
    };
    for (const auto& [presetName, preset] : kPresets) {
        if (name == presetName) {
            ApplyViewPreset(scene, preset);
            return true;
        }
    }
    if (name == "iso") {
        ApplyViewPreset(scene, ViewPreset::Front);
        scene.camera.rotation = CVector(35.264f, -45.0f, 0.0f);
        return true;
    }
    return name == "document";
}

// With the zoom s, the camera offset p and a point q turned by the camera,
// the eye sees p + s·q. The scene is centred on x and y, and s is the largest
// that keeps every point inside the fill part of the frustum.
void FrameScene(CCentigrade& scene) {
    if (scene.camera.position.z > -2 * kNearPlane) {
        scene.camera.position.z = -2000.0f;
    }
    CCentigrade turned;
    turned.camera.rotation = scene.camera.rotation;
    turned.camera.position = CVector(0, 0, 0);
    turned.zoom = 100.0f;
    const Matrix4 rotation = SceneModelView(turned);
    double low[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                     std::numeric_limits<double>::max()};
    double high[3] = {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
                      std::numeric_limits<double>::lowest()};
    bool any = false;
    for (const CModel& m : scene.models) {
        if (m.state >= 2) {
            continue;
        }
        for (const CVector& v : m.vertices) {
            if (!v.used || !std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
                continue;
            }
            const ClipCoord q = Transform(rotation, v.x, v.y, v.z);
            const double xyz[3] = {q.x, q.y, q.z};
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], xyz[k]);
                high[k] = std::max(high[k], xyz[k]);
            }
            any = true;
        }
    }
    if (!any) {
        return;
    }
    const double distance = -static_cast<double>(scene.camera.position.z);
    const double halfHeight = kFill * std::tan(scene.fov / 2.0 * kPi / 180.0);
    const double aspect =
        scene.viewHeight > 0 ? static_cast<double>(scene.viewWidth / scene.viewHeight) : 1.0;
    const double extentX = (high[0] - low[0]) / 2;
    const double extentY = (high[1] - low[1]) / 2;
    // s·extent ≤ k·(distance − s·nearest): the nearest point sets the frustum's width.
    const auto fit = [&](double extent, double k) {
        return k * distance / std::max(extent + k * std::max(high[2], 0.0), 1e-9);
    };
    const double s = std::min(fit(extentY, halfHeight), fit(extentX, halfHeight * aspect));
    scene.zoom = std::max(kMinimumZoom, static_cast<float>(100.0 * s));
    const double applied = scene.zoom / 100.0;
    scene.camera.position.x = static_cast<float>(-applied * (low[0] + high[0]) / 2);
    scene.camera.position.y = static_cast<float>(-applied * (low[1] + high[1]) / 2);
}
