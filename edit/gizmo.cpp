#include "edit/gizmo.h"

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
                CCentigrade::ExtendBounds(v, min, max);
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

void CCentigrade::UpdateGizmo() {
    ClearMarks();
    for (CModel& model : models) {
        MarkSelectedCorners(model);
    }
    PlaceGizmo(*this);
}
