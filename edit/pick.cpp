#include "edit/pick.h"

#include <array>
#include <cstdint>
#include <span>

#include "edit/manipulator_tables.h"
#include "edit/parallel.h"
#include "edit/pick_clip.h"
#include "edit/view_math.h"
#include "scene/centigrade.h"

namespace {

constexpr double kClickWindowSize = 8.0;

// The hits of one object, one list per element kind; a second list per kind
// holds the records of the second thread's half.
struct ObjectHits {
    std::array<std::vector<PickHit>, 2> vertices;
    std::array<std::vector<PickHit>, 2> edges;
    std::array<std::vector<PickHit>, 2> faces;
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
        records.push_back(
            {PickHandle, static_cast<int>(PickHandle), handle, SelectBufferDepth(*nearest)});
    }
}

void CollectHandles(const CCentigrade& scene, const Matrix4& m, std::vector<PickHit>& records) {
    const auto centre = std::span(handleCubePoints).subspan(24, 8);
    switch (scene.toolMode) {
        case ToolMove:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleX; axis <= HandleZ; ++axis) {
                CollectShape(m,
                             std::span(handleArrowPoints)
                                 .subspan(static_cast<std::size_t>(axis * kArrowPointsPerAxis),
                                          kArrowPointsPerAxis),
                             handleArrowTriangles, axis, records);
            }
            break;
        case ToolRotate:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleX; axis <= HandleZ; ++axis) {
                CollectShape(m,
                             std::span(handleRingPoints)
                                 .subspan(static_cast<std::size_t>(axis * kRingPointsPerAxis),
                                          kRingPointsPerAxis),
                             handleRingTriangles, axis, records);
            }
            break;
        case ToolScale:
            CollectShape(m, centre, handleCubeTriangles, HandleCenter, records);
            for (int axis = HandleZ; axis >= HandleX; --axis) {
                CollectShape(m,
                             std::span(handleCubePoints)
                                 .subspan(static_cast<std::size_t>(axis * kCubePointsPerCube),
                                          kCubePointsPerCube),
                             handleCubeTriangles, axis, records);
            }
            break;
        default:
            break;
    }
}

// Every vertex is transformed once; its out-code then lets the edges and faces
// that lie wholly outside one plane of the small pick volume, almost all of
// them, be dismissed without clipping.
void CollectObject(const CModel& model, int object, const Matrix4& m,
                   const PickEligibility& eligible, ObjectHits& hits) {
    const std::size_t vertexCount = model.vertices.size();
    std::vector<std::uint8_t> codes(vertexCount);
    ForParts(vertexCount, [&](int part, std::size_t begin, std::size_t end) {
        std::vector<PickHit>& found = hits.vertices[static_cast<std::size_t>(part)];
        for (std::size_t i = begin; i < end; ++i) {
            const ClipCoord c = ToClip(m, model.vertices[i]);
            const unsigned code = OutCode(c);
            codes[i] = static_cast<std::uint8_t>(code);
            if (code == 0 && eligible.vertices) {
                if (const auto depth = PointDepth(c)) {
                    found.push_back(
                        {PickVertex, object, static_cast<int>(i), SelectBufferDepth(*depth)});
                }
            }
        }
    });
    if (!eligible.edges && !eligible.faces) {
        return;
    }

    std::array<int, 2> edgesInPart = {0, 0};
    const int parts = ForParts(model.faces.size(), [&](int part, std::size_t begin,
                                                       std::size_t end) {
        const auto p = static_cast<std::size_t>(part);
        std::vector<PickHit>& edgeHits = hits.edges[p];
        std::vector<PickHit>& faceHits = hits.faces[p];
        int edgeNumber = 0;
        for (std::size_t r = begin; r < end; ++r) {
            const CFace& f = model.faces[r];
            const std::size_t n = f.indices.size();
            if (n < 2 || n > 4) {
                continue;
            }
            const int edgeCount = n == 2 ? 1 : static_cast<int>(n);
            const int firstEdge = edgeNumber;
            edgeNumber += edgeCount;
            unsigned shared = 0x3F;
            for (int v : f.indices) {
                shared &= codes[static_cast<std::size_t>(v)];
            }
            if (shared != 0) {
                continue;
            }
            if (eligible.edges) {
                for (int k = 0; k < edgeCount; ++k) {
                    const auto a = static_cast<std::size_t>(f.indices[static_cast<std::size_t>(k)]);
                    const auto b =
                        static_cast<std::size_t>(f.indices[(static_cast<std::size_t>(k) + 1) % n]);
                    if ((codes[a] & codes[b]) != 0) {
                        continue;
                    }
                    if (const auto depth = SegmentDepth(ToClip(m, model.vertices[a]),
                                                        ToClip(m, model.vertices[b]))) {
                        edgeHits.push_back(
                            {PickEdge, object, firstEdge + k, SelectBufferDepth(*depth)});
                    }
                }
            }
            if (eligible.faces && n > 2) {
                std::array<ClipCoord, 4> corners;
                for (std::size_t c = 0; c < n; ++c) {
                    corners[c] = ToClip(m, model.vertices[static_cast<std::size_t>(f.indices[c])]);
                }
                if (const auto depth = FrontPolygonDepth(std::span(corners).first(n))) {
                    faceHits.push_back(
                        {PickFace, object, static_cast<int>(r), SelectBufferDepth(*depth)});
                }
            }
        }
        edgesInPart[p] = edgeNumber;
    });
    // The second half numbered its edges from 0; they follow the first half's.
    if (parts == 2) {
        for (PickHit& hit : hits.edges[1]) {
            hit.element += edgesInPart[0];
        }
    }
}

}  // namespace

PickEligibility EligibleElements(const CCentigrade& scene) {
    const bool select = scene.toolMode == ToolSelect;
    const bool range = scene.toolMode == ToolRangeSelect;
    PickEligibility e;
    e.handles = scene.showGizmo && (scene.toolMode == ToolMove || scene.toolMode == ToolRotate ||
                                    scene.toolMode == ToolScale);
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
    std::vector<PickHit> records;
    const Viewport viewport = SceneViewport(scene);
    if (viewport.width <= 0 || viewport.height <= 0) {
        return records;
    }
    const PickEligibility eligible = EligibleElements(scene);
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
    std::vector<ObjectHits> perObject(scene.models.size());
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        if (scene.models[i].state == 0) {
            CollectObject(scene.models[i], static_cast<int>(i), m, eligible, perObject[i]);
        }
    }
    for (auto kind : {&ObjectHits::vertices, &ObjectHits::edges, &ObjectHits::faces}) {
        for (const ObjectHits& hits : perObject) {
            for (const std::vector<PickHit>& part : hits.*kind) {
                records.insert(records.end(), part.begin(), part.end());
            }
        }
    }
    return records;
}

PickResult ResolveHits(std::vector<PickHit> records) {
    PickResult result;
    float bestDepth = 10000.0f;
    unsigned bestKind = 0xFFFF;
    for (const PickHit& hit : records) {
        if (hit.depth < bestDepth && hit.kind <= bestKind) {
            result.best = hit;
            bestDepth = hit.depth;
            bestKind = hit.kind;
        }
        if (hit.kind == PickHandle && result.handle == HandleNone) {
            result.handle = hit.element;
        }
    }
    result.records = std::move(records);
    return result;
}

bool CCentigrade::Pick(int x, int y) {
    const PickWindow window =
        toolMode == ToolRangeSelect ? RangePickWindow(*this) : ClickPickWindow(*this, x, y);
    std::vector<PickHit> records = CollectHits(*this, window);
    hitIndex = HandleNone;
    if (records.empty()) {
        const bool clears = (toolMode == ToolSelect &&
                             (selectMode == SelectNormal || selectMode == SelectConnected)) ||
                            toolMode == ToolRangeSelect;
        if (clears && !keyFlag) {
            ClearSelection();
        }
        return false;
    }
    ProcessHits(ResolveHits(std::move(records)));
    UpdateGizmo();
    return true;
}
