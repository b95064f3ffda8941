// The transforms of the affected vertices: those selected, or marked as corners
// of selected faces and ends of selected edges, in editable objects.
#include "scene/angles.h"
#include "scene/centigrade.h"

namespace {

template <typename Change>
void ForAffected(std::vector<CModel>& models, Change change) {
    for (CModel& model : models) {
        if (!model.IsEditable()) {
            continue;
        }
        bool changed = false;
        for (CVector& v : model.vertices) {
            if (v.selected || v.mark) {
                change(v);
                changed = true;
            }
        }
        if (changed) {
            model.Touch();
        }
    }
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
