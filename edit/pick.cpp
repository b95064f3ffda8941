#include "edit/pick.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "edit/gizmo.h"
#include "edit/pick_clip.h"
#include "edit/range_select.h"
#include "edit/selection.h"
#include "edit/selection_sets.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"
#include "view/manipulator_tables.h"
#include "view/view_math.h"

namespace {

constexpr double kClickWindowSize = 8.0;

// Imports, pastes, undo and New add and remove objects without telling the
// pick, so every use of the caches comes through here and finds one entry
// per object.
std::vector<ObjectPickCache>& PickCaches(const CCentigrade& scene) {
    scene.pickCaches.resize(scene.models.size());
    return scene.pickCaches;
}

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
std::span<const CVector> ShapeOf(std::span<const CVector> table, int perAxis, int axis) {
    return table.subspan(static_cast<std::size_t>(axis * perAxis),
                         static_cast<std::size_t>(perAxis));
}

// The centre cube is offered first, so it wins wherever it lies under the
// window; then the shape of each axis of the tool's manipulator (the scale
// tool's cubes from z down to x).
void CollectHandles(const CCentigrade& scene, const Matrix4& m, std::vector<PickHit>& records) {
    std::span<const CVector> points;
    std::span<const HandleTriangle> triangles;
    int perAxis = 0;
    switch (scene.toolMode) {
        case ToolMove:
            points = handleArrowPoints;
            triangles = handleArrowTriangles;
            perAxis = kArrowPointsPerAxis;
            break;
        case ToolRotate:
            points = handleRingPoints;
            triangles = handleRingTriangles;
            perAxis = kRingPointsPerAxis;
            break;
        case ToolScale:
            points = handleCubePoints;
            triangles = handleCubeTriangles;
            perAxis = kCubePointsPerCube;
            break;
        default:
            return;
    }
    CollectShape(m, ShapeOf(handleCubePoints, kCubePointsPerCube, HandleCenter),
                 handleCubeTriangles, HandleCenter, records);
    const bool downwards = scene.toolMode == ToolScale;
    for (int n = 0; n < 3; ++n) {
        const int axis = downwards ? HandleZ - n : HandleX + n;
        CollectShape(m, ShapeOf(points, perAxis, axis), triangles, axis, records);
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

// Whether every point of `box` lies strictly outside one plane of the clip
// volume of `matrix`. The margin is far above the rounding of the transform,
// so no point that the test of its own clip coordinates keeps is dismissed.
bool BoxOutside(const Matrix4& matrix, const BoundingBox& box) {
    const auto& m = matrix.m;
    constexpr double kMargin = 1e-9;
    // Plane 2k + s is w + x_k >= 0 for s = 0 and w - x_k >= 0 for s = 1;
    // m[4 * j + row] is the coefficient of coordinate j in that row.
    for (int plane = 0; plane < 6; ++plane) {
        const int row = plane / 2;
        const double sign = plane % 2 == 0 ? 1.0 : -1.0;
        double farthest = m[15] + sign * m[12 + row];
        double magnitude = std::abs(m[15]) + std::abs(m[12 + row]);
        for (int j = 0; j < 3; ++j) {
            const double a = m[4 * j + 3] + sign * m[4 * j + row];
            const double low = box.min[j];
            const double high = box.max[j];
            farthest += std::max(a * low, a * high);
            magnitude += (std::abs(m[4 * j + 3]) + std::abs(m[4 * j + row])) *
                         std::max(std::abs(low), std::abs(high));
        }
        if (farthest < -kMargin * magnitude) {
            return true;
        }
    }
    return false;
}

// Calls visit(leaf, first, end) for each leaf of elements [first, end) whose
// box and whose group's box reach into the volume of `m`, in number order.
template <typename Visit>
void ForLeavesInside(const Matrix4& m, const BoxLevels& levels, std::size_t elements, Visit visit) {
    constexpr std::size_t kLeafSize = BoxLevels::kLeafSize;
    constexpr std::size_t kLeavesPerGroup = BoxLevels::kLeavesPerGroup;
    for (std::size_t g = 0; g < levels.groups.size(); ++g) {
        if (BoxOutside(m, levels.groups[g])) {
            continue;
        }
        const std::size_t lastLeaf = std::min((g + 1) * kLeavesPerGroup, levels.leaves.size());
        for (std::size_t l = g * kLeavesPerGroup; l < lastLeaf; ++l) {
            if (!BoxOutside(m, levels.leaves[l])) {
                visit(l, l * kLeafSize, std::min((l + 1) * kLeafSize, elements));
            }
        }
    }
}

// Only the elements of the leaves whose boxes reach into the small pick volume
// are tested one by one, in number order, so the records come out as a test
// of every element would give them. An edge or face whose corners all lie
// outside one plane clips to nothing and is dismissed at once.
void CollectObject(const CModel& model, int object, const Matrix4& m,
                   const PickEligibility& eligible, BlockBounds& bounds,
                   const std::vector<bool>& hidden, ObjectHits& hits) {
    bounds.Refresh(model);
    if (eligible.vertices) {
        ForLeavesInside(
            m, bounds.Vertices(), model.vertices.size(),
            [&](std::size_t, std::size_t first, std::size_t end) {
                for (std::size_t i = first; i < end; ++i) {
                    if (!hidden.empty() && hidden[i]) {
                        continue;
                    }
                    const ClipCoord c = ToClip(m, model.vertices[i]);
                    if (OutCode(c) != 0) {
                        continue;
                    }
                    if (const auto depth = PointDepth(c)) {
                        hits.vertices.push_back({PickKind::Vertex, object, static_cast<int>(i),
                                                 SelectBufferDepth(*depth)});
                    }
                }
            });
    }
    if (!eligible.edges && !eligible.faces) {
        return;
    }
    ForLeavesInside(m, bounds.Faces(), model.faces.size(),
                    [&](std::size_t leaf, std::size_t first, std::size_t end) {
                        int edgeNumber = bounds.FirstEdgeOf(leaf);
                        for (std::size_t r = first; r < end; ++r) {
                            const auto& corners = model.faces[r].indices;
                            const std::size_t edges = EdgeCount(corners.size());
                            if (edges == 0) {
                                continue;
                            }
                            const int firstEdge = edgeNumber;
                            edgeNumber += static_cast<int>(edges);
                            unsigned shared = 0x3F;
                            for (int v : corners) {
                                shared &=
                                    OutCode(ToClip(m, model.vertices[static_cast<std::size_t>(v)]));
                            }
                            if (shared == 0 && !model.faces[r].hidden) {
                                CollectFace(model, object, m, eligible, r, firstEdge, hits);
                            }
                        }
                    });
}

std::vector<PickHit> Collect(const CCentigrade& scene, const PickWindow& window,
                             const PickEligibility& eligible) {
    std::vector<PickHit> records;
    const Viewport viewport = SceneViewport(scene);
    if (viewport.width <= 0 || viewport.height <= 0) {
        return records;
    }
    const Matrix4 projection =
        PickMatrix(window.x, window.y, window.width, window.height, viewport) *
        SceneProjection(scene);
    if (eligible.handles) {
        CollectHandles(scene, projection * ManipulatorModelView(scene), records);
    }
    if (!eligible.vertices && !eligible.edges && !eligible.faces) {
        return records;
    }
    const Matrix4 m = projection * SceneModelView(scene);
    std::vector<ObjectPickCache>& caches = PickCaches(scene);
    std::vector<ObjectHits> perObject(scene.models.size());
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        if (scene.models[i].IsEditable()) {
            static const std::vector<bool> kNoneHidden;
            const std::vector<bool>& hidden =
                eligible.vertices ? HiddenVerticesOf(scene, i) : kNoneHidden;
            CollectObject(scene.models[i], static_cast<int>(i), m, eligible, caches[i].bounds,
                          hidden, perObject[i]);
        }
    }
    for (auto kind : {&ObjectHits::vertices, &ObjectHits::edges, &ObjectHits::faces}) {
        for (const ObjectHits& hits : perObject) {
            records.insert(records.end(), (hits.*kind).begin(), (hits.*kind).end());
        }
    }
    return records;
}

// Drops every selection flag of every object. Where the last click left its
// trace, only the flags it set are cleared; elsewhere every element is.
void DropSelection(CCentigrade& scene) {
    const std::vector<ObjectPickCache>& caches = PickCaches(scene);
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        CModel& model = scene.models[i];
        const ObjectPickCache& trace = caches[i];
        if (trace.selection != model.selectionRevision ||
            trace.topology != model.topologyRevision) {
            ClearSelectionOf(model);
            continue;
        }
        VertexSpan vertices;
        FaceSpan faces;
        if (trace.vertex >= 0) {
            const auto v = static_cast<std::size_t>(trace.vertex);
            ClearFlags(model.vertices[v]);
            vertices = {v, v + 1};
        }
        if (trace.face >= 0) {
            const auto f = static_cast<std::size_t>(trace.face);
            ClearFlags(model.faces[f]);
            faces = {f, f + 1};
        }
        model.TouchSelection(vertices, faces);
    }
}

void TouchEverySelection(std::vector<CModel>& models) {
    for (CModel& model : models) {
        model.TouchSelection();
    }
}

// After a click that set the flags of `best` alone on a dropped selection.
void LeaveTrace(CCentigrade& scene, const PickHit* best) {
    std::vector<ObjectPickCache>& caches = PickCaches(scene);
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        ObjectPickCache& trace = caches[i];
        trace.selection = scene.models[i].selectionRevision;
        trace.topology = scene.models[i].topologyRevision;
        trace.face = trace.vertex = -1;
        if (best && static_cast<std::size_t>(best->object) == i) {
            (best->kind == PickKind::Face ? trace.face : trace.vertex) = best->element;
        }
    }
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
    return Collect(scene, window, EligibleElements(scene));
}

std::vector<PickHit> CollectHits(const CCentigrade& scene, const PickWindow& window,
                                 const PickEligibility& eligible) {
    return Collect(scene, window, eligible);
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
// array, so a click that drops the previous selection and sets the flags of
// one vertex or face leaves a trace that lets the next such click clear just
// those, and rebuilds the marks from that face alone.
bool Pick(CCentigrade& scene, int x, int y, const PickInspector& inspect) {
    const PickWindow window =
        scene.toolMode == ToolRangeSelect ? RangePickWindow(scene) : ClickPickWindow(scene, x, y);
    const bool replaces = PickReplacesSelection(scene);
    std::vector<PickHit> records = Collect(scene, window, EligibleElements(scene));
    scene.hitIndex = HandleNone;
    if (replaces) {
        DropSelection(scene);
    }
    const bool handleHit = std::any_of(records.begin(), records.end(), [](const PickHit& hit) {
        return hit.kind == PickKind::Handle;
    });
    if (!replaces && !records.empty() && !handleHit) {
        TouchEverySelection(scene.models);
    }
    if (records.empty()) {
        const bool clears =
            scene.toolMode == ToolSelect && scene.selectMode == SelectConnected && !scene.keyFlag;
        if (clears) {
            ClearSelection(scene);
        }
        if (clears || replaces) {
            LeaveTrace(scene, nullptr);
        }
        return false;
    }
    const PickResult result = ResolveHits(std::move(records));
    const PickHit& best = result.best;
    if (inspect) {
        inspect(result);
    }
    if (scene.toolMode == ToolRangeSelect) {
        // The range derivation and the marks of the manipulator share one pass
        // over the faces.
        ClearMarks(scene);
        MarkRangeVertices(scene, result.records);
        SelectFromMarksThenRemark(scene.models, scene.edgeSelectable, scene.faceSelectable);
        TouchEverySelection(scene.models);
        PlaceGizmo(scene);
    } else if (replaces && best.kind != PickKind::Edge) {
        ApplyHits(scene, result);
        CModel& model = scene.models[static_cast<std::size_t>(best.object)];
        const auto element = static_cast<std::size_t>(best.element);
        if (best.kind == PickKind::Face) {
            model.TouchSelection({}, {element, element + 1});
        } else {
            model.TouchSelection({element, element + 1}, {});
        }
        ClearMarks(scene);
        if (best.kind == PickKind::Face) {
            MarkFaceCorners(model, model.faces[element]);
        }
        PlaceGizmo(scene);
        LeaveTrace(scene, &best);
    } else {
        if (replaces) {
            ApplyHits(scene, result);
            TouchEverySelection(scene.models);
        } else {
            ProcessHits(scene, result);
        }
        UpdateGizmo(scene);
    }
    return true;
}
