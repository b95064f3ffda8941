// Typed transforms of the affected vertices, as the move, rotate and scale
// forms apply them: each one step of the history, pivoting on the
// manipulator's centre, which they leave where it is.
#include "commands/command_table.h"
#include "commands/transform_edits.h"
#include "edit/transforms.h"
#include "history/step_names.h"

namespace {

constexpr const char* kAxes[] = {"x", "y", "z"};

std::optional<Refusal> Move(CommandContext& context, const CommandArguments& args) {
    const CVector by = args.Vec3("by");
    RecordTypedTransform(context.history, context.scene, step_name::kMove,
                         [&] { MoveSelection(context.scene, by.x, by.y, by.z); });
    return std::nullopt;
}

// Only directly selected vertices take a coordinate.
std::optional<Refusal> MoveTo(CommandContext& context, const CommandArguments& args) {
    if (!args.Has("x") && !args.Has("y") && !args.Has("z")) {
        return Refusal{Reason::NothingToChange, "give x, y or z"};
    }
    RecordTypedTransform(context.history, context.scene, step_name::kMove, [&] {
        for (int axis = 0; axis < 3; ++axis) {
            if (args.Has(kAxes[axis])) {
                kSetSelection[axis](context.scene, args.Float(kAxes[axis]));
            }
        }
    });
    return std::nullopt;
}

// A given centre stays the pivot of later rotations and scalings, as one
// typed into the forms does.
void TakeCentre(CommandContext& context, const CommandArguments& args) {
    if (args.Has("centre")) {
        context.scene.gizmo = args.Vec3("centre");
    }
}

std::optional<Refusal> Rotate(CommandContext& context, const CommandArguments& args) {
    TakeCentre(context, args);
    RecordTypedTransform(context.history, context.scene, step_name::kRotate, [&] {
        kRotateSelection[args.Choice("axis")](context.scene, args.Float("degrees"));
    });
    return std::nullopt;
}

std::optional<Refusal> Scale(CommandContext& context, const CommandArguments& args) {
    const CVector by = args.Vec3("by");
    const float factors[] = {by.x, by.y, by.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (!(factors[axis] > 0.0f)) {
            return Refusal{Reason::OutOfRange,
                           "by[" + std::to_string(axis) + "]: a factor must be greater than 0"};
        }
    }
    TakeCentre(context, args);
    RecordTypedTransform(context.history, context.scene, step_name::kScale, [&] {
        for (int axis = 0; axis < 3; ++axis) {
            if (factors[axis] != 1.0f) {
                kScaleSelection[axis](context.scene, factors[axis]);
            }
        }
    });
    return std::nullopt;
}

std::optional<Refusal> Centre(CommandContext& context, const CommandArguments& args) {
    context.scene.gizmo = args.Vec3("at");
    return std::nullopt;
}

ParamSpec CentreParam() {
    return Optional("centre", ParamKind::Vec3,
                    "the pivot, kept for later transforms; the manipulator's centre if left out");
}

const CommandRegistration kTransformCommands{{
    {.id = "edit.move",
     .text = "移動",
     .statusTip = "選択部を指定の量だけ平行移動する",
     .params = {WithDefault("by", CVector(0, 0, 0), "the offset")},
     .perform = Move,
     .help = "move the affected vertices"},
    {.id = "edit.move_to",
     .text = "座標指定",
     .statusTip = "選択した頂点に座標を指定する",
     .params = {Optional("x", ParamKind::Float, "the new x of the selected vertices"),
                Optional("y", ParamKind::Float, "the new y"),
                Optional("z", ParamKind::Float, "the new z")},
     .perform = MoveTo,
     .help = "give the selected vertices a coordinate"},
    {.id = "edit.rotate",
     .text = "回転",
     .statusTip = "選択部を指定の角度だけ回転する",
     .params = {ChoiceOf("axis", {"x", "y", "z"}, std::nullopt, "the axis turned about"),
                Required("degrees", ParamKind::Float,
                         "positive turns about y and z counter-clockwise seen from the positive "
                         "axis, about x clockwise"),
                CentreParam()},
     .perform = Rotate,
     .help = "rotate the affected vertices"},
    {.id = "edit.scale",
     .text = "拡大縮小",
     .statusTip = "選択部を指定の倍率で拡大・縮小する",
     .params = {WithDefault("by", CVector(1, 1, 1), "the factor on each axis, greater than 0"),
                CentreParam()},
     .perform = Scale,
     .help = "scale the affected vertices"},
    {.id = "edit.centre",
     .text = "中心",
     .statusTip = "回転と拡大縮小の中心を指定する",
     .params = {Required("at", ParamKind::Vec3, "the pivot of later rotations and scalings")},
     .perform = Centre,
     .help = "place the manipulator's centre"},
}};

}  // namespace
