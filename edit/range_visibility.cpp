#include "edit/range_visibility.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "edit/pick_clip.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"
#include "view/view_math.h"

namespace {

// Depth added to every face beyond its slope: a few steps of a 24-bit buffer.
constexpr double kDepthUnits = 16.0 / 16777216.0;
constexpr unsigned kNearPlaneBit = 1u << 4;  // z >= -w, in OutCode's order

// One depth sample at the centre of each pixel of the pick rectangle: the
// nearest of the faces over it, pushed back.
class DepthSamples {
public:
    DepthSamples(int width, int height)
        : width_(width),
          height_(height),
          depth_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                 std::numeric_limits<float>::infinity()) {}

    // A triangle in the rectangle's window coordinates (pixels, depth 0 to 1).
    void Triangle(const WindowCoord& a, const WindowCoord& b, const WindowCoord& c) {
        const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (!(std::abs(area) > 0.0) || !std::isfinite(area)) {
            return;
        }
        const double dzdx = ((b.z - a.z) * (c.y - a.y) - (c.z - a.z) * (b.y - a.y)) / area;
        const double dzdy = ((c.z - a.z) * (b.x - a.x) - (b.z - a.z) * (c.x - a.x)) / area;
        // A vertex lies at most half a pixel from its sample along each axis.
        const double pushed = a.z + std::abs(dzdx) + std::abs(dzdy) + kDepthUnits;
        const int x0 = FirstCentre(std::min({a.x, b.x, c.x}), width_);
        const int x1 = LastCentre(std::max({a.x, b.x, c.x}), width_);
        const int y0 = FirstCentre(std::min({a.y, b.y, c.y}), height_);
        const int y1 = LastCentre(std::max({a.y, b.y, c.y}), height_);
        const double sign = area > 0.0 ? 1.0 : -1.0;
        for (int y = y0; y <= y1; ++y) {
            const double sy = y + 0.5;
            for (int x = x0; x <= x1; ++x) {
                const double sx = x + 0.5;
                if (sign * Edge(b, c, sx, sy) < 0.0 || sign * Edge(c, a, sx, sy) < 0.0 ||
                    sign * Edge(a, b, sx, sy) < 0.0) {
                    continue;
                }
                const auto z = static_cast<float>(pushed + dzdx * (sx - a.x) + dzdy * (sy - a.y));
                float& sample = depth_[Index(x, y)];
                sample = std::min(sample, z);
            }
        }
    }

    // Whether the box around the points holds a pixel's centre.
    bool CoversSample(const WindowCoord* points, std::size_t n) const {
        double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
        for (std::size_t k = 1; k < n; ++k) {
            minX = std::min(minX, points[k].x);
            maxX = std::max(maxX, points[k].x);
            minY = std::min(minY, points[k].y);
            maxY = std::max(maxY, points[k].y);
        }
        return FirstCentre(minX, width_) <= LastCentre(maxX, width_) &&
               FirstCentre(minY, height_) <= LastCentre(maxY, height_);
    }

    // The sample of the pixel holding window point (x, y).
    float At(double x, double y) const {
        const auto column = static_cast<int>(std::clamp(std::floor(x), 0.0, width_ - 1.0));
        const auto row = static_cast<int>(std::clamp(std::floor(y), 0.0, height_ - 1.0));
        return depth_[Index(column, row)];
    }

private:
    static double Edge(const WindowCoord& p, const WindowCoord& q, double x, double y) {
        return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    }
    // The first and last pixel whose centre lies in [low, high], within [0, size).
    static int FirstCentre(double low, int size) {
        return static_cast<int>(std::ceil(std::clamp(low - 0.5, 0.0, static_cast<double>(size))));
    }
    static int LastCentre(double high, int size) {
        return static_cast<int>(
            std::floor(std::clamp(high - 0.5, -1.0, static_cast<double>(size - 1))));
    }
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<float> depth_;
};

// Whether a face's material is one the view draws it with.
class DrawnMaterials {
public:
    explicit DrawnMaterials(const std::vector<CMaterial>& materials) {
        for (const CMaterial& m : materials) {
            ids_.push_back(m.id);
        }
        std::sort(ids_.begin(), ids_.end());
    }

    // Faces mostly come in runs of one material: the last answer is kept.
    bool Drawn(int material) {
        if (!known_ || material != last_) {
            known_ = true;
            last_ = material;
            lastDrawn_ = std::binary_search(ids_.begin(), ids_.end(), material);
        }
        return lastDrawn_;
    }

private:
    std::vector<int> ids_;
    bool known_ = false;
    int last_ = 0;
    bool lastDrawn_ = false;
};

ClipCoord ToClip(const Matrix4& m, const CVector& p) {
    return Transform(m, p.x, p.y, p.z);
}

// Whether the box lies wholly outside one plane of the clip volume of `m`.
bool BoxOutside(const Matrix4& m, const BoundingBox& box) {
    unsigned shared = 0x3F;
    for (int corner = 0; corner < 8 && shared != 0; ++corner) {
        const CVector p(corner & 1 ? box.max[0] : box.min[0], corner & 2 ? box.max[1] : box.min[1],
                        corner & 4 ? box.max[2] : box.min[2]);
        shared &= OutCode(ToClip(m, p));
    }
    return shared != 0;
}

// The part of a polygon in front of the near plane. A quad that twists
// through the plane can cross it at every edge: 4 corners and 4 crossings.
constexpr std::size_t kMaxCorners = 8;
struct Polygon {
    std::array<ClipCoord, kMaxCorners> corners;
    std::size_t size = 0;
};

Polygon ClipToNearPlane(const std::array<ClipCoord, 4>& in, std::size_t n) {
    Polygon out;
    for (std::size_t i = 0; i < n; ++i) {
        const ClipCoord& p = in[i];
        const ClipCoord& q = in[(i + 1) % n];
        const double dp = p.w + p.z;
        const double dq = q.w + q.z;
        if (dp >= 0.0) {
            out.corners[out.size++] = p;
        }
        if ((dp >= 0.0) != (dq >= 0.0)) {
            const double t = dp / (dp - dq);
            out.corners[out.size++] = {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t,
                                       p.z + (q.z - p.z) * t, p.w + (q.w - p.w) * t};
        }
    }
    return out;
}

// Rasterises a polygon of window coordinates when the view draws its front
// (corners running clockwise, as the pick's culling has it).
void AddFront(const WindowCoord* corners, std::size_t n, DepthSamples& depth) {
    double twiceArea = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const WindowCoord& p = corners[k];
        const WindowCoord& q = corners[(k + 1) % n];
        twiceArea += p.x * q.y - q.x * p.y;
    }
    if (!(twiceArea < 0.0)) {
        return;
    }
    for (std::size_t k = 2; k < n; ++k) {
        depth.Triangle(corners[0], corners[k - 1], corners[k]);
    }
}

void AddFace(const CModel& model, const CFace& f, const Matrix4& m, const Viewport& samples,
             DepthSamples& depth) {
    const std::size_t n = f.indices.size();
    std::array<ClipCoord, 4> clip;
    unsigned shared = 0x3F;
    unsigned any = 0;
    for (std::size_t k = 0; k < n; ++k) {
        clip[k] = ToClip(m, model.vertices[static_cast<std::size_t>(f.indices[k])]);
        const unsigned code = OutCode(clip[k]);
        shared &= code;
        any |= code;
    }
    if (shared != 0) {
        return;
    }
    if ((any & kNearPlaneBit) == 0) {
        // Most faces of a big mesh are smaller than a pixel: those that hold
        // no pixel's centre are passed by at once.
        std::array<WindowCoord, 4> window;
        for (std::size_t k = 0; k < n; ++k) {
            window[k] = ToWindow(clip[k], samples);
        }
        if (depth.CoversSample(window.data(), n)) {
            AddFront(window.data(), n, depth);
        }
        return;
    }
    const Polygon polygon = ClipToNearPlane(clip, n);
    std::array<WindowCoord, kMaxCorners> window;
    for (std::size_t k = 0; k < polygon.size; ++k) {
        window[k] = ToWindow(polygon.corners[k], samples);
    }
    AddFront(window.data(), polygon.size, depth);
}

// Every face the view draws that reaches into the pick volume of `m`; the
// boxes of the pick caches dismiss most of a big object at once.
void AddDrawnFaces(const CCentigrade& scene, const Matrix4& m, const Viewport& samples,
                   DepthSamples& depth) {
    DrawnMaterials materials(scene.materials);
    scene.pickCaches.resize(scene.models.size());
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        const CModel& model = scene.models[i];
        if (model.IsHidden()) {
            continue;
        }
        BlockBounds& bounds = scene.pickCaches[i].bounds;
        bounds.Refresh(model);
        const BoxLevels& levels = bounds.Faces();
        for (std::size_t l = 0; l < levels.leaves.size(); ++l) {
            if (l % BoxLevels::kLeavesPerGroup == 0 &&
                BoxOutside(m, levels.groups[l / BoxLevels::kLeavesPerGroup])) {
                l += BoxLevels::kLeavesPerGroup - 1;
                continue;
            }
            if (BoxOutside(m, levels.leaves[l])) {
                continue;
            }
            const std::size_t end = std::min((l + 1) * BoxLevels::kLeafSize, model.faces.size());
            for (std::size_t r = l * BoxLevels::kLeafSize; r < end; ++r) {
                const CFace& f = model.faces[r];
                if (IsSurface(f) && !f.hidden && materials.Drawn(f.material)) {
                    AddFace(model, f, m, samples, depth);
                }
            }
        }
    }
}

}  // namespace

void DropOccludedVertices(const CCentigrade& scene, const PickWindow& window,
                          std::vector<PickHit>& records) {
    const bool anyVertex = std::any_of(records.begin(), records.end(), [](const PickHit& hit) {
        return hit.kind == PickKind::Vertex;
    });
    const Viewport viewport = SceneViewport(scene);
    if (!anyVertex || !scene.showFaces || viewport.width <= 0 || viewport.height <= 0) {
        return;
    }
    const Matrix4 m = PickMatrix(window.x, window.y, window.width, window.height, viewport) *
                      SceneProjection(scene) * SceneModelView(scene);
    const Viewport samples{0, 0, std::max(static_cast<int>(std::ceil(window.width)), 1),
                           std::max(static_cast<int>(std::ceil(window.height)), 1)};
    DepthSamples depth(samples.width, samples.height);
    AddDrawnFaces(scene, m, samples, depth);
    std::erase_if(records, [&](const PickHit& hit) {
        if (hit.kind != PickKind::Vertex) {
            return false;
        }
        const CVector& v = scene.models[static_cast<std::size_t>(hit.object)]
                               .vertices[static_cast<std::size_t>(hit.element)];
        const WindowCoord p = ToWindow(ToClip(m, v), samples);
        return p.z > depth.At(p.x, p.y);
    });
}
