// The object list and form: the current object, its name, smoothing angle
// and mirror axis (steps of the history), its visibility and lock (not).
#include <climits>

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

// -1 makes no object current.
std::optional<Refusal> MakeCurrent(CommandContext& context, const CommandArguments& args) {
    const int index = args.Int("object");
    if (index >= static_cast<int>(context.scene.models.size())) {
        return Refusal{Reason::NoSuchObject,
                       "object: " + std::to_string(index) + ", but the scene has " +
                           std::to_string(context.scene.models.size()) + " objects"};
    }
    context.scene.currentModel = index;
    return std::nullopt;
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
    {.id = "object.current",
     .text = "現在の物体",
     .statusTip = "物体を選ぶ",
     .params = {Required("object", ParamKind::Int, "the object's index; -1 for none")
                    .Between(-1, INT_MAX)},
     .perform = MakeCurrent,
     .help = "make an object current"},
    {.id = "object.properties",
     .text = "物体のプロパティ",
     .statusTip = "物体のプロパティを表示する",
     .params = {ObjectParam()},
     .enabled = AnyObject,
     .perform = ShowProperties,
     .help = "make an object current and show its form"},
    {.id = "object.rename",
     .text = "物体名",
     .statusTip = "物体の名前を変える",
     .params = {ObjectParam(), Required("name", ParamKind::Text, "the new name")},
     .enabled = AnyObject,
     .perform = Rename,
     .help = "rename an object"},
    {.id = "object.smoothing",
     .text = "スムージング角度",
     .statusTip = "物体のスムージング角度を変える",
     .params = {ObjectParam(), Required("degrees", ParamKind::Float,
                                        "faces meeting at a smaller angle are shaded smoothly")},
     .enabled = AnyObject,
     .perform = Smoothing,
     .help = "set an object's smoothing angle"},
    {.id = "object.mirror_axis",
     .text = "ミラー軸",
     .statusTip = "物体のミラー軸を変える",
     .params = {ObjectParam(),
                Required("axis", ParamKind::Int, "1 x, 2 y, 4 z, or their sum").Between(0, 7)},
     .enabled = AnyObject,
     .perform = MirrorAxis,
     .help = "set an object's mirror axes"},
    {.id = "object.visibility",
     .text = "表示",
     .statusTip = "物体の表示・非表示を切り替える",
     .params = {ObjectParam(),
                Optional("visible", ParamKind::Bool, "the new value; left out, it flips")},
     .enabled = AnyObject,
     .perform = PressState<StateButton::Visibility>,
     .help = "show or hide an object"},
    {.id = "object.lock",
     .text = "ロック",
     .statusTip = "物体のロックを切り替える",
     .params = {ObjectParam(),
                Optional("locked", ParamKind::Bool, "the new value; left out, it flips")},
     .enabled = AnyObject,
     .perform = PressState<StateButton::Lock>,
     .help = "lock or unlock an object"},
}};

}  // namespace
