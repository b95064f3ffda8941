// Hiding faces and showing them again, framing the selection, and the
// see-through range selection of the 選択 menu. Hidden faces and the camera
// are no steps of the history, and a document does not keep which faces are
// hidden. The edit functions place the manipulator on what stays selected.
#include "commands/command_table.h"
#include "commands/scene_perform.h"
#include "commands/targets.h"
#include "edit/frame_selection.h"
#include "edit/hide.h"
#include "scene/centigrade.h"

namespace {

std::optional<Reason> AnySelected(const CommandState& state) {
    return state.selected.Any() ? std::nullopt : std::optional(Reason::NothingSelected);
}

// Every selected element counts in the state, so the rule has already refused
// an empty selection; only an uneditable object's selection is left to frame.
std::optional<Refusal> FrameSelected(CommandContext& context, const CommandArguments&) {
    if (!FrameSelection(context.scene)) {
        return Refusal{Reason::NothingSelected, "of an editable object"};
    }
    return std::nullopt;
}

std::optional<Refusal> SetXray(CommandContext& context, const CommandArguments& args) {
    bool& xray = context.scene.xray;
    xray = args.Has("on") ? args.Bool("on") : !xray;
    return std::nullopt;
}

bool XrayOn(const CommandState& state) {
    return state.xray;
}

CommandSpec HideCommand(std::string id, std::string text, std::string statusTip,
                        std::string shortcut, int order, PerformFunction perform,
                        std::string help) {
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .shortcuts = {std::move(shortcut)},
            .menu = {"select", 3, order},
            .enabled = AnyEditableObject,
            .perform = perform,
            .help = std::move(help)};
}

const CommandRegistration kHideCommands{{
    HideCommand("view.hide", "隠す", "選択された面を隠す", "H", 0,
                OnScene<HideSelected>, "hide the selected faces"),
    HideCommand("view.hide_others", "選択以外を隠す", "選択されていない面を隠す", "Shift+H", 1,
                OnScene<HideUnselected>, "hide the faces that are not selected"),
    HideCommand("view.reveal", "すべて表示", "隠した面を全て表示して選択する", "Ctrl+Shift+H", 2,
                OnScene<RevealHidden>, "show every hidden face again and select it"),
    {.id = "view.frame_selected",
     .text = "選択部分を表示",
     .statusTip = "選択部が収まるように表示する",
     .shortcuts = {"Num+."},
     .menu = {"select", 4, 0},
     .enabled = AnySelected,
     .perform = FrameSelected,
     .help = "zoom and pan so the selection fills the view"},
    {.id = "view.xray",
     .text = "透過選択",
     .statusTip = "面を半透明に描き、奥の辺と頂点を透かして見せる",
     .shortcuts = {"Alt+Z"},
     .menu = {"select", 4, 1},
     .checkable = true,
     .params = {Optional("on", ParamKind::Bool, "the new value; left out, the flag is flipped")},
     .checked = XrayOn,
     .perform = SetXray,
     .help = "draw faces half-transparent so what lies behind them shows"},
}};

}  // namespace
