#include "history/manipulator_state.h"

#include <bit>
#include <cstdint>

#include "scene/centigrade.h"

namespace {

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

}  // namespace

ManipulatorState ManipulatorState::Of(const CCentigrade& scene) {
    return {scene.gizmo, scene.showGizmo};
}

bool operator==(const ManipulatorState& a, const ManipulatorState& b) {
    return SameBits(a.gizmo.x, b.gizmo.x) && SameBits(a.gizmo.y, b.gizmo.y) &&
           SameBits(a.gizmo.z, b.gizmo.z) && a.gizmo.selected == b.gizmo.selected &&
           a.gizmo.mark == b.gizmo.mark && a.gizmo.used == b.gizmo.used &&
           a.showGizmo == b.showGizmo;
}

ManipulatorChange::ManipulatorChange(const CCentigrade& before)
    : before_(ManipulatorState::Of(before)), after_(before_) {}

void ManipulatorChange::Finish(const CCentigrade& after) {
    after_ = ManipulatorState::Of(after);
}

void ManipulatorChange::Restore(CCentigrade& scene, bool toAfter) const {
    if (!Changed()) {
        return;
    }
    const ManipulatorState& state = toAfter ? after_ : before_;
    scene.gizmo = state.gizmo;
    scene.showGizmo = state.showGizmo;
}
