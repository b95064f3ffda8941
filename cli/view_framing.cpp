#include "cli/view_framing.h"

#include <utility>

#include "scene/centigrade.h"
#include "view/camera_navigation.h"

bool SetNamedView(CCentigrade& scene, std::string_view name) {
    static constexpr std::pair<std::string_view, ViewPreset> kPresets[] = {
        {"front", ViewPreset::Front}, {"back", ViewPreset::Back},
        {"side", ViewPreset::Side},   {"opposite", ViewPreset::OppositeSide},
        {"top", ViewPreset::Top},     {"bottom", ViewPreset::Bottom},
    };
    for (const auto& [presetName, preset] : kPresets) {
        if (name == presetName) {
            ApplyViewPreset(scene, preset);
            return true;
        }
    }
    if (name == "iso") {
        ApplyViewPreset(scene, ViewPreset::Front);
        scene.camera.rotation = CVector(35.264f, -45.0f, 0.0f);
        return true;
    }
    return name == "document";
}
