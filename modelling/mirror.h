// edit.mirror: the selected faces reflected across a plane.
#pragma once

#include "edit/typed_values.h"
#include "modelling/modelling_result.h"
#include "scene/vector.h"

class CCentigrade;
class PriorState;

struct MirrorOptions {
    Axis axis = Axis::X;  // the plane's normal
    CVector centre;       // a point of the plane: the manipulator's place
    bool copy = true;
    bool weld = true;
};

// Reflects the selected faces of the current object across the plane
// through `centre` normal to `axis`, reversing their corner order so that
// they are still seen from outside.
//
// As a copy: reflected copies of the faces and of the vertices they use are
// appended and become the selection (nothing else stays selected). With
// `weld`, a vertex within a hundred-thousandth of the selection's size of
// the plane is put on it and shared by the copy, and a face lying wholly on
// the plane gets no copy. In place: the vertices the faces use (and so the
// faces sharing them) move to their reflections; the selection stays.
ModellingResult MirrorFaces(CCentigrade& scene, const MirrorOptions& options,
                            PriorState* prior = nullptr);
