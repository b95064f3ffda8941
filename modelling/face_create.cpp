#include "modelling/face_create.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"
#include "view/view_math.h"

namespace {

// The normal of the plane the corners lie in, pointing along the view: the
// largest cross product of two offsets from the centroid (the pair that
// spans the widest triangle), so that it does not depend on the corner order.
CVector PlaneNormal(const std::vector<CVector>& points, const CVector& centroid,
                    const CVector& view) {
    CVector best;
    float bestLength = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const CVector n = CrossOf(Minus(points[i], centroid), Minus(points[j], centroid));
            const float length = LengthSquared(n);
            if (length > bestLength) {
                best = n;
                bestLength = length;
            }
        }
    }
    if (bestLength == 0) {
        return view;  // all corners on one line: any plane through it will do
    }
    return CVector::Dot(best, view) < 0 ? Times(best, -1.0f) : best;
}

// The corners in the order of their angle around the centroid in the plane
// normal to `normal`.
void OrderAround(std::vector<int>& corners, const std::vector<CVector>& points,
                 const CVector& centroid, const CVector& normal) {
    // Any direction in the plane serves as the zero angle.
    const CVector axis = std::fabs(normal.x) < 0.9f ? Point(1, 0, 0) : Point(0, 1, 0);
    const CVector u = Unit(CrossOf(normal, axis));
    const CVector w = Unit(CrossOf(normal, u));
    std::vector<std::pair<double, int>> byAngle;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const CVector d = Minus(points[i], centroid);
        byAngle.emplace_back(std::atan2(CVector::Dot(d, w), CVector::Dot(d, u)), corners[i]);
    }
    std::sort(byAngle.begin(), byAngle.end());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        corners[i] = byAngle[i].second;
    }
}

}  // namespace

CVector CameraViewDirection(const CCentigrade& scene) {
    // The eye looks along -z of eye space; the model-view's third row is
    // that axis in object coordinates (its rotation is orthogonal and its
    // scale uniform).
    const Matrix4 modelView = SceneModelView(scene);
    return Unit(Point(static_cast<float>(-modelView.at(2, 0)),
                      static_cast<float>(-modelView.at(2, 1)),
                      static_cast<float>(-modelView.at(2, 2))));
}

ModellingResult CreateFace(CCentigrade& scene, const FaceCreateOptions& options,
                           PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!IsFinitePoint(options.viewDirection)) {
        return ModellingResult::Refuse(ModellingRefusal::CentreOutOfRange);
    }
    CModel& model = scene.models[target.object];
    const std::vector<bool> affected = AffectedVertices(model);
    std::vector<int> corners;
    for (std::size_t v = 0; v < affected.size() && corners.size() <= 4; ++v) {
        if (affected[v]) {
            corners.push_back(static_cast<int>(v));
        }
    }
    if (corners.empty()) {
        return ModellingResult::Refuse(ModellingRefusal::NoVertexSelected);
    }
    if (corners.size() < 2) {
        return ModellingResult::Refuse(ModellingRefusal::TooFewVertices);
    }
    if (corners.size() > 4) {
        return ModellingResult::Refuse(ModellingRefusal::TooManyVertices);
    }
    if (model.faces.size() >= kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    ModellingResult result;
    const int material = MaterialForNewFaces(scene, result);
    if (corners.size() > 2) {
        std::vector<CVector> points;
        CVector sum;
        for (int v : corners) {
            const CVector& p = model.vertices[static_cast<std::size_t>(v)];
            points.push_back(Point(p.x, p.y, p.z));
            sum = Plus(sum, p);
        }
        const CVector centroid = Times(sum, 1.0f / static_cast<float>(corners.size()));
        const CVector view = Unit(options.viewDirection);
        OrderAround(corners, points, centroid, PlaneNormal(points, centroid, view));
    }
    GrowArrays(model, target.object, 0, 1, prior);
    CFace face = MakeFace(corners, material);
    // Seen from the camera when the face normal, Newell's sum, points along
    // the view.
    model.faces.push_back(face);
    if (CVector::Dot(NewellSum(model, model.faces.back()), options.viewDirection) < 0) {
        ReverseCorners(model.faces.back());
    }
    ClearSelectionOf(model);
    SelectWhole(model.faces.back());
    result.acted = corners.size();
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
