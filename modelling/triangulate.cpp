#include "modelling/triangulate.h"

#include <algorithm>
#include <utility>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

namespace {

bool IsSplit(const CFace& face) {
    return face.selected && face.indices.size() == 4;
}

// The triangle of corners a, b, c of quad `face`, with their texture coordinates.
CFace Triangle(const CFace& face, std::size_t a, std::size_t b, std::size_t c) {
    const int corners[3] = {face.indices[a], face.indices[b], face.indices[c]};
    CFace triangle;
    if (face.uvs.empty()) {
        triangle = MakeFace(corners, face.material);
    } else {
        const CUV uvs[3] = {face.uvs[a], face.uvs[b], face.uvs[c]};
        triangle = MakeFace(corners, face.material, uvs);
    }
    SelectWhole(triangle);
    return triangle;
}

}  // namespace

ModellingResult TriangulateFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    const auto quads =
        static_cast<std::size_t>(std::count_if(model.faces.begin(), model.faces.end(), IsSplit));
    ModellingResult result;
    if (quads == 0) {
        return result;
    }
    if (model.faces.size() + quads > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    LargeArray<CFace> faces;
    faces.reserve(model.faces.size() + quads);
    for (CFace& face : model.faces) {
        if (!IsSplit(face)) {
            CarryFace(faces, face, prior);
            continue;
        }
        const auto at = [&](std::size_t k) -> const CVector& {
            return model.vertices[static_cast<std::size_t>(face.indices[k])];
        };
        if (LengthSquared(Minus(at(0), at(2))) <= LengthSquared(Minus(at(1), at(3)))) {
            faces.push_back(Triangle(face, 0, 1, 2));
            faces.push_back(Triangle(face, 0, 2, 3));
        } else {
            faces.push_back(Triangle(face, 0, 1, 3));
            faces.push_back(Triangle(face, 1, 2, 3));
        }
    }
    ReplaceFaces(model, target.object, std::move(faces), prior);
    result.acted = quads;
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
