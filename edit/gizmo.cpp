#include "edit/gizmo.h"

#include "scene/centigrade.h"

void MarkFaceCorners(CModel& model, const CFace& f) {
    const auto mark = [&model](int vertex) {
        model.vertices[static_cast<std::size_t>(vertex)].mark = true;
    };
    if (f.selected) {
        for (int v : f.indices) {
            mark(v);
        }
    }
    const std::size_t n = f.indices.size();
    if (n < 2 || n > 4) {
        return;
    }
    const std::size_t edges = n == 2 ? 1 : n;
    for (std::size_t k = 0; k < edges && k < f.edgeSelected.size(); ++k) {
        if (f.edgeSelected[k]) {
            mark(f.indices[k]);
            mark(f.indices[k + 1 == n ? 0 : k + 1]);
        }
    }
}

void MarkSelectedCorners(CModel& model) {
    for (const CFace& f : model.faces) {
        MarkFaceCorners(model, f);
    }
}

void PlaceGizmo(CCentigrade& scene) {
    CVector min(1000000, 1000000, 1000000);
    CVector max(-1000000, -1000000, -1000000);
    scene.showGizmo = false;
    for (const CModel& model : scene.models) {
        if (model.state != 0) {
            continue;
        }
        for (const CVector& v : model.vertices) {
            if (v.selected || v.mark) {
                CCentigrade::ExtendBounds(v, min, max);
                scene.showGizmo = true;
            }
        }
    }
    scene.gizmo = CVector((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}

void CCentigrade::UpdateGizmo() {
    ClearMarks();
    for (CModel& model : models) {
        MarkSelectedCorners(model);
    }
    PlaceGizmo(*this);
}
