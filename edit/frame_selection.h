// Frames the selection in the view, as 全体を表示 frames the whole scene.
#pragma once

class CCentigrade;

// Zooms and pans the camera (keeping its direction and distance) so that the
// bounding box of the affected vertices of the editable objects (what the
// manipulator surrounds) fills `margin` of the view. A selection of one point
// is centred at the present zoom. False, changing nothing, when nothing is
// selected.
bool FrameSelection(CCentigrade& scene, double margin = 0.9);
