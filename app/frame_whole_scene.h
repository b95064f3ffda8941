// "全体を表示": zooms and pans the camera so that every visible object fits
// in the view, keeping the viewing direction and the camera's distance.
// A document made elsewhere often lies far outside the default camera.
#pragma once

class CCentigrade;

// Fills `margin` of the view's smaller extent at most; nothing changes when
// no visible object has vertices.
void FrameWholeScene(CCentigrade& scene, double margin = 0.9);
