#include "view/view_math.h"

#include <cmath>
#include <numbers>

#include "scene/centigrade.h"

Matrix4 Matrix4::Identity() {
    Matrix4 r;
    for (int i = 0; i < 4; ++i) {
        r.at(i, i) = 1.0;
    }
    return r;
}

std::array<float, 16> Matrix4::ToFloat() const {
    std::array<float, 16> r{};
    for (std::size_t i = 0; i < 16; ++i) {
        r[i] = static_cast<float>(m[i]);
    }
    return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += a.at(row, k) * b.at(k, column);
            }
            r.at(row, column) = sum;
        }
    }
    return r;
}

Matrix4 TranslationMatrix(double x, double y, double z) {
    Matrix4 r = Matrix4::Identity();
    r.at(0, 3) = x;
    r.at(1, 3) = y;
    r.at(2, 3) = z;
    return r;
}

// The axis-aligned cases are built directly so that their zero entries stay
// exactly zero, as in the GL implementations: about axis k, rows and columns
// i and j (the next two axes in turn) take the turn.
Matrix4 RotationMatrix(double degrees, double axisX, double axisY, double axisZ) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    Matrix4 r = Matrix4::Identity();
    const double axis[3] = {axisX, axisY, axisZ};
    for (int k = 0; k < 3; ++k) {
        const int i = (k + 1) % 3;
        const int j = (k + 2) % 3;
        if (axis[k] != 0.0 && axis[i] == 0.0 && axis[j] == 0.0) {
            const double sign = axis[k] > 0.0 ? 1.0 : -1.0;
            r.at(i, i) = c;
            r.at(i, j) = -s * sign;
            r.at(j, i) = s * sign;
            r.at(j, j) = c;
            return r;
        }
    }
    const double length = std::sqrt(axisX * axisX + axisY * axisY + axisZ * axisZ);
    if (length == 0.0) {
        return r;
    }
    const double x = axisX / length;
    const double y = axisY / length;
    const double z = axisZ / length;
    const double t = 1.0 - c;
    r.at(0, 0) = x * x * t + c;
    r.at(0, 1) = x * y * t - z * s;
    r.at(0, 2) = x * z * t + y * s;
    r.at(1, 0) = y * x * t + z * s;
    r.at(1, 1) = y * y * t + c;
    r.at(1, 2) = y * z * t - x * s;
    r.at(2, 0) = x * z * t - y * s;
    r.at(2, 1) = y * z * t + x * s;
    r.at(2, 2) = z * z * t + c;
    return r;
}

Matrix4 ScalingMatrix(double x, double y, double z) {
    Matrix4 r = Matrix4::Identity();
    r.at(0, 0) = x;
    r.at(1, 1) = y;
    r.at(2, 2) = z;
    return r;
}

Matrix4 PerspectiveMatrix(double fovY, double aspect, double zNear, double zFar) {
    const double half = fovY / 2.0 * std::numbers::pi / 180.0;
    const double cotangent = std::cos(half) / std::sin(half);
    const double depth = zFar - zNear;
    Matrix4 r;
    r.at(0, 0) = cotangent / aspect;
    r.at(1, 1) = cotangent;
    r.at(2, 2) = -(zFar + zNear) / depth;
    r.at(2, 3) = -2.0 * zNear * zFar / depth;
    r.at(3, 2) = -1.0;
    return r;
}

Matrix4 PickMatrix(double x, double y, double width, double height, const Viewport& viewport) {
    if (width <= 0.0 || height <= 0.0) {
        return Matrix4::Identity();
    }
    const double w = viewport.width;
    const double h = viewport.height;
    return TranslationMatrix((w - 2.0 * (x - viewport.x)) / width,
                             (h - 2.0 * (y - viewport.y)) / height, 0.0) *
           ScalingMatrix(w / width, h / height, 1.0);
}

ClipCoord Transform(const Matrix4& matrix, double x, double y, double z) {
    const auto& m = matrix.m;
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14], m[3] * x + m[7] * y + m[11] * z + m[15]};
}

bool InsideClipVolume(const ClipCoord& c) {
    return c.w > 0.0 && -c.w <= c.x && c.x <= c.w && -c.w <= c.y && c.y <= c.w && -c.w <= c.z &&
           c.z <= c.w;
}

WindowCoord ToWindow(const ClipCoord& c, const Viewport& viewport) {
    const double x = c.x / c.w;
    const double y = c.y / c.w;
    const double z = c.z / c.w;
    return {viewport.x + (x + 1.0) * viewport.width / 2.0,
            viewport.y + (y + 1.0) * viewport.height / 2.0, (z + 1.0) / 2.0};
}

bool ProjectToWindow(const Matrix4& modelViewProjection, const Viewport& viewport,
                     const CVector& point, WindowCoord& window) {
    const ClipCoord c = Transform(modelViewProjection, point.x, point.y, point.z);
    if (!InsideClipVolume(c)) {
        return false;
    }
    window = ToWindow(c, viewport);
    return true;
}

Viewport SceneViewport(const CCentigrade& scene) {
    return {0, 0, static_cast<int>(scene.viewWidth), static_cast<int>(scene.viewHeight)};
}

// The GL takes the scene's values as floats: the aspect ratio and the scale
// factors are formed in single precision before they reach the matrices.
Matrix4 SceneProjection(const CCentigrade& scene) {
    const float aspect = scene.viewWidth / scene.viewHeight;
    return PerspectiveMatrix(scene.fov, aspect, kNearPlane, kFarPlane);
}

Matrix4 SceneModelView(const CCentigrade& scene) {
    const CVector& position = scene.camera.position;
    const CVector& rotation = scene.camera.rotation;
    const float scale = scene.zoom / 100.0f;
    return TranslationMatrix(position.x, position.y, position.z) *
           RotationMatrix(rotation.x, 1, 0, 0) * RotationMatrix(rotation.y, 0, 1, 0) *
           RotationMatrix(rotation.z, 0, 0, 1) * ScalingMatrix(scale, scale, scale);
}

Matrix4 ManipulatorModelView(const CCentigrade& scene) {
    const float scale = 60.0f / scene.zoom;
    return SceneModelView(scene) * TranslationMatrix(scene.gizmo.x, scene.gizmo.y, scene.gizmo.z) *
           ScalingMatrix(scale, scale, scale);
}
