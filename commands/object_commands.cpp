// The object list and form: the current object, its name, smoothing angle
// and mirror axis (steps of the history), its visibility and lock (not).
#include "commands/command_table.h"
#include "commands/object_edits.h"
#include "commands/targets.h"
#include "scene/centigrade.h"

namespace {

// Runs edit(object index) on the named object.
template <typename Edit>
std::optional<Refusal> OnObject(CommandContext& context, const CommandArguments& args, Edit edit) {
    return OnTarget(NamedObject(context.scene, args, "object", false), edit);
}

std::optional<Refusal> Choose(CommandContext& context, const CommandArguments& args) {
    return MakeCurrent(context.scene.currentModel, args, "object", context.scene.models.size(),
                       "objects", Reason::NoSuchObject);
}

// What a double-click in the object list does: the object becomes current
// and its form is shown.
std::optional<Refusal> ShowProperties(CommandContext& context, const CommandArguments& args) {
    return OnObject(context, args, [&](std::size_t object) {
        context.scene.currentModel = static_cast<int>(object);
        context.scene.toolMode = ToolObjectForm;
        return std::nullopt;
    });
}

std::optional<Refusal> Rename(CommandContext& context, const CommandArguments& args) {
    return OnObject(context, args, [&](std::size_t index) {
        return OnTarget(SceneName(args, "name"), [&](std::string name) {
            RenameObject(context.history, context.scene, index, std::move(name));
            return std::nullopt;
        });
    });
}

std::optional<Refusal> Smoothing(CommandContext& context, const CommandArguments& args) {
    return OnObject(context, args, [&](std::size_t object) {
        SetSmoothingAngle(context.history, context.scene, object, args.Float("degrees"));
        return std::nullopt;
    });
}

std::optional<Refusal> MirrorAxis(CommandContext& context, const CommandArguments& args) {
    return OnObject(context, args, [&](std::size_t object) {
        SetMirrorAxis(context.history, context.scene, object, args.Int("axis"));
        return std::nullopt;
    });
}

// Visible: state 0 or 1. Locked: state 1 or 2 (a hidden object keeps its lock).
bool IsVisible(int state) {
    return state <= 1;
}
bool IsLocked(int state) {
    return state == 1 || state == 2;
}

// Presses the state button unless the object already is as `value` asks.
template <StateButton Button>
std::optional<Refusal> PressState(CommandContext& context, const CommandArguments& args) {
    constexpr bool kVisibility = Button == StateButton::Visibility;
    const char* name = kVisibility ? "visible" : "locked";
    return OnObject(context, args, [&](std::size_t object) {
        const int state = context.scene.models[object].state;
        const bool now = kVisibility ? IsVisible(state) : IsLocked(state);
        if (!args.Has(name) || args.Bool(name) != now) {
            SetObjectState(context.scene, object, ToggledState(state, Button));
        }
        return std::nullopt;
    });
}

const CommandRegistration kObjectCommands{{
    CurrentCommand("object.current", "現在の物体", "物体を選ぶ", "object", Choose,
                   "make an object current"),
    RecordCommand("object.properties", "物体のプロパティ", "物体のプロパティを表示する",
                  {ObjectParam()}, AnyObject, ShowProperties,
                  "make an object current and show its form"),
    RecordCommand("object.rename", "物体名", "物体の名前を変える",
                  {ObjectParam(), Required("name", ParamKind::Text, "the new name")}, AnyObject,
                  Rename, "rename an object"),
    RecordCommand("object.smoothing", "スムージング角度", "物体のスムージング角度を変える",
                  {ObjectParam(), Required("degrees", ParamKind::Float,
                                           "faces meeting at a smaller angle are shaded smoothly")},
                  AnyObject, Smoothing, "set an object's smoothing angle"),
    RecordCommand("object.mirror_axis", "ミラー軸", "物体のミラー軸を変える",
                  {ObjectParam(),
                   Required("axis", ParamKind::Int, "1 x, 2 y, 4 z, or their sum").Between(0, 7)},
                  AnyObject, MirrorAxis, "set an object's mirror axes"),
    RecordCommand(
        "object.visibility", "表示", "物体の表示・非表示を切り替える",
        {ObjectParam(), Optional("visible", ParamKind::Bool, "the new value; left out, it flips")},
        AnyObject, PressState<StateButton::Visibility>, "show or hide an object"),
    RecordCommand(
        "object.lock", "ロック", "物体のロックを切り替える",
        {ObjectParam(), Optional("locked", ParamKind::Bool, "the new value; left out, it flips")},
        AnyObject, PressState<StateButton::Lock>, "lock or unlock an object"),
}};

}  // namespace
