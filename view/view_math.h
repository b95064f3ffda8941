// The transforms of the 3D view, computed without the GL so that drawing and
// picking share them: the renderer loads these matrices as they are, and the
// pick test projects with the very same ones, so what is hit is what is seen.
#pragma once

#include <array>
#include <cstddef>

class CCentigrade;
class CVector;

// A 4 × 4 matrix stored column by column, the layout glLoadMatrix expects:
// the element in row r and column c is m[c * 4 + r].
struct Matrix4 {
    static Matrix4 Identity();

    double& at(int row, int column) { return m[static_cast<std::size_t>(column * 4 + row)]; }
    double at(int row, int column) const { return m[static_cast<std::size_t>(column * 4 + row)]; }
    // For glLoadMatrixf.
    std::array<float, 16> ToFloat() const;

    std::array<double, 16> m{};
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

// A point in homogeneous clip coordinates.
struct ClipCoord {
    double x = 0;
    double y = 0;
    double z = 0;
    double w = 1;
};

// Window coordinates: x and y in pixels with y growing upwards, z in the depth
// range 0 (near) to 1 (far).
struct WindowCoord {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The matrices that glTranslate, glRotate (degrees, about an axis through the
// origin), glScale, gluPerspective and gluPickMatrix multiply onto the current one.
Matrix4 TranslationMatrix(double x, double y, double z);
Matrix4 RotationMatrix(double degrees, double axisX, double axisY, double axisZ);
Matrix4 ScalingMatrix(double x, double y, double z);
Matrix4 PerspectiveMatrix(double fovY, double aspect, double zNear, double zFar);
// A pick window without area leaves the projection unchanged, as in GLU.
Matrix4 PickMatrix(double x, double y, double width, double height, const Viewport& viewport);

ClipCoord Transform(const Matrix4& matrix, double x, double y, double z);
// Inside or on the boundary of -w <= x, y, z <= w.
bool InsideClipVolume(const ClipCoord& c);
// Perspective division, viewport mapping and the depth range 0 to 1.
WindowCoord ToWindow(const ClipCoord& c, const Viewport& viewport);
// The whole vertex pipeline for one point; false when the point is clipped away.
bool ProjectToWindow(const Matrix4& modelViewProjection, const Viewport& viewport,
                     const CVector& point, WindowCoord& window);

// Fixed depth planes of the view.
constexpr double kNearPlane = 100.0;
constexpr double kFarPlane = 10000.0;

// The transforms of the frame as the scene's fields set them.
Viewport SceneViewport(const CCentigrade& scene);
// Perspective with `fov`, aspect viewWidth / viewHeight and the fixed planes.
Matrix4 SceneProjection(const CCentigrade& scene);
// Camera translation, rotation x, y, z, then the zoom scale.
Matrix4 SceneModelView(const CCentigrade& scene);
// The scene model-view followed by the manipulator's place and its scale 60 / zoom,
// which keeps it the same size on screen at every zoom.
Matrix4 ManipulatorModelView(const CCentigrade& scene);
