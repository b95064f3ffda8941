// Selecting by element lists, as a click or a rectangle would, and dropping
// the selection. Selection flags are not steps of the history.
#include <algorithm>

#include "commands/command_table.h"
#include "commands/targets.h"
#include "edit/gizmo.h"
#include "edit/selection.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

namespace {

enum SelectHow { Replace, Add, Remove };

// Edge `k` of face `f` exists: a line has one edge, a triangle three, a quad four.
std::optional<Refusal> CheckEdges(const CModel& model, const std::vector<EdgeRef>& edges) {
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const EdgeRef& e = edges[i];
        const std::string where = "edges[" + std::to_string(i) + "]";
        if (e.face < 0 || static_cast<std::size_t>(e.face) >= model.faces.size()) {
            return Refusal{Reason::NoSuchElement,
                           where + ": face " + std::to_string(e.face) + ", but the object has " +
                               std::to_string(model.faces.size()) + " faces"};
        }
        const std::size_t count =
            EdgeCount(model.faces[static_cast<std::size_t>(e.face)].indices.size());
        if (e.corner < 0 || static_cast<std::size_t>(e.corner) >= count) {
            return Refusal{Reason::NoSuchElement, where + ": corner " + std::to_string(e.corner) +
                                                      ", but face " + std::to_string(e.face) +
                                                      " has " + std::to_string(count) + " edges"};
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

std::optional<Refusal> SelectNone(CommandContext& context, const CommandArguments&) {
    ClearSelection(context.scene);
    UpdateGizmo(context.scene);
    return std::nullopt;
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
     .perform = SelectNone,
     .help = "drop the whole selection"},
}};

}  // namespace
