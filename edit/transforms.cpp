#include "edit/transforms.h"

#include "edit/vertex_changes.h"
#include "scene/centigrade.h"

void MoveSelection(CCentigrade& scene, float dx, float dy, float dz) {
    ForAffected(scene.models, MoveChange({dx, dy, dz}));
}

void RotateSelectionX(CCentigrade& scene, float degrees) {
    ForAffected(scene.models, RotateXChange(degrees, scene.gizmo));
}

void RotateSelectionY(CCentigrade& scene, float degrees) {
    ForAffected(scene.models, RotateYChange(degrees, scene.gizmo));
}

void RotateSelectionZ(CCentigrade& scene, float degrees) {
    ForAffected(scene.models, RotateZChange(degrees, scene.gizmo));
}

void ScaleSelectionBy(CCentigrade& scene, float kx, float ky, float kz) {
    ForAffected(scene.models, ScaleByChange({kx, ky, kz}, scene.gizmo));
}

void ScaleSelectionX(CCentigrade& scene, float factor) {
    const float g = scene.gizmo.x;
    ForAffected(scene.models, [factor, g](CVector& p) { p.x = (p.x - g) * factor + g; });
}

void ScaleSelectionY(CCentigrade& scene, float factor) {
    const float g = scene.gizmo.y;
    ForAffected(scene.models, [factor, g](CVector& p) { p.y = (p.y - g) * factor + g; });
}

void ScaleSelectionZ(CCentigrade& scene, float factor) {
    const float g = scene.gizmo.z;
    ForAffected(scene.models, [factor, g](CVector& p) { p.z = (p.z - g) * factor + g; });
}

// A typed coordinate goes to directly selected vertices only, not to corners
// that are affected through a selected face or edge.
void SetSelectionX(CCentigrade& scene, float value) {
    ForAffected(scene.models, [value](CVector& p) {
        if (p.selected) {
            p.x = value;
        }
    });
}

void SetSelectionY(CCentigrade& scene, float value) {
    ForAffected(scene.models, [value](CVector& p) {
        if (p.selected) {
            p.y = value;
        }
    });
}

void SetSelectionZ(CCentigrade& scene, float value) {
    ForAffected(scene.models, [value](CVector& p) {
        if (p.selected) {
            p.z = value;
        }
    });
}
