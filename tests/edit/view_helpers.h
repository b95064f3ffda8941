// Scenes set up for clicking at known places in an 800 × 600 view.
#pragma once

#include "scene/centigrade.h"
#include "view/view_math.h"

struct ClientPoint {
    int x = 0;
    int y = 0;
};

// `model` as object 0, seen from straight above (+y towards the eye) at the
// default distance, with the select tool.
CCentigrade TopViewScene(CModel model);

// The window position of an object point (y up).
WindowCoord WindowOf(const CCentigrade& scene, const CVector& point);
// The nearest client pixel (y down) to an object point, shifted by (dx, dy).
ClientPoint ClientOf(const CCentigrade& scene, const CVector& point, int dx = 0, int dy = 0);
