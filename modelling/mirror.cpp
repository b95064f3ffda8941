#include "modelling/mirror.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

namespace {

constexpr int kUnused = -2;
constexpr int kOnPlane = -1;

// How far from the plane a vertex may lie and still be on it: a
// hundred-thousandth of the diagonal of the box around the vertices.
double PlaneTolerance(const CModel& model, const std::vector<int>& mirrored) {
    CVector low(INFINITY, INFINITY, INFINITY);
    CVector high(-INFINITY, -INFINITY, -INFINITY);
    for (std::size_t v = 0; v < mirrored.size(); ++v) {
        if (mirrored[v] != kUnused) {
            ExtendBounds(model.vertices[v], low, high);
        }
    }
    return 1e-5 * static_cast<double>(Minus(high, low).Length());
}

float Reflected(float coordinate, float plane) {
    return plane - (coordinate - plane);
}

// The vertices the selected faces use: kOnPlane, or kUnused for the others.
std::vector<int> UsedBySelection(const CModel& model) {
    std::vector<int> mirrored(model.vertices.size(), kUnused);
    for (const CFace& face : model.faces) {
        if (face.selected) {
            for (int v : face.indices) {
                mirrored[static_cast<std::size_t>(v)] = kOnPlane;
            }
        }
    }
    return mirrored;
}

ModellingResult MirrorInPlace(CModel& model, std::size_t object, int axis, float plane,
                              PriorState* prior) {
    const std::vector<int> mirrored = UsedBySelection(model);
    BeginInPlace(prior, object, model);
    for (std::size_t v = 0; v < mirrored.size(); ++v) {
        if (mirrored[v] != kUnused) {
            float& c = Coordinate(model.vertices[v], axis);
            c = Reflected(c, plane);
        }
    }
    ModellingResult result;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        CFace& face = model.faces[f];
        if (face.selected) {
            KeepFace(prior, object, f, face);
            ReverseCorners(face);
            ++result.acted;
        }
    }
    FinishReshape(model, object, result);
    return result;
}

ModellingResult MirrorCopy(CModel& model, std::size_t object, int axis, float plane, bool weld,
                           PriorState* prior) {
    // mirrored[v]: the reflection of v, kOnPlane when v is its own.
    std::vector<int> mirrored = UsedBySelection(model);
    const double tolerance = weld ? PlaneTolerance(model, mirrored) : -1.0;
    auto next = static_cast<int>(model.vertices.size());
    for (std::size_t v = 0; v < mirrored.size(); ++v) {
        if (mirrored[v] == kOnPlane) {
            const double offset = Coordinate(model.vertices[v], axis) - plane;
            mirrored[v] = std::fabs(offset) <= tolerance ? kOnPlane : next++;
        }
    }
    const auto onPlane = [&](int v) { return mirrored[static_cast<std::size_t>(v)] == kOnPlane; };
    std::vector<std::size_t> copied;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (face.selected && !std::all_of(face.indices.begin(), face.indices.end(), onPlane)) {
            copied.push_back(f);
        }
    }
    const std::size_t newVertices = static_cast<std::size_t>(next) - model.vertices.size();
    if (static_cast<std::size_t>(next) > kMaximumElements ||
        model.faces.size() + copied.size() > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    ModellingResult result;
    if (copied.empty()) {
        return result;
    }
    const std::size_t oldVertices = model.vertices.size();
    GrowArrays(model, object, newVertices, copied.size(), prior);
    ClearSelectionOf(model);
    for (std::size_t v = 0; v < oldVertices; ++v) {
        CVector& p = model.vertices[v];
        if (mirrored[v] == kOnPlane) {
            Coordinate(p, axis) = plane;
        } else if (mirrored[v] >= 0) {
            CVector reflection = Point(p.x, p.y, p.z);
            Coordinate(reflection, axis) = Reflected(Coordinate(p, axis), plane);
            model.vertices.push_back(reflection);
        }
    }
    for (std::size_t f : copied) {
        CFace copy = CopyFace(model.faces[f]);
        for (int& v : copy.indices) {
            const int m = mirrored[static_cast<std::size_t>(v)];
            v = m == kOnPlane ? v : m;
        }
        ReverseCorners(copy);
        SelectWhole(copy);
        model.faces.push_back(std::move(copy));
    }
    result.acted = copied.size();
    FinishReshape(model, object, result);
    return result;
}

}  // namespace

ModellingResult MirrorFaces(CCentigrade& scene, const MirrorOptions& options, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!IsFinitePoint(options.centre)) {
        return ModellingResult::Refuse(ModellingRefusal::CentreOutOfRange);
    }
    CModel& model = scene.models[target.object];
    const int axis = static_cast<int>(options.axis);
    const float plane = Coordinate(options.centre, axis);
    ModellingResult result =
        options.copy ? MirrorCopy(model, target.object, axis, plane, options.weld, prior)
                     : MirrorInPlace(model, target.object, axis, plane, prior);
    if (result.Changed()) {
        PlaceGizmo(scene);
    }
    return result;
}
