// The modelling commands: shapes, faces grown, cut and joined, vertices
// welded and removed, objects split and merged. Each runs as one geometry
// step of the history; the normals of what it reshaped follow at once and the
// manipulator moves to the selection it leaves.
#include <climits>
#include <utility>

#include "commands/command_table.h"
#include "commands/targets.h"
#include "edit/gizmo.h"
#include "history/geometry_step.h"
#include "modelling/command_texts.h"
#include "modelling/create.h"
#include "modelling/duplicate_faces.h"
#include "modelling/extrude.h"
#include "modelling/face_create.h"
#include "modelling/flip.h"
#include "modelling/merge_by_distance.h"
#include "modelling/merge_objects.h"
#include "modelling/mirror.h"
#include "modelling/primitives.h"
#include "modelling/quadrangulate.h"
#include "modelling/separate.h"
#include "modelling/subdivide.h"
#include "modelling/triangulate.h"
#include "modelling/vertex_clean.h"
#include "modelling/vertex_delete.h"
#include "modelling/weld.h"
#include "scene/centigrade.h"

namespace {

namespace text = modelling_command;

Reason ReasonOf(ModellingRefusal refusal) {
    switch (refusal) {
        case ModellingRefusal::None:
        case ModellingRefusal::NoCurrentObject:
            return Reason::NoCurrentObject;
        case ModellingRefusal::CurrentObjectHidden:
        case ModellingRefusal::CurrentObjectLocked:
        case ModellingRefusal::ObjectNotEditable:
            return Reason::ObjectNotEditable;
        case ModellingRefusal::NoFaceSelected:
            return Reason::NoSelectedFaces;
        case ModellingRefusal::NoVertexSelected:
            return Reason::NoSelectedVertices;
        case ModellingRefusal::TooFewVertices:
        case ModellingRefusal::TooManyVertices:
            return Reason::WrongVertexCount;
        case ModellingRefusal::NoObjectToMerge:
            return Reason::NoObjectToMerge;
        case ModellingRefusal::UnknownObject:
            return Reason::NoSuchObject;
        case ModellingRefusal::SizeOutOfRange:
        case ModellingRefusal::SegmentsOutOfRange:
        case ModellingRefusal::RingsOutOfRange:
        case ModellingRefusal::DistanceOutOfRange:
        case ModellingRefusal::AngleOutOfRange:
        case ModellingRefusal::CentreOutOfRange:
            return Reason::OutOfRange;
        case ModellingRefusal::ResultTooLarge:
            return Reason::ResultTooLarge;
    }
    return Reason::NoCurrentObject;
}

// The modelling layer's words become the detail where they say more than the reason.
Refusal RefusalFor(ModellingRefusal refusal) {
    const Reason reason = ReasonOf(refusal);
    const std::string_view said = TextOf(refusal).english;
    return Refusal{reason, said == DescribeReason(reason).english ? "" : std::string(said)};
}

// Runs edit(scene, prior) as one step named after the command's text.
template <typename Edit>
std::optional<Refusal> Perform(CommandContext& context, const ModellingCommandText& command,
                               Edit edit) {
    CCentigrade& scene = context.scene;
    const ModellingResult result =
        RecordGeometryEdit(context.history, scene, command.text, [&](PriorState& prior) {
            ModellingResult done = edit(scene, &prior);
            if (done.Changed()) {
                for (std::size_t object : done.reshaped) {
                    scene.models[object].ComputeNormals(scene.smooth);
                }
                UpdateGizmo(scene);
            }
            return done;
        });
    if (result.Refused()) {
        return RefusalFor(result.refusal);
    }
    return std::nullopt;
}

// A command that takes no options.
template <const ModellingCommandText& command, ModellingResult (*Run)(CCentigrade&, PriorState*)>
std::optional<Refusal> Plain(CommandContext& context, const CommandArguments&) {
    return Perform(context, command, Run);
}

// --- Shapes

struct ShapeEntry {
    Primitive shape;
    const ModellingCommandText& command;
    int fewestSegments;
    int mostSegments;
    int fewestRings;  // 0: the shape has no rings
    const char* help;
};

constexpr int kMostCells = 1024;

const ShapeEntry kShapes[] = {
    {Primitive::Plane, text::kCreatePlane, 1, kMostCells, 0, "add a square plane as a new object"},
    {Primitive::Cube, text::kCreateCube, 1, 512, 0, "add a cube as a new object"},
    {Primitive::Cylinder, text::kCreateCylinder, 3, kMostCells, 1,
     "add a capped cylinder as a new object"},
    {Primitive::Sphere, text::kCreateSphere, 3, kMostCells, 2, "add a sphere as a new object"},
    {Primitive::Cone, text::kCreateCone, 3, kMostCells, 1, "add a capped cone as a new object"},
};

template <std::size_t entry>
std::optional<Refusal> Create(CommandContext& context, const CommandArguments& args) {
    const Primitive shape = kShapes[entry].shape;
    PrimitiveOptions options = DefaultPrimitiveOptions(shape);
    options.size = args.Float("size");
    options.segments = args.Int("segments");
    if (args.Has("rings")) {
        options.rings = args.Int("rings");
    }
    options.centre = args.Vec3("centre");
    return Perform(context, kShapes[entry].command, [&](CCentigrade& scene, PriorState* prior) {
        return CreatePrimitive(scene, shape, options, prior);
    });
}

template <std::size_t entry>
CommandSpec CreateCommand() {
    const ShapeEntry& e = kShapes[entry];
    const PrimitiveOptions defaults = DefaultPrimitiveOptions(e.shape);
    std::vector<ParamSpec> params = {
        WithDefault("size", defaults.size, "side, or diameter and height; above 0")
            .Labelled("大きさ"),
        WithDefault("segments", defaults.segments,
                    "cells along each side, or corners around the axis")
            .Between(e.fewestSegments, e.mostSegments)
            .Labelled("分割数"),
    };
    if (e.fewestRings > 0) {
        params.push_back(WithDefault("rings", defaults.rings, "bands from top to bottom")
                             .Between(e.fewestRings, kMostCells)
                             .Labelled("縦の分割数"));
    }
    params.push_back(WithDefault("centre", defaults.centre, "where the shape's centre goes"));
    return {.id = std::string(e.command.id),
            .text = std::string(e.command.text),
            .statusTip = std::string(e.command.text) + "を作成する",
            .menu = {"create", 0, static_cast<int>(entry)},
            .params = std::move(params),
            .perform = Create<entry>,
            .help = e.help};
}

// --- Commands with options

std::optional<Refusal> FaceCreate(CommandContext& context, const CommandArguments&) {
    const FaceCreateOptions options{CameraViewDirection(context.scene)};
    return Perform(context, text::kFaceCreate, [&](CCentigrade& scene, PriorState* prior) {
        return CreateFace(scene, options, prior);
    });
}

std::optional<Refusal> Extrude(CommandContext& context, const CommandArguments& args) {
    const ExtrudeOptions options{args.Float("distance"), args.Bool("individual")};
    std::optional<Refusal> refusal = Perform(
        context, text::kExtrude,
        [&](CCentigrade& scene, PriorState* prior) { return ExtrudeFaces(scene, options, prior); });
    if (!refusal) {
        // The new faces are what the user pulls next: the move manipulator starts on them.
        context.scene.toolMode = ToolMove;
        UpdateGizmo(context.scene);
    }
    return refusal;
}

std::optional<Refusal> MergeNear(CommandContext& context, const CommandArguments& args) {
    const MergeByDistanceOptions options{args.Float("distance")};
    return Perform(context, text::kMergeByDistance, [&](CCentigrade& scene, PriorState* prior) {
        return MergeByDistance(scene, options, prior);
    });
}

std::optional<Refusal> Quadrangulate(CommandContext& context, const CommandArguments& args) {
    const QuadrangulateOptions options{args.Float("angle")};
    return Perform(context, text::kQuadrangulate, [&](CCentigrade& scene, PriorState* prior) {
        return QuadrangulateFaces(scene, options, prior);
    });
}

std::optional<Refusal> Merge(CommandContext& context, const CommandArguments& args) {
    MergeObjectsOptions options;
    for (int object : args.Ints("objects")) {
        options.objects.push_back(static_cast<std::size_t>(object));
    }
    return Perform(context, text::kMergeObjects, [&](CCentigrade& scene, PriorState* prior) {
        return MergeObjects(scene, options, prior);
    });
}

// The plane goes through the manipulator unless a centre is given.
std::optional<Refusal> Mirror(CommandContext& context, const CommandArguments& args) {
    const MirrorOptions options{
        static_cast<Axis>(args.Choice("axis")),
        args.Has("centre") ? args.Vec3("centre") : context.scene.gizmo,
        args.Bool("copy"),
        args.Bool("weld"),
    };
    return Perform(context, text::kMirror, [&](CCentigrade& scene, PriorState* prior) {
        return MirrorFaces(scene, options, prior);
    });
}

// An entry of the edit menu on the current object.
CommandSpec EditCommand(const ModellingCommandText& command, int group, int order,
                        std::vector<ParamSpec> params, PerformFunction perform, std::string help,
                        std::string bar = "edit", std::vector<std::string> shortcuts = {}) {
    return {.id = std::string(command.id),
            .text = std::string(command.text),
            .statusTip = std::string(command.text),
            .shortcuts = std::move(shortcuts),
            .menu = {std::move(bar), group, order},
            .params = std::move(params),
            .enabled = AnyEditableObject,
            .perform = perform,
            .help = std::move(help)};
}

// The edit menu's undo and clipboard groups come first.
enum EditGroup { kFaceGroup = 2, kVertexGroup = 3, kObjectGroup = 4 };

const ExtrudeOptions kExtrudeDefaults;
const MergeByDistanceOptions kMergeDefaults;
const QuadrangulateOptions kQuadrangulateDefaults;
const MirrorOptions kMirrorDefaults;

const CommandRegistration kModellingCommands{{
    CreateCommand<0>(),
    CreateCommand<1>(),
    CreateCommand<2>(),
    CreateCommand<3>(),
    CreateCommand<4>(),
    EditCommand(text::kFaceCreate, 1, 0, {}, FaceCreate,
                "join the 2 to 4 selected vertices of the current object by a new face", "create",
                {"F"}),
    EditCommand(text::kExtrude, 1, 1,
                {WithDefault("distance", kExtrudeDefaults.distance,
                             "how far the faces move along their normals")
                     .Labelled("距離"),
                 WithDefault("individual", kExtrudeDefaults.individual,
                             "each face along its own normal instead of each region")
                     .Labelled("面ごとに押し出す")},
                Extrude, "extrude the selected faces of the current object", "create", {"E"}),
    EditCommand(text::kDuplicateFaces, 1, 2, {}, Plain<text::kDuplicateFaces, DuplicateFaces>,
                "copy the selected faces within the current object", "create"),
    EditCommand(text::kFlip, kFaceGroup, 0, {}, Plain<text::kFlip, FlipFaces>,
                "turn the selected faces of the current object to face the other way"),
    EditCommand(text::kTriangulate, kFaceGroup, 1, {}, Plain<text::kTriangulate, TriangulateFaces>,
                "split the selected quads of the current object into triangles"),
    EditCommand(text::kQuadrangulate, kFaceGroup, 2,
                {WithDefault("angle", kQuadrangulateDefaults.angle,
                             "the largest angle in degrees between the normals of a pair")
                     .Between(0, 180)
                     .Labelled("角度")},
                Quadrangulate, "join pairs of selected triangles of the current object into quads"),
    EditCommand(text::kSubdivide, kFaceGroup, 3, {}, Plain<text::kSubdivide, SubdivideFaces>,
                "cut the selected faces of the current object into four"),
    EditCommand(
        text::kMirror, kFaceGroup, 4,
        {ChoiceOf("axis", {"x", "y", "z"}, "x", "the normal of the mirror plane").Labelled("軸"),
         Optional("centre", ParamKind::Vec3,
                  "a point of the plane; the manipulator's place if left out"),
         WithDefault("copy", kMirrorDefaults.copy,
                     "add mirrored copies instead of mirroring in place")
             .Labelled("複写する"),
         WithDefault("weld", kMirrorDefaults.weld, "share the vertices on the plane with the copy")
             .Labelled("面上の頂点を共有する")},
        Mirror, "mirror the selected faces of the current object across a plane"),
    EditCommand(text::kWeld, kVertexGroup, 0, {}, Plain<text::kWeld, WeldVertices>,
                "merge the selected vertices of each object into one at their centre", "edit",
                {"M"}),
    EditCommand(text::kMergeByDistance, kVertexGroup, 1,
                {WithDefault("distance", kMergeDefaults.distance,
                             "vertices this close or closer become one")
                     .Between(0, 1e30)
                     .Labelled("距離")},
                MergeNear,
                "merge close vertices of the current object (its selected ones, else all)"),
    EditCommand(text::kDeleteVertices, kVertexGroup, 2, {},
                Plain<text::kDeleteVertices, DeleteVertices>,
                "delete the selected vertices of the current object with their faces"),
    EditCommand(text::kCleanVertices, kVertexGroup, 3, {},
                Plain<text::kCleanVertices, CleanVertices>,
                "delete the vertices no face of the current object uses"),
    EditCommand(text::kSeparate, kObjectGroup, 0, {}, Plain<text::kSeparate, SeparateFaces>,
                "move the selected faces of the current object into a new object"),
    EditCommand(text::kMergeObjects, kObjectGroup, 1,
                {Required("objects", ParamKind::IntList,
                          "indices of the objects appended to the current one")
                     .Between(0, INT_MAX)
                     .Labelled("結合するオブジェクト")},
                Merge, "append other objects to the current object and remove them"),
}};

}  // namespace
