// What a resolved pick does to the selection flags, by tool and select mode.

#include "edit/selection.h"
#include "edit/belt.h"
#include "edit/edge_numbering.h"
#include "edit/face_tools.h"
#include "edit/flood.h"
#include "edit/pick.h"
#include "edit/range_select.h"
#include "scene/centigrade.h"

namespace {

void ClickNormal(CCentigrade& scene, const PickHit& hit) {
    CModel& model = scene.models[static_cast<std::size_t>(hit.object)];
    switch (hit.kind) {
        case PickKind::Vertex:
            if (scene.vertexSelectable) {
                CVector& v = model.vertices[static_cast<std::size_t>(hit.element)];
                v.selected = !v.selected;
                v.mark = !v.mark;
            }
            break;
        case PickKind::Edge: {
            const EdgeLocation edge = LocateEdge(model, hit.element);
            if (edge.face < 0) {
                break;
            }
            CFace& f = model.faces[static_cast<std::size_t>(edge.face)];
            f.SetEdgeSelected(edge.corner, scene.keyFlag ? !f.IsEdgeSelected(edge.corner) : true);
            break;
        }
        case PickKind::Face: {
            CFace& f = model.faces[static_cast<std::size_t>(hit.element)];
            if (scene.keyFlag) {
                f.selected = !f.selected;
                for (bool& edge : f.edgeSelected) {
                    edge = !edge;
                }
            } else {
                f.selected = true;
                f.SetAllEdges(true);
            }
            break;
        }
        default:
            break;
    }
}

// Connected selection toggles by the clicked face's own state.
void ClickConnected(CCentigrade& scene, const PickHit& hit) {
    if (hit.kind != PickKind::Face) {
        return;
    }
    CModel& model = scene.models[static_cast<std::size_t>(hit.object)];
    const bool state = !model.faces[static_cast<std::size_t>(hit.element)].selected;
    FloodSelect(model, hit.element, state);
    model.faces[static_cast<std::size_t>(hit.element)].selected = state;
}

void ClickBelt(CCentigrade& scene, const PickHit& hit) {
    if (hit.kind != PickKind::Edge) {
        return;
    }
    CModel& model = scene.models[static_cast<std::size_t>(hit.object)];
    const EdgeLocation edge = LocateEdge(model, hit.element);
    if (edge.face < 0) {
        return;
    }
    const CFace& f = model.faces[static_cast<std::size_t>(edge.face)];
    if (f.indices.size() < 3) {
        return;
    }
    SelectRing(model, edge.face, edge.corner, !f.IsEdgeSelected(edge.corner));
}

void SelectByMode(CCentigrade& scene, const PickHit& hit) {
    switch (scene.selectMode) {
        case SelectNormal:
            ClickNormal(scene, hit);
            break;
        case SelectConnected:
            ClickConnected(scene, hit);
            break;
        case SelectBelt:
            ClickBelt(scene, hit);
            break;
        case SelectPickObject:
            scene.currentModel = hit.object;
            break;
        default:
            break;
    }
}

}  // namespace

void MarkRangeVertices(CCentigrade& scene, const std::vector<PickHit>& records) {
    for (const PickHit& hit : records) {
        if (hit.kind != PickKind::Vertex) {
            continue;
        }
        CVector& v = scene.models[static_cast<std::size_t>(hit.object)]
                         .vertices[static_cast<std::size_t>(hit.element)];
        if (scene.vertexSelectable) {
            v.selected = true;
        }
        v.mark = true;
    }
}

bool PickReplacesSelection(const CCentigrade& scene) {
    return ((scene.toolMode == ToolSelect && scene.selectMode == SelectNormal) ||
            scene.toolMode == ToolRangeSelect) &&
           !scene.keyFlag;
}

void ApplyHits(CCentigrade& scene, const PickResult& result) {
    ClearMarks(scene);
    const PickHit& best = result.best;
    switch (scene.toolMode) {
        case ToolSelect:
            SelectByMode(scene, best);
            break;
        case ToolRangeSelect:
            MarkRangeVertices(scene, result.records);
            for (CModel& model : scene.models) {
                SelectFromMarks(model, scene.edgeSelectable, scene.faceSelectable);
            }
            break;
        case ToolDeleteFace:
            if (best.kind == PickKind::Face) {
                DeleteFace(scene, best.object, best.element);
            }
            break;
        case ToolPaintMaterial:
            if (best.kind == PickKind::Face) {
                PaintFace(scene, best.object, best.element);
            }
            break;
        default:
            break;
    }
}

void ProcessHits(CCentigrade& scene, const PickResult& result) {
    if (result.handle != HandleNone) {
        scene.hitIndex = result.handle;
        return;
    }
    if (result.records.empty()) {
        return;
    }
    if (PickReplacesSelection(scene)) {
        ClearSelection(scene);
    }
    ApplyHits(scene, result);
    for (CModel& model : scene.models) {
        model.TouchSelection();
    }
}

void ClearSelectionOf(CModel& model) {
    model.TouchSelection();
    for (CVector& v : model.vertices) {
        ClearFlags(v);
    }
    for (CFace& f : model.faces) {
        ClearFlags(f);
    }
}

void ClearSelection(CCentigrade& scene) {
    for (CModel& model : scene.models) {
        ClearSelectionOf(model);
    }
}

// Reading first spares writing back the vertices that carry no mark.
void ClearMarks(CCentigrade& scene) {
    for (CModel& model : scene.models) {
        for (CVector& v : model.vertices) {
            if (v.mark) {
                v.mark = false;
            }
        }
    }
}
