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

CommandSpec Tool(std::string id, std::string text, std::string statusTip, std::string icon,
                 int group, int order, PerformFunction perform, CheckedRule checked) {
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
            .checked = checked,
            .perform = perform,
            .help = std::move(help)};
}

// The flag (a selectable or a display flag) is set to "on" when given, else flipped.
template <bool CCentigrade::*Flag>
std::optional<Refusal> SetFlag(CommandContext& context, const CommandArguments& args) {
    bool& flag = context.scene.*Flag;
    flag = args.Has("on") ? args.Bool("on") : !flag;
    return std::nullopt;
}

ParamSpec OnParam() {
    return Optional("on", ParamKind::Bool, "the new value; left out, the flag is flipped");
}

// A flag of the first toolbar (with an icon) or of the display bar.
CommandSpec Toggle(std::string id, std::string text, std::string statusTip, std::string toolTip,
                   std::string icon, int order, PerformFunction perform, CheckedRule checked,
                   std::string help) {
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .toolTip = std::move(toolTip),
            .icon = icon.empty() ? std::string() : ":/icons/" + icon + ".svg",
            .toolbar = {icon.empty() ? "" : "standard", 2, order},
            .checkable = true,
            .params = {OnParam()},
            .checked = checked,
            .perform = perform,
            .help = std::move(help)};
}

std::optional<Refusal> ChooseSelectMode(CommandContext& context, const CommandArguments& args) {
    context.scene.selectMode = args.Choice("mode");
    return std::nullopt;
}

const CommandRegistration kToolCommands{{
    Tool("tool.select", "選択", "選択", "select", 0, 0, ChooseTool<ToolSelect>,
         ToolChosen<ToolSelect>),
    Tool("tool.range", "範囲選択", "範囲選択", "range", 0, 1, ChooseTool<ToolRangeSelect>,
         ToolChosen<ToolRangeSelect>),
    Tool("tool.move", "平行移動", "選択部を平行移動する", "move", 1, 0, ChooseTool<ToolMove>,
         ToolChosen<ToolMove>),
    Tool("tool.rotate", "回転", "選択部を回転する", "rotate", 1, 1, ChooseTool<ToolRotate>,
         ToolChosen<ToolRotate>),
    Tool("tool.scale", "スケーリング", "選択部を拡大・縮小する", "scale", 1, 2,
         ChooseTool<ToolScale>, ToolChosen<ToolScale>),
    Tool("tool.paint", "材質塗り", "現在の材質で面を塗る", "paint", 2, 0,
         ChooseTool<ToolPaintMaterial>, ToolChosen<ToolPaintMaterial>),
    Tool("tool.delete_face", "面削除", "クリックした面を削除する", "deleteface", 2, 1,
         ChooseTool<ToolDeleteFace>, ToolChosen<ToolDeleteFace>),
    {.id = "select.mode",
     .text = "選択モード",
     .statusTip = "クリックで選択するもの",
     .params = {ChoiceOf("mode", {"normal", "connected", "belt", "object", "brush"}, std::nullopt,
                         "what a click of the select tool selects")},
     .perform = ChooseSelectMode,
     .help = "choose the select tool's mode"},
    Toggle(
        "selectable.vertices", "頂点選択可", "頂点を選択可能に", "頂点選択可", "vertex", 0,
        SetFlag<&CCentigrade::vertexSelectable>,
        [](const CommandState& s) { return s.vertexSelectable; }, "let clicks select vertices"),
    Toggle(
        "selectable.edges", "辺選択可", "辺を選択可能に", "辺選択可", "edge", 1,
        SetFlag<&CCentigrade::edgeSelectable>,
        [](const CommandState& s) { return s.edgeSelectable; }, "let clicks select edges"),
    Toggle(
        "selectable.faces", "面選択可", "面を選択可能に", "面選択可", "face", 2,
        SetFlag<&CCentigrade::faceSelectable>,
        [](const CommandState& s) { return s.faceSelectable; }, "let clicks select faces"),
    Toggle(
        "display.vertices", "点", "点を表示", "点を表示", "", 0,
        SetFlag<&CCentigrade::showVertices>, [](const CommandState& s) { return s.showVertices; },
        "show the vertices"),
    Toggle(
        "display.edges", "辺", "辺を表示", "辺を表示", "", 1, SetFlag<&CCentigrade::showEdges>,
        [](const CommandState& s) { return s.showEdges; }, "show the edges"),
    Toggle(
        "display.faces", "面", "面を表示", "面を表示", "", 2, SetFlag<&CCentigrade::showFaces>,
        [](const CommandState& s) { return s.showFaces; }, "show the faces"),
    Toggle(
        "display.axis", "軸", "軸を表示", "軸を表示", "", 3, SetFlag<&CCentigrade::showAxis>,
        [](const CommandState& s) { return s.showAxis; }, "show the axes"),
}};

}  // namespace
