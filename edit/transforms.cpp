// The affected vertices (selected, or marked as corners of selected faces and
// ends of selected edges) of editable objects, the manipulator that pivots on
// the centre of their bounding box, and the transforms applied to them.
#include <atomic>

#include "edit/angles.h"
#include "edit/parallel.h"
#include "scene/centigrade.h"

namespace {

template <typename Change>
void ForAffected(std::vector<CModel>& models, Change change) {
    for (CModel& model : models) {
        if (model.state != 0) {
            continue;
        }
        ForParts(model.vertices.size(), [&model, &change](int, std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                CVector& v = model.vertices[i];
                if (v.selected || v.mark) {
                    change(v);
                }
            }
        });
    }
}

// Two threads may mark a vertex shared by faces in both halves; both write
// `true`, and the relaxed atomic store makes that well-defined at no cost.
void Mark(CModel& model, int vertex) {
    std::atomic_ref<bool>(model.vertices[static_cast<std::size_t>(vertex)].mark)
        .store(true, std::memory_order_relaxed);
}

void MarkSelectedCorners(CModel& model) {
    ForParts(model.faces.size(), [&model](int, std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            const CFace& f = model.faces[r];
            if (f.selected) {
                for (int v : f.indices) {
                    Mark(model, v);
                }
            }
            const std::size_t n = f.indices.size();
            if (n < 2 || n > 4) {
                continue;
            }
            const std::size_t edges = n == 2 ? 1 : n;
            for (std::size_t k = 0; k < edges && k < f.edgeSelected.size(); ++k) {
                if (f.edgeSelected[k]) {
                    Mark(model, f.indices[k]);
                    Mark(model, f.indices[(k + 1) % n]);
                }
            }
        }
    });
}

}  // namespace

void CCentigrade::ExtendBounds(const CVector& point, CVector& min, CVector& max) {
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

void CCentigrade::UpdateGizmo() {
    CVector min(1000000, 1000000, 1000000);
    CVector max(-1000000, -1000000, -1000000);
    showGizmo = false;
    ClearMarks();
    for (CModel& model : models) {
        MarkSelectedCorners(model);
    }
    for (CModel& model : models) {
        if (model.state != 0) {
            continue;
        }
        // Each part grows its own box; minimum and maximum do not depend on
        // the order in which the boxes are joined.
        struct Box {
            CVector min;
            CVector max;
            bool any = false;
        };
        Box boxes[2] = {{min, max}, {min, max}};
        ForParts(model.vertices.size(),
                 [&model, &boxes](int part, std::size_t begin, std::size_t end) {
                     Box& box = boxes[part];
                     for (std::size_t i = begin; i < end; ++i) {
                         const CVector& v = model.vertices[i];
                         if (v.selected || v.mark) {
                             ExtendBounds(v, box.min, box.max);
                             box.any = true;
                         }
                     }
                 });
        for (const Box& box : boxes) {
            if (box.any) {
                ExtendBounds(box.min, min, max);
                ExtendBounds(box.max, min, max);
                showGizmo = true;
            }
        }
    }
    gizmo = CVector((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
}

void CCentigrade::MoveSelection(float dx, float dy, float dz) {
    ForAffected(models, [dx, dy, dz](CVector& p) {
        p.x += dx;
        p.y += dy;
        p.z += dz;
    });
}

// Both new coordinates come from the old offset to the pivot.
void CCentigrade::RotateSelectionX(float degrees) {
    const float t = Radians(degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    const CVector g = gizmo;
    ForAffected(models, [c, s, g](CVector& p) {
        const float dy = p.y - g.y;
        const float dz = p.z - g.z;
        p.y = dy * c + dz * s + g.y;
        p.z = dz * c - dy * s + g.z;
    });
}

void CCentigrade::RotateSelectionY(float degrees) {
    const float t = Radians(degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    const CVector g = gizmo;
    ForAffected(models, [c, s, g](CVector& p) {
        const float dx = p.x - g.x;
        const float dz = p.z - g.z;
        p.x = dx * c + dz * s + g.x;
        p.z = dz * c - dx * s + g.z;
    });
}

void CCentigrade::RotateSelectionZ(float degrees) {
    const float t = Radians(-degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    const CVector g = gizmo;
    ForAffected(models, [c, s, g](CVector& p) {
        const float dx = p.x - g.x;
        const float dy = p.y - g.y;
        p.x = dx * c + dy * s + g.x;
        p.y = dy * c - dx * s + g.y;
    });
}

void CCentigrade::ScaleSelectionBy(float kx, float ky, float kz) {
    const CVector g = gizmo;
    ForAffected(models, [kx, ky, kz, g](CVector& p) {
        const CVector d = p - g;
        p.x = p.x + d.x * kx;
        p.y = p.y + d.y * ky;
        p.z = p.z + d.z * kz;
    });
}

void CCentigrade::ScaleSelectionX(float factor) {
    const float g = gizmo.x;
    ForAffected(models, [factor, g](CVector& p) { p.x = (p.x - g) * factor + g; });
}

void CCentigrade::ScaleSelectionY(float factor) {
    const float g = gizmo.y;
    ForAffected(models, [factor, g](CVector& p) { p.y = (p.y - g) * factor + g; });
}

void CCentigrade::ScaleSelectionZ(float factor) {
    const float g = gizmo.z;
    ForAffected(models, [factor, g](CVector& p) { p.z = (p.z - g) * factor + g; });
}

// A typed coordinate goes to directly selected vertices only, not to corners
// that are affected through a selected face or edge.
void CCentigrade::SetSelectionX(float value) {
    ForAffected(models, [value](CVector& p) {
        if (p.selected) {
            p.x = value;
        }
    });
}

void CCentigrade::SetSelectionY(float value) {
    ForAffected(models, [value](CVector& p) {
        if (p.selected) {
            p.y = value;
        }
    });
}

void CCentigrade::SetSelectionZ(float value) {
    ForAffected(models, [value](CVector& p) {
        if (p.selected) {
            p.z = value;
        }
    });
}
