// The camera presets of the function keys and the framing of the whole
// scene. The camera is stored with the document but its changes are not
// steps of the history.
#include "commands/command_table.h"
#include "view/camera_navigation.h"
#include "view/scene_framing.h"

namespace {

template <ViewPreset Preset>
std::optional<Refusal> TurnTo(CommandContext& context, const CommandArguments&) {
    ApplyViewPreset(context.scene, Preset);
    return std::nullopt;
}

std::optional<Refusal> FrameAll(CommandContext& context, const CommandArguments&) {
    FrameWholeScene(context.scene);
    return std::nullopt;
}

// The presets are the third group of the view menu.
CommandSpec Preset(std::string id, std::string text, std::string shortcut, int order,
                   PerformFunction perform, std::string help) {
    std::string statusTip = text + "から見る";
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .shortcuts = {std::move(shortcut)},
            .menu = {"view", 2, order},
            .perform = perform,
            .help = std::move(help)};
}

const CommandRegistration kViewCommands{{
    Preset("view.front", "正面", "F3", 0, TurnTo<ViewPreset::Front>, "look at the front"),
    Preset("view.back", "背面", "Shift+F3", 1, TurnTo<ViewPreset::Back>, "look at the back"),
    Preset("view.side", "側面", "F1", 2, TurnTo<ViewPreset::Side>, "look at the side"),
    Preset("view.opposite", "反対側面", "Shift+F1", 3, TurnTo<ViewPreset::OppositeSide>,
           "look at the opposite side"),
    Preset("view.top", "上面", "F2", 4, TurnTo<ViewPreset::Top>, "look from the top"),
    Preset("view.bottom", "底面", "Shift+F2", 5, TurnTo<ViewPreset::Bottom>,
           "look from the bottom"),
    {.id = "view.frame_all",
     .text = "全体を表示",
     .statusTip = "全てのオブジェクトが収まるように表示する",
     .shortcuts = {"Home"},
     .menu = {"view", 1, 0},
     .perform = FrameAll,
     .help = "zoom and pan so every visible object fits"},
}};

}  // namespace
