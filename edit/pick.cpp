#include "edit/pick.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "edit/gizmo.h"
#include "edit/pick_clip.h"
#include "edit/range_select.h"
#include "edit/selection.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"
#include "view/manipulator_tables.h"
#include "view/view_math.h"

namespace {

constexpr double kClickWindowSize = 8.0;

// The hits of one object, one list per element kind.
struct ObjectHits {
    std::vector<PickHit> vertices;
    std::vector<PickHit> edges;
    std::vector<PickHit> faces;
};

ClipCoord ToClip(const Matrix4& m, const CVector& p) {
    return Transform(m, p.x, p.y, p.z);
}

// One manipulator shape under one handle name: a single record with the
// smallest depth of its triangles that survive clipping and culling.
void CollectShape(const Matrix4& m, std::span<const CVector> points,
                  std::span<const HandleTriangle> triangles, int handle,
                  std::vector<PickHit>& records) {
    std::optional<double> nearest;
    for (const HandleTriangle& t : triangles) {
        const std::array<ClipCoord, 3> corners = {
            ToClip(m, points[static_cast<std::size_t>(t[0])]),
            ToClip(m, points[static_cast<std::size_t>(t[1])]),
            ToClip(m, points[static_cast<std::size_t>(t[2])])};
        if (const auto depth = FrontPolygonDepth(corners)) {
            nearest = nearest ? std::min(*nearest, *depth) : *depth;
        }
    }
    if (nearest) {
        records.push_back({PickKind::Handle, kNoObject, handle, SelectBufferDepth(*nearest)});
    }
}

// The points of one axis's shape in a table holding `perAxis` points per shape.
template <std::size_t N>
std::span<const CVector> ShapeOf(const std::array<CVector, N>& table, int perAxis, int axis) {
    return std::span(table).subspan(static_cast<std::size_t>(axis * perAxis),
                                    static_cast<std::size_t>(perAxis));
}

// The centre cube is offered first, so it wins wherever it lies under the window.
void CollectHandles(const CCentigrade& scene, const Matrix4& m, std::vector<PickHit>& records) {
    const auto centre = ShapeOf(handleCubePoints, kCubePointsPerCube, HandleCenter);
    switch (scene.toolMode) {
        case ToolMove:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleX; axis <= HandleZ; ++axis) {
                CollectShape(m, ShapeOf(handleArrowPoints, kArrowPointsPerAxis, axis),
                             handleArrowTriangles, axis, records);
            }
            break;
        case ToolRotate:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleX; axis <= HandleZ; ++axis) {
                CollectShape(m, ShapeOf(handleRingPoints, kRingPointsPerAxis, axis),
                             handleRingTriangles, axis, records);
            }
            break;
        case ToolScale:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleZ; axis >= HandleX; --axis) {
                CollectShape(m, ShapeOf(handleCubePoints, kCubePointsPerCube, axis),
                             handleCubeTriangles, axis, records);
            }
            break;
        default:
            break;
    }
}

// The edges and the surface of face r, whose first edge has number firstEdge.
void CollectFace(const CModel& model, int object, const Matrix4& m, const PickEligibility& eligible,
                 std::size_t r, int firstEdge, ObjectHits& found) {
    const CFace& f = model.faces[r];
    const std::size_t n = f.indices.size();
    const auto corner = [&f](std::size_t k) { return static_cast<std::size_t>(f.indices[k]); };
    const auto clip = [&model, &m](std::size_t v) { return ToClip(m, model.vertices[v]); };
    if (eligible.edges) {
        for (std::size_t k = 0; k < EdgeCount(n); ++k) {
            if (const auto depth = SegmentDepth(clip(corner(k)), clip(corner((k + 1) % n)))) {
                found.edges.push_back({PickKind::Edge, object, firstEdge + static_cast<int>(k),
                                       SelectBufferDepth(*depth)});
            }
        }
    }
    if (eligible.faces && IsSurface(f)) {
        std::array<ClipCoord, 4> corners;
        for (std::size_t k = 0; k < n; ++k) {
            corners[k] = clip(corner(k));
        }
        if (const auto depth = FrontPolygonDepth(std::span(corners).first(n))) {
            found.faces.push_back(
                {PickKind::Face, object, static_cast<int>(r), SelectBufferDepth(*depth)});
        }
    }
}

// Every vertex is transformed once; its out-code then lets the edges and faces
// that lie wholly outside one plane of the small pick volume, almost all of
// them, be dismissed without clipping (a segment or polygon whose corners are
// all outside one plane clips to nothing). With `clearing` (the same object,
// writable) the scan also clears the selection flags on its way.
void CollectObject(const CModel& model, int object, const Matrix4& m,
                   const PickEligibility& eligible, CModel* clearing, ObjectHits& hits) {
    std::vector<std::uint8_t> codes(model.vertices.size());
    for (std::size_t i = 0; i < model.vertices.size(); ++i) {
        const ClipCoord c = ToClip(m, model.vertices[i]);
        const unsigned code = OutCode(c);
        codes[i] = static_cast<std::uint8_t>(code);
        if (code == 0 && eligible.vertices) {
            if (const auto depth = PointDepth(c)) {
                hits.vertices.push_back(
                    {PickKind::Vertex, object, static_cast<int>(i), SelectBufferDepth(*depth)});
            }
        }
        if (clearing) {
            ClearFlags(clearing->vertices[i]);
        }
    }
    if (!eligible.edges && !eligible.faces && !clearing) {
        return;
    }

    int edgeNumber = 0;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        if (clearing) {
            ClearFlags(clearing->faces[r]);
        }
        const auto& corners = model.faces[r].indices;
        const std::size_t edges = EdgeCount(corners.size());
        if (edges == 0) {
            continue;
        }
        const int firstEdge = edgeNumber;
        edgeNumber += static_cast<int>(edges);
        if (!eligible.edges && !eligible.faces) {
            continue;
        }
        unsigned shared = 0x3F;
        for (int v : corners) {
            shared &= codes[static_cast<std::size_t>(v)];
        }
        if (shared == 0) {
            CollectFace(model, object, m, eligible, r, firstEdge, hits);
        }
    }
}

// The hit records for `window`; with `clearing` (the scene's own objects,
// writable) every object's selection flags are cleared as well.
std::vector<PickHit> Collect(const CCentigrade& scene, const PickWindow& window,
                             std::vector<CModel>* clearing) {
    std::vector<PickHit> records;
    const Viewport viewport = SceneViewport(scene);
    const PickEligibility eligible = EligibleElements(scene);
    const bool hasArea = viewport.width > 0 && viewport.height > 0;
    const Matrix4 projection =
        hasArea ? PickMatrix(window.x, window.y, window.width, window.height, viewport) *
                      SceneProjection(scene)
                : Matrix4::Identity();
    if (hasArea && eligible.handles) {
        CollectHandles(scene, projection * ManipulatorModelView(scene), records);
    }
    const bool scansObjects = hasArea && (eligible.vertices || eligible.edges || eligible.faces);
    const Matrix4 m = projection * SceneModelView(scene);
    std::vector<ObjectHits> perObject(scene.models.size());
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        CModel* clearingModel = clearing ? &(*clearing)[i] : nullptr;
        if (scansObjects && scene.models[i].IsEditable()) {
            CollectObject(scene.models[i], static_cast<int>(i), m, eligible, clearingModel,
                          perObject[i]);
        } else if (clearingModel) {
            for (CVector& v : clearingModel->vertices) {
                ClearFlags(v);
            }
            for (CFace& f : clearingModel->faces) {
                ClearFlags(f);
            }
        }
    }
    for (auto kind : {&ObjectHits::vertices, &ObjectHits::edges, &ObjectHits::faces}) {
        for (const ObjectHits& hits : perObject) {
            records.insert(records.end(), (hits.*kind).begin(), (hits.*kind).end());
        }
    }
    return records;
}

}  // namespace

PickEligibility EligibleElements(const CCentigrade& scene) {
    const bool select = scene.toolMode == ToolSelect;
    const bool range = scene.toolMode == ToolRangeSelect;
    PickEligibility e;
    e.handles = scene.showGizmo && IsManipulatorTool(scene.toolMode);
    e.vertices =
        (select && scene.vertexSelectable && scene.selectMode == SelectNormal) ||
        (range && (scene.vertexSelectable || scene.edgeSelectable || scene.faceSelectable));
    e.edges = select && ((scene.edgeSelectable && scene.selectMode == SelectNormal) ||
                         scene.selectMode == SelectBelt);
    e.faces = (select && scene.faceSelectable && scene.selectMode != SelectBelt) ||
              scene.toolMode == ToolDeleteFace || scene.toolMode == ToolPaintMaterial;
    return e;
}

PickWindow ClickPickWindow(const CCentigrade& scene, int x, int y) {
    return {static_cast<double>(x), static_cast<double>(scene.viewHeight - static_cast<float>(y)),
            kClickWindowSize, kClickWindowSize};
}

PickWindow RangePickWindow(CCentigrade& scene) {
    int* band = scene.rubberBand;
    const int centreX = (band[0] + band[2]) / 2;
    const int centreY = (band[1] + band[3]) / 2;
    if (band[0] > band[2]) {
        std::swap(band[0], band[2]);
    }
    if (band[1] > band[3]) {
        std::swap(band[1], band[3]);
    }
    const int width = std::max(band[2] - band[0], 1);
    const int height = std::max(band[3] - band[1], 1);
    return {static_cast<double>(centreX),
            static_cast<double>(scene.viewHeight - static_cast<float>(centreY)),
            static_cast<double>(width), static_cast<double>(height)};
}

std::vector<PickHit> CollectHits(const CCentigrade& scene, const PickWindow& window) {
    return Collect(scene, window, nullptr);
}

PickResult ResolveHits(std::vector<PickHit> records) {
    PickResult result;
    float bestDepth = 10000.0f;
    PickKind bestKind = PickKind::Handle;
    for (const PickHit& hit : records) {
        if (hit.depth < bestDepth && hit.kind <= bestKind) {
            result.best = hit;
            bestDepth = hit.depth;
            bestKind = hit.kind;
        }
        if (hit.kind == PickKind::Handle && result.handle == HandleNone) {
            result.handle = hit.element;
        }
    }
    result.records = std::move(records);
    return result;
}

// The result is that of ProcessHits followed by UpdateGizmo (or of the rule for
// a miss), but each pass over a million faces costs as much as the whole face
// array, so steps are folded into passes made anyway. A pick that drops the
// previous selection whether it hits or misses clears the flags during the
// scan for hits, which do not depend on them.
bool CCentigrade::Pick(int x, int y) {
    const PickWindow window =
        toolMode == ToolRangeSelect ? RangePickWindow(*this) : ClickPickWindow(*this, x, y);
    const bool replaces = PickReplacesSelection(*this);
    std::vector<PickHit> records = Collect(*this, window, replaces ? &models : nullptr);
    hitIndex = HandleNone;
    // Any pick that may have changed a flag names new object contents for the
    // caches built from them; a handle hit changes nothing.
    const bool handleHit = std::any_of(records.begin(), records.end(), [](const PickHit& hit) {
        return hit.kind == PickKind::Handle;
    });
    if (replaces || (!records.empty() && !handleHit)) {
        for (CModel& model : models) {
            model.TouchSelection();
        }
    }
    if (records.empty()) {
        if (toolMode == ToolSelect && selectMode == SelectConnected && !keyFlag) {
            ClearSelection();
        }
        return false;
    }
    const PickResult result = ResolveHits(std::move(records));
    const PickHit& best = result.best;
    if (toolMode == ToolRangeSelect) {
        // The range derivation and the marks of the manipulator share one pass
        // over the faces.
        ClearMarks();
        MarkRangeVertices(*this, result.records);
        SelectFromMarksThenRemark(models, edgeSelectable, faceSelectable);
        PlaceGizmo(*this);
    } else if (replaces && best.kind != PickKind::Edge) {
        // The click set the flags of one vertex or one face at most on a
        // cleared selection, so the marks are rebuilt from that face alone
        // instead of from a scan of every face.
        ApplyHits(*this, result);
        ClearMarks();
        if (best.kind == PickKind::Face) {
            CModel& model = models[static_cast<std::size_t>(best.object)];
            MarkFaceCorners(model, model.faces[static_cast<std::size_t>(best.element)]);
        }
        PlaceGizmo(*this);
    } else {
        if (replaces) {
            ApplyHits(*this, result);
        } else {
            ProcessHits(result);
        }
        UpdateGizmo();
    }
    return true;
}
