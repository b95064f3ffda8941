// How the mouse and the view presets change the camera fields of the scene.
// The camera has no target: orbiting turns the scene about its origin,
// panning shifts it in the screen plane, zooming scales it.
#pragma once

class CCentigrade;

// `zoom` never goes below this percentage.
inline constexpr float kMinimumZoom = 1.0f;

// zoom += amount, raised to kMinimumZoom when below.
void ZoomBy(CCentigrade& scene, float amount);
// Both buttons dragged by (dx, dy) pixels: right and down enlarge.
void DragZoom(CCentigrade& scene, float dx, float dy);
// The wheel turned by `delta` (120 per notch, positive away from the user).
void WheelZoom(CCentigrade& scene, int delta);
// One degree of pitch per pixel of vertical motion, one of yaw per horizontal pixel.
void OrbitCamera(CCentigrade& scene, float dx, float dy);
// One eye-space unit per pixel, whatever the zoom; the scene follows the pointer.
void PanCamera(CCentigrade& scene, float dx, float dy);

enum class ViewPreset { Front, Back, Side, OppositeSide, Top, Bottom };

// Turns the camera to a preset, keeping its distance and, except for the top
// and bottom views, its vertical offset; the zoom stays.
void ApplyViewPreset(CCentigrade& scene, ViewPreset preset);
