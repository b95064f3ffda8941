#include "modelling/create.h"

#include <string>
#include <utility>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

std::string_view PrimitiveName(Primitive shape) {
    switch (shape) {
        case Primitive::Plane:
            return "平面";
        case Primitive::Cube:
            return "立方体";
        case Primitive::Cylinder:
            return "円柱";
        case Primitive::Sphere:
            return "球";
        case Primitive::Cone:
            return "円錐";
    }
    return "";
}

ModellingResult CreatePrimitive(CCentigrade& scene, Primitive shape,
                                const PrimitiveOptions& options, PriorState* prior) {
    if (const ModellingRefusal why = CheckPrimitiveOptions(shape, options);
        why != ModellingRefusal::None) {
        return ModellingResult::Refuse(why);
    }
    ModellingResult result;
    const int material = MaterialForNewFaces(scene, result);
    CModel model = BuildPrimitive(shape, options, material);
    model.name = UnusedObjectName(scene, Utf8ToCp932(PrimitiveName(shape)));
    for (CFace& face : model.faces) {
        SelectWhole(face);
    }
    result.acted = model.faces.size();
    AddCurrentObject(scene, std::move(model), result, prior);
    PlaceGizmo(scene);
    return result;
}
