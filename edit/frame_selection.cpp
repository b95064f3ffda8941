#include "edit/frame_selection.h"

#include "edit/gizmo.h"
#include "scene/centigrade.h"
#include "view/scene_framing.h"

// The marks of the affected vertices are up to date after every pick and
// selection command (UpdateGizmo), as the manipulator relies on them.
bool FrameSelection(CCentigrade& scene, double margin) {
    CVector min;
    CVector max;
    if (!AffectedBounds(scene, min, max)) {
        return false;
    }
    FrameBox(scene, min, max, margin);
    return true;
}
