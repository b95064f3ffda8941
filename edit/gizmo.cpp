#include "edit/gizmo.h"

#include <atomic>

#include "edit/parallel.h"
#include "scene/centigrade.h"

namespace {

// Two threads may mark a vertex shared by faces in both halves; both write
// `true`, and relaxed atomic access makes that well-defined at no cost. A
// vertex already marked by a neighbouring face is not written again.
void Mark(CModel& model, int vertex) {
    std::atomic_ref<bool> mark(model.vertices[static_cast<std::size_t>(vertex)].mark);
    if (!mark.load(std::memory_order_relaxed)) {
        mark.store(true, std::memory_order_relaxed);
    }
}

struct Box {
    CVector min;
    CVector max;
    bool any = false;
};

}  // namespace

void MarkFaceCorners(CModel& model, const CFace& f) {
    if (f.selected) {
        for (int v : f.indices) {
            Mark(model, v);
        }
    }
    const std::size_t n = f.indices.size();
    if (n < 2 || n > 4) {
        return;
    }
    const std::size_t edges = n == 2 ? 1 : n;
    for (std::size_t k = 0; k < edges && k < f.edgeSelected.size(); ++k) {
        if (f.edgeSelected[k]) {
            Mark(model, f.indices[k]);
            Mark(model, f.indices[k + 1 == n ? 0 : k + 1]);
        }
    }
}

void MarkSelectedCorners(CModel& model) {
    ForParts(model.faces.size(), [&model](int, std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            MarkFaceCorners(model, model.faces[r]);
        }
    });
}

// Each part grows its own box; minimum and maximum do not depend on the order
// in which the boxes are joined.
void PlaceGizmo(CCentigrade& scene) {
    CVector min(1000000, 1000000, 1000000);
    CVector max(-1000000, -1000000, -1000000);
    scene.showGizmo = false;
    for (const CModel& model : scene.models) {
        if (model.state != 0) {
            continue;
        }
        Box boxes[2] = {{min, max}, {min, max}};
        ForParts(model.vertices.size(),
                 [&model, &boxes](int part, std::size_t begin, std::size_t end) {
                     Box& box = boxes[part];
                     for (std::size_t i = begin; i < end; ++i) {
                         const CVector& v = model.vertices[i];
                         if (v.selected || v.mark) {
                             CCentigrade::ExtendBounds(v, box.min, box.max);
                             box.any = true;
                         }
                     }
                 });
        for (const Box& box : boxes) {
            if (box.any) {
                CCentigrade::ExtendBounds(box.min, min, max);
                CCentigrade::ExtendBounds(box.max, min, max);
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
