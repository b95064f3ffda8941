// The manipulator's place and visibility, which a move drag carries along and
// the face tools recompute. Restored by a step only when its edit changed them,
// so undoing an unrelated step never moves the manipulator off the selection.
#pragma once

#include "scene/vector.h"

class CCentigrade;

struct ManipulatorState {
    CVector gizmo;
    bool showGizmo = false;

    static ManipulatorState Of(const CCentigrade& scene);
    friend bool operator==(const ManipulatorState& a, const ManipulatorState& b);
};

class ManipulatorChange {
public:
    explicit ManipulatorChange(const CCentigrade& before);
    void Finish(const CCentigrade& after);
    bool Changed() const { return !(before_ == after_); }
    void Restore(CCentigrade& scene, bool toAfter) const;

private:
    ManipulatorState before_;
    ManipulatorState after_;
};
