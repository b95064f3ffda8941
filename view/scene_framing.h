// Frames the whole scene: zooms and pans the camera so that every visible
// object fits in the view, keeping the viewing direction and the camera's
// distance. A document made elsewhere often lies far outside the default
// camera; the view's command and the render command share this.
#pragma once

class CCentigrade;
class CVector;

// Fills `margin` of the view's smaller extent at most; nothing changes when
// no visible object has vertices.
void FrameWholeScene(CCentigrade& scene, double margin = 0.9);

// Frames the axis-aligned box from `min` to `max` (object coordinates) the same way.
void FrameBox(CCentigrade& scene, const CVector& min, const CVector& max, double margin = 0.9);
