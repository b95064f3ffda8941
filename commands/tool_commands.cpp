// The tools of the second toolbar, the select mode of the select form, the
// element kinds a click may select, and what the 3D view shows.
#include <algorithm>

#include "commands/command_table.h"
#include "edit/gizmo.h"
#include "scene/centigrade.h"

namespace {

// Chooses the tool; the manipulator tools place their manipulator on the selection.
template <int Tool>
std::optional<Refusal> ChooseTool(CommandContext& context, const CommandArguments&) {
    context.scene.toolMode = Tool;
    if (IsManipulatorTool(Tool)) {
        UpdateGizmo(context.scene);
    }
    return std::nullopt;
}

template <int Tool>
bool ToolChosen(const CommandState& state) {
    return state.toolMode == Tool;
}

// "tool.delete_face" is the "delete face" tool.
std::string ToolName(const std::string& id) {
    std::string name = id.substr(id.find('.') + 1);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

template <int Mode>
CommandSpec Tool(std::string id, std::string text, std::string statusTip, std::string icon,
                 int group, int order) {
    std::string tip = text;
    std::string help = "choose the " + ToolName(id) + " tool";
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .toolTip = std::move(tip),
            .icon = ":/icons/" + icon + ".svg",
            .toolbar = {"tools", group, order},
            .checkable = true,
            .exclusiveGroup = "tool",
            .checked = ToolChosen<Mode>,
            .perform = ChooseTool<Mode>,
            .help = std::move(help)};
}

// The flag (a selectable or a display flag) is set to "on" when given, else flipped.
template <bool CCentigrade::*Flag>
std::optional<Refusal> SetFlag(CommandContext& context, const CommandArguments& args) {
    bool& flag = context.scene.*Flag;
    flag = args.Has("on") ? args.Bool("on") : !flag;
    return std::nullopt;
}

template <bool CommandState::*Flag>
bool FlagOn(const CommandState& state) {
    return state.*Flag;
}

// A flag of the first toolbar (with an icon) or of the display bar: the
// scene's flag and the state's copy of it.
template <bool CCentigrade::*SceneFlag, bool CommandState::*StateFlag>
CommandSpec Toggle(std::string id, std::string text, std::string statusTip, std::string toolTip,
                   std::string icon, int order, std::string help) {
    return {
        .id = std::move(id),
        .text = std::move(text),
        .statusTip = std::move(statusTip),
        .toolTip = std::move(toolTip),
        .icon = icon.empty() ? std::string() : ":/icons/" + icon + ".svg",
        .toolbar = {icon.empty() ? "" : "standard", 2, order},
        .checkable = true,
        .params = {Optional("on", ParamKind::Bool, "the new value; left out, the flag is flipped")},
        .checked = FlagOn<StateFlag>,
        .perform = SetFlag<SceneFlag>,
        .help = std::move(help)};
}

std::optional<Refusal> ChooseSelectMode(CommandContext& context, const CommandArguments& args) {
    context.scene.selectMode = args.Choice("mode");
    return std::nullopt;
}

const CommandRegistration kToolCommands{{
    Tool<ToolSelect>("tool.select", "選択", "選択", "select", 0, 0),
    Tool<ToolRangeSelect>("tool.range", "範囲選択", "範囲選択", "range", 0, 1),
    Tool<ToolMove>("tool.move", "平行移動", "選択部を平行移動する", "move", 1, 0),
    Tool<ToolRotate>("tool.rotate", "回転", "選択部を回転する", "rotate", 1, 1),
    Tool<ToolScale>("tool.scale", "スケーリング", "選択部を拡大・縮小する", "scale", 1, 2),
    Tool<ToolPaintMaterial>("tool.paint", "材質塗り", "現在の材質で面を塗る", "paint", 2, 0),
    Tool<ToolDeleteFace>("tool.delete_face", "面削除", "クリックした面を削除する", "deleteface", 2,
                         1),
    {.id = "select.mode",
     .text = "選択モード",
     .statusTip = "クリックで選択するもの",
     .params = {ChoiceOf("mode", {"normal", "connected", "belt", "object", "brush"}, std::nullopt,
                         "what a click of the select tool selects")},
     .perform = ChooseSelectMode,
     .help = "choose the select tool's mode"},
    Toggle<&CCentigrade::vertexSelectable, &CommandState::vertexSelectable>(
        "selectable.vertices", "頂点選択可", "頂点を選択可能に", "頂点選択可", "vertex", 0,
        "let clicks select vertices"),
    Toggle<&CCentigrade::edgeSelectable, &CommandState::edgeSelectable>(
        "selectable.edges", "辺選択可", "辺を選択可能に", "辺選択可", "edge", 1,
        "let clicks select edges"),
    Toggle<&CCentigrade::faceSelectable, &CommandState::faceSelectable>(
        "selectable.faces", "面選択可", "面を選択可能に", "面選択可", "face", 2,
        "let clicks select faces"),
    Toggle<&CCentigrade::showVertices, &CommandState::showVertices>(
        "display.vertices", "点", "点を表示", "点を表示", "", 0, "show the vertices"),
    Toggle<&CCentigrade::showEdges, &CommandState::showEdges>("display.edges", "辺", "辺を表示",
                                                              "辺を表示", "", 1, "show the edges"),
    Toggle<&CCentigrade::showFaces, &CommandState::showFaces>("display.faces", "面", "面を表示",
                                                              "面を表示", "", 2, "show the faces"),
    Toggle<&CCentigrade::showAxis, &CommandState::showAxis>("display.axis", "軸", "軸を表示",
                                                            "軸を表示", "", 3, "show the axes"),
}};

}  // namespace
