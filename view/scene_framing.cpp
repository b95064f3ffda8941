#include "view/scene_framing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "scene/centigrade.h"
#include "view/camera_navigation.h"
#include "view/view_math.h"

namespace {

constexpr double kDefaultDistance = 2000.0;

Matrix4 CameraTurn(const CCentigrade& scene) {
    const CVector& r = scene.camera.rotation;
    return RotationMatrix(r.x, 1, 0, 0) * RotationMatrix(r.y, 0, 1, 0) *
           RotationMatrix(r.z, 0, 0, 1);
}

// Every vertex of a visible object that a face uses, turned as the camera
// turns it, before zoom and pan.
std::vector<ClipCoord> TurnedVertices(const CCentigrade& scene) {
    const Matrix4 turn = CameraTurn(scene);
    std::vector<ClipCoord> turned;
    for (const CModel& model : scene.models) {
        if (model.IsHidden()) {
            continue;
        }
        for (const CVector& v : model.vertices) {
            if (v.used) {
                turned.push_back(Transform(turn, v.x, v.y, v.z));
            }
        }
    }
    return turned;
}

// Zooms and pans so that the points (turned by the camera) fit.
void FrameTurned(CCentigrade& scene, const std::vector<ClipCoord>& points, double margin) {
    if (points.empty()) {
        return;
    }
    double minX = std::numeric_limits<double>::max(), maxX = -minX;
    double minY = minX, maxY = -minX;
    for (const ClipCoord& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double centreX = (minX + maxX) / 2;
    const double centreY = (minY + maxY) / 2;

    double distance = -scene.camera.position.z;
    if (distance <= kNearPlane * 2 || distance >= kFarPlane) {
        distance = kDefaultDistance;
    }
    const double aspect =
        scene.viewHeight > 0 && scene.viewWidth > 0 ? scene.viewWidth / scene.viewHeight : 1.0;
    const double tangent = std::tan(scene.fov / 2.0 * std::numbers::pi / 180.0) * margin;

    // With the centre on the axis, a point at depth distance − s·z stays inside
    // when s·(|offset| + tangent·z) ≤ tangent·distance, for x (times the aspect)
    // and y; the nearest and farthest points also bound s by the depth planes.
    double scale = std::numeric_limits<double>::max();
    const auto bound = [&scale](double numerator, double denominator) {
        if (denominator > 0) {
            scale = std::min(scale, numerator / denominator);
        }
    };
    for (const ClipCoord& p : points) {
        bound(tangent * aspect * distance, std::abs(p.x - centreX) + tangent * aspect * p.z);
        bound(tangent * distance, std::abs(p.y - centreY) + tangent * p.z);
        bound(distance - kNearPlane * 1.05, p.z);
        bound(kFarPlane * 0.95 - distance, -p.z);
    }
    if (scale == std::numeric_limits<double>::max()) {
        return;
    }
    // Points without extent across the view (one vertex) bound the zoom only
    // by the depth planes: they are centred at the zoom the view has.
    if (minX == maxX && minY == maxY) {
        scale = scene.zoom / 100.0;
    }
    scene.zoom = std::max(static_cast<float>(scale * 100.0), kMinimumZoom);
    const double applied = scene.zoom / 100.0;
    scene.camera.position =
        CVector(static_cast<float>(-centreX * applied), static_cast<float>(-centreY * applied),
                static_cast<float>(-distance));
}

}  // namespace

void FrameWholeScene(CCentigrade& scene, double margin) {
    FrameTurned(scene, TurnedVertices(scene), margin);
}

void FrameBox(CCentigrade& scene, const CVector& min, const CVector& max, double margin) {
    const Matrix4 turn = CameraTurn(scene);
    std::vector<ClipCoord> corners;
    for (int corner = 0; corner < 8; ++corner) {
        corners.push_back(Transform(turn, corner & 1 ? max.x : min.x, corner & 2 ? max.y : min.y,
                                    corner & 4 ? max.z : min.z));
    }
    FrameTurned(scene, corners, margin);
}
