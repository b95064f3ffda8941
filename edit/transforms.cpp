// The transforms of the affected vertices: those selected, or marked as corners
// of selected faces and ends of selected edges, in editable objects.
#include "edit/vertex_changes.h"
#include "scene/centigrade.h"

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
    ForAffected(models, MoveChange({dx, dy, dz}));
}

void CCentigrade::RotateSelectionX(float degrees) {
    ForAffected(models, RotateXChange(degrees, gizmo));
}

void CCentigrade::RotateSelectionY(float degrees) {
    ForAffected(models, RotateYChange(degrees, gizmo));
}

void CCentigrade::RotateSelectionZ(float degrees) {
    ForAffected(models, RotateZChange(degrees, gizmo));
}

void CCentigrade::ScaleSelectionBy(float kx, float ky, float kz) {
    ForAffected(models, ScaleByChange({kx, ky, kz}, gizmo));
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
