// Selecting by element lists, as a click or a rectangle would, dropping the
// selection, and the whole-scene selection commands of the 選択 menu: all,
// invert, grow, shrink, linked parts, a material's faces, edge loops and
// rings. Selection flags are not steps of the history.
#include <algorithm>

#include "commands/command_table.h"
#include "commands/scene_perform.h"
#include "commands/targets.h"
#include "edit/edge_loops.h"
#include "edit/gizmo.h"
#include "edit/select_all.h"
#include "edit/select_grow.h"
#include "edit/selection.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

namespace {

enum SelectHow { Replace, Add, Remove };

// Edge `k` of face `f` exists: a line has one edge, a triangle three, a quad
// four. `where` names the edge in the refusal.
std::optional<Refusal> CheckEdge(const CModel& model, const EdgeRef& e, const std::string& where) {
    if (e.face < 0 || static_cast<std::size_t>(e.face) >= model.faces.size()) {
        return Refusal{Reason::NoSuchElement, where + ": face " + std::to_string(e.face) +
                                                  ", but the object has " +
                                                  std::to_string(model.faces.size()) + " faces"};
    }
    const std::size_t count =
        EdgeCount(model.faces[static_cast<std::size_t>(e.face)].indices.size());
    if (e.corner < 0 || static_cast<std::size_t>(e.corner) >= count) {
        return Refusal{Reason::NoSuchElement, where + ": corner " + std::to_string(e.corner) +
                                                  ", but face " + std::to_string(e.face) + " has " +
                                                  std::to_string(count) + " edges"};
    }
    return std::nullopt;
}

std::optional<Refusal> CheckEdges(const CModel& model, const std::vector<EdgeRef>& edges) {
    for (std::size_t i = 0; i < edges.size(); ++i) {
        if (auto refusal = CheckEdge(model, edges[i], "edges[" + std::to_string(i) + "]")) {
            return refusal;
        }
    }
    return std::nullopt;
}

// A face is selected the way a click selects it: the face and all its edges.
std::optional<Refusal> SelectElements(CommandContext& context, const CommandArguments& args) {
    CCentigrade& scene = context.scene;
    auto object = NamedObject(scene, args, "object", true);
    if (auto refusal = RefusalOf(object)) {
        return refusal;
    }
    CModel& model = scene.models[std::get<std::size_t>(object)];
    auto vertices = NamedElements(args, "vertices", model.vertices.size(), "vertices");
    if (auto refusal = RefusalOf(vertices)) {
        return refusal;
    }
    auto faces = NamedElements(args, "faces", model.faces.size(), "faces");
    if (auto refusal = RefusalOf(faces)) {
        return refusal;
    }
    const std::vector<EdgeRef>& edges = args.Edges("edges");
    if (auto refusal = CheckEdges(model, edges)) {
        return refusal;
    }

    const int how = args.Choice("mode");
    if (how == Replace) {
        ClearSelection(scene);
    }
    const bool on = how != Remove;
    VertexSpan vertexSpan;
    FaceSpan faceSpan;
    for (std::size_t v : std::get<std::vector<std::size_t>>(vertices)) {
        model.vertices[v].selected = on;
        vertexSpan = vertexSpan.Union({v, v + 1});
    }
    for (std::size_t f : std::get<std::vector<std::size_t>>(faces)) {
        model.faces[f].selected = on;
        model.faces[f].SetAllEdges(on);
        faceSpan = faceSpan.Union({f, f + 1});
    }
    for (const EdgeRef& e : edges) {
        const auto f = static_cast<std::size_t>(e.face);
        model.faces[f].SetEdgeSelected(e.corner, on);
        faceSpan = faceSpan.Union({f, f + 1});
    }
    model.TouchSelection(vertexSpan, faceSpan);
    UpdateGizmo(scene);
    return std::nullopt;
}

std::optional<Refusal> DropSelection(CommandContext& context, const CommandArguments&) {
    ClearSelection(context.scene);
    UpdateGizmo(context.scene);
    return std::nullopt;
}

SelectionUpdate UpdateOf(const CommandArguments& args) {
    return args.Choice("mode") == 0 ? SelectionUpdate::Replace : SelectionUpdate::Add;
}

std::optional<Refusal> SelectMaterialFaces(CommandContext& context, const CommandArguments& args) {
    CCentigrade& scene = context.scene;
    return OnTarget(NamedMaterial(scene, args, "material"), [&](std::size_t material) {
        // Faces name their material by number, not by place in the list.
        SelectByMaterial(scene, scene.materials[material].id, UpdateOf(args));
        return std::optional<Refusal>();
    });
}

// The edge a loop or ring starts from must be one a click could take: a
// visible face of an editable object, within its edges.
std::optional<Refusal> CheckStartEdge(const CCentigrade& scene, const CommandArguments& args,
                                      ObjectEdgeRef& edge) {
    if (!args.Has("corner")) {
        return Refusal{Reason::MissingParameter, "corner (an edge needs its face and corner)"};
    }
    auto object = NamedObject(scene, args, "object", true);
    if (auto refusal = RefusalOf(object)) {
        return refusal;
    }
    edge.object = static_cast<int>(std::get<std::size_t>(object));
    edge.face = args.Int("face");
    edge.corner = args.Int("corner");
    const CModel& model = scene.models[static_cast<std::size_t>(edge.object)];
    if (auto refusal = CheckEdge(model, {edge.face, edge.corner}, "edge")) {
        return refusal;
    }
    if (model.faces[static_cast<std::size_t>(edge.face)].hidden) {
        return Refusal{Reason::NoSuchElement, "face " + std::to_string(edge.face) + " is hidden"};
    }
    return std::nullopt;
}

// From the edge given, or from every selected edge when none is.
template <bool (*Through)(CCentigrade&, const ObjectEdgeRef&, SelectionUpdate),
          void (*ThroughSelected)(CCentigrade&, SelectionUpdate)>
std::optional<Refusal> SelectEdgePaths(CommandContext& context, const CommandArguments& args) {
    CCentigrade& scene = context.scene;
    if (!args.Has("face")) {
        if (args.Has("corner")) {
            return Refusal{Reason::MissingParameter, "face (an edge needs its face and corner)"};
        }
        ThroughSelected(scene, UpdateOf(args));
        return std::nullopt;
    }
    ObjectEdgeRef edge;
    if (auto refusal = CheckStartEdge(scene, args, edge)) {
        return refusal;
    }
    if (!Through(scene, edge, UpdateOf(args))) {
        return Refusal{Reason::NoSuchElement, "no edge " + std::to_string(edge.corner) +
                                                  " of face " + std::to_string(edge.face)};
    }
    return std::nullopt;
}

CommandSpec SceneSelectCommand(std::string id, std::string text, std::string statusTip,
                               std::vector<std::string> shortcuts, Placement menu,
                               PerformFunction perform, std::string help) {
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .shortcuts = std::move(shortcuts),
            .menu = menu,
            .enabled = AnyEditableObject,
            .perform = perform,
            .help = std::move(help)};
}

ParamSpec UpdateParam() {
    return ChoiceOf("mode", {"replace", "add"}, "replace",
                    "replace the whole selection or add to it");
}

CommandSpec EdgePathCommand(std::string id, std::string text, std::string statusTip, int order,
                            PerformFunction perform, std::string help) {
    CommandSpec spec = SceneSelectCommand(std::move(id), std::move(text), std::move(statusTip), {},
                                          {"select", 2, order}, perform, std::move(help));
    spec.params = {ObjectParam(),
                   Optional("face", ParamKind::Int,
                            "the face of the edge; left out, from every selected edge"),
                   Optional("corner", ParamKind::Int, "the edge: from that corner to the next"),
                   UpdateParam()};
    return spec;
}

const CommandRegistration kSelectionCommands{{
    {.id = "select.elements",
     .text = "要素を選択",
     .statusTip = "指定の頂点・辺・面を選択する",
     .params = {ObjectParam(), WithDefault("vertices", std::vector<int>{}, "vertex indices"),
                WithDefault("faces", std::vector<int>{},
                            "face indices; a face comes with its edges"),
                WithDefault("edges", std::vector<EdgeRef>{},
                            "edges as [face, corner]: from that corner to the next"),
                ChoiceOf("mode", {"replace", "add", "remove"}, "replace",
                         "replace the whole selection, add to it, or take from it")},
     .enabled = AnyEditableObject,
     .perform = SelectElements,
     .help = "select vertices, edges and faces of one object"},
    {.id = "select.none",
     .text = "選択解除",
     .statusTip = "全ての選択を解除する",
     .shortcuts = {"Ctrl+Shift+A"},
     .menu = {"select", 0, 1},
     .perform = DropSelection,
     .help = "drop the whole selection"},
    SceneSelectCommand("select.all", "すべて選択", "編集できる物体の全てを選択する", {"Ctrl+A"},
                       {"select", 0, 0}, OnScene<SelectAll>,
                       "select every vertex, edge and face the selectable kinds allow"),
    SceneSelectCommand("select.invert", "選択の反転", "選択されていない部分を選択する", {"Ctrl+I"},
                       {"select", 0, 2}, OnScene<InvertSelection>,
                       "select what is not selected and drop what is"),
    SceneSelectCommand("select.more", "選択範囲の拡大", "選択部に接する面を選択に加える",
                       {"Ctrl+=", "Ctrl+Num++"}, {"select", 1, 0}, OnScene<GrowSelection>,
                       "add the faces that share a vertex with the selection"),
    SceneSelectCommand("select.less", "選択範囲の縮小", "選択部の縁の面を選択から外す",
                       {"Ctrl+-", "Ctrl+Num+-"}, {"select", 1, 1}, OnScene<ShrinkSelection>,
                       "drop the selected faces on the border of the selection"),
    SceneSelectCommand("select.linked", "つながった部分を選択",
                       "選択部とつながった面を全て選択する", {"Ctrl+L"}, {"select", 1, 2},
                       OnScene<SelectLinked>, "add every face connected to the selection"),
    [] {
        CommandSpec spec = SceneSelectCommand(
            "select.by_material", "材質で選択", "現在の材質の面を全て選択する", {},
            {"select", 1, 3}, SelectMaterialFaces, "select the visible faces of one material");
        spec.params = {MaterialParam(), UpdateParam()};
        return spec;
    }(),
    EdgePathCommand("select.loop", "エッジループ選択", "辺に沿ってつながる辺を選択する", 0,
                    SelectEdgePaths<SelectEdgeLoop, SelectEdgeLoops>,
                    "select the edge loop through an edge, or through every selected edge"),
    EdgePathCommand("select.ring", "エッジリング選択", "四角形を横切って向かい合う辺を選択する", 1,
                    SelectEdgePaths<SelectEdgeRing, SelectEdgeRings>,
                    "select the edge ring through an edge, or through every selected edge"),
}};

}  // namespace
