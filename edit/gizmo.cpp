#include "edit/gizmo.h"

#include "edit/selection.h"
#include "scene/centigrade.h"

void MarkFaceCorners(CModel& model, const CFace& face) {
    ForEachMarkedCorner(face, [&model](int vertex) {
        model.vertices[static_cast<std::size_t>(vertex)].mark = true;
    });
}

void MarkSelectedCorners(CModel& model) {
    for (const CFace& f : model.faces) {
        MarkFaceCorners(model, f);
    }
}

void ExtendBounds(const CVector& point, CVector& min, CVector& max) {
    if (point.x > max.x) {
        max.x = point.x;
    }
    if (point.y > max.y) {
        max.y = point.y;
    }
    if (point.z > max.z) {
        max.z = point.z;
    }
    if (point.x < min.x) {
        min.x = point.x;
    }
    if (point.y < min.y) {
        min.y = point.y;
    }
    if (point.z < min.z) {
        min.z = point.z;
    }
}

bool AffectedBounds(const CCentigrade& scene, CVector& min, CVector& max) {
    min = CVector(1000000, 1000000, 1000000);
    max = CVector(-1000000, -1000000, -1000000);
    bool any = false;
    for (const CModel& model : scene.models) {
        if (!model.IsEditable()) {
            continue;
        }
        for (const CVector& v : model.vertices) {
            if (v.selected || v.mark) {
                ExtendBounds(v, min, max);
                any = true;
            }
        }
    }
    return any;
}

void PlaceGizmo(CCentigrade& scene) {
    CVector min;
    CVector max;
    scene.showGizmo = AffectedBounds(scene, min, max);
    scene.gizmo = CVector((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}

void UpdateGizmo(CCentigrade& scene) {
    ClearMarks(scene);
    for (CModel& model : scene.models) {
        MarkSelectedCorners(model);
    }
    PlaceGizmo(scene);
}
