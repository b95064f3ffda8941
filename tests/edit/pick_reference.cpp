#include "pick_reference.h"

#include <array>
#include <optional>
#include <span>

#include "edit/pick_clip.h"
#include "view/manipulator_tables.h"
#include "view/view_math.h"

namespace {

ClipCoord Clip(const Matrix4& m, const CVector& p) {
    return Transform(m, p.x, p.y, p.z);
}

void Shape(const Matrix4& m, std::span<const CVector> points,
           std::span<const HandleTriangle> triangles, int handle, std::vector<PickHit>& out) {
    std::optional<double> best;
    for (const HandleTriangle& t : triangles) {
        const std::array<ClipCoord, 3> c = {Clip(m, points[static_cast<std::size_t>(t[0])]),
                                            Clip(m, points[static_cast<std::size_t>(t[1])]),
                                            Clip(m, points[static_cast<std::size_t>(t[2])])};
        const auto d = FrontPolygonDepth(c);
        if (d && (!best || *d < *best)) {
            best = d;
        }
    }
    if (best) {
        out.push_back({PickKind::Handle, kNoObject, handle, SelectBufferDepth(*best)});
    }
}

// Whether each vertex is used by faces that are all hidden.
std::vector<bool> HiddenVertices(const CModel& model) {
    std::vector<bool> onAny(model.vertices.size(), false);
    std::vector<bool> onVisible(model.vertices.size(), false);
    for (const CFace& f : model.faces) {
        for (int v : f.indices) {
            onAny[static_cast<std::size_t>(v)] = true;
            if (!f.hidden) {
                onVisible[static_cast<std::size_t>(v)] = true;
            }
        }
    }
    std::vector<bool> hidden(model.vertices.size());
    for (std::size_t v = 0; v < hidden.size(); ++v) {
        hidden[v] = onAny[v] && !onVisible[v];
    }
    return hidden;
}

}  // namespace

std::vector<PickHit> ReferenceHits(const CCentigrade& scene, const PickWindow& window) {
    std::vector<PickHit> out;
    const Viewport viewport = SceneViewport(scene);
    if (viewport.width <= 0 || viewport.height <= 0) {
        return out;
    }
    const Matrix4 projection =
        PickMatrix(window.x, window.y, window.width, window.height, viewport) *
        SceneProjection(scene);
    const int tool = scene.toolMode;
    const int mode = scene.selectMode;

    if (scene.showGizmo) {
        const Matrix4 m = projection * ManipulatorModelView(scene);
        const std::span<const CVector> cubes(handleCubePoints);
        if (tool == ToolMove || tool == ToolRotate || tool == ToolScale) {
            Shape(m, cubes.subspan(24, 8), handleCubeTriangles, 3, out);
        }
        for (int i = 0; i < 3; ++i) {
            const auto a = static_cast<std::size_t>(i);
            if (tool == ToolMove) {
                Shape(m, std::span(handleArrowPoints).subspan(a * 5, 5), handleArrowTriangles, i,
                      out);
            } else if (tool == ToolRotate) {
                Shape(m, std::span(handleRingPoints).subspan(a * 24, 24), handleRingTriangles, i,
                      out);
            } else if (tool == ToolScale) {
                Shape(m, cubes.subspan((2 - a) * 8, 8), handleCubeTriangles, 2 - i, out);
            }
        }
    }

    const Matrix4 m = projection * SceneModelView(scene);
    const bool anySelectable =
        scene.vertexSelectable || scene.edgeSelectable || scene.faceSelectable;
    if ((tool == ToolSelect && scene.vertexSelectable && mode == SelectNormal) ||
        (tool == ToolRangeSelect && anySelectable)) {
        for (std::size_t o = 0; o < scene.models.size(); ++o) {
            const CModel& model = scene.models[o];
            const std::vector<bool> hidden = HiddenVertices(model);
            for (std::size_t i = 0; model.IsEditable() && i < model.vertices.size(); ++i) {
                if (hidden[i]) {
                    continue;
                }
                if (const auto d = PointDepth(Clip(m, model.vertices[i]))) {
                    out.push_back({PickKind::Vertex, static_cast<int>(o), static_cast<int>(i),
                                   SelectBufferDepth(*d)});
                }
            }
        }
    }
    if (tool == ToolSelect &&
        ((scene.edgeSelectable && mode == SelectNormal) || mode == SelectBelt)) {
        for (std::size_t o = 0; o < scene.models.size(); ++o) {
            const CModel& model = scene.models[o];
            int counter = 0;
            for (std::size_t r = 0; model.IsEditable() && r < model.faces.size(); ++r) {
                const auto& idx = model.faces[r].indices;
                const std::size_t n = idx.size();
                const std::size_t segments = n == 2 ? 1 : (n == 3 || n == 4) ? n : 0;
                for (std::size_t k = 0; k < segments; ++k) {
                    if (model.faces[r].hidden) {
                        ++counter;
                        continue;
                    }
                    const auto d = SegmentDepth(
                        Clip(m, model.vertices[static_cast<std::size_t>(idx[k])]),
                        Clip(m, model.vertices[static_cast<std::size_t>(idx[(k + 1) % n])]));
                    if (d) {
                        out.push_back(
                            {PickKind::Edge, static_cast<int>(o), counter, SelectBufferDepth(*d)});
                    }
                    ++counter;
                }
            }
        }
    }
    if ((tool == ToolSelect && scene.faceSelectable && mode != SelectBelt) ||
        tool == ToolDeleteFace || tool == ToolPaintMaterial) {
        for (std::size_t o = 0; o < scene.models.size(); ++o) {
            const CModel& model = scene.models[o];
            for (std::size_t r = 0; model.IsEditable() && r < model.faces.size(); ++r) {
                const auto& idx = model.faces[r].indices;
                if ((idx.size() != 3 && idx.size() != 4) || model.faces[r].hidden) {
                    continue;
                }
                std::vector<ClipCoord> corners;
                for (int v : idx) {
                    corners.push_back(Clip(m, model.vertices[static_cast<std::size_t>(v)]));
                }
                if (const auto d = FrontPolygonDepth(corners)) {
                    out.push_back({PickKind::Face, static_cast<int>(o), static_cast<int>(r),
                                   SelectBufferDepth(*d)});
                }
            }
        }
    }
    return out;
}
