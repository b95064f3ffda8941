// The steps of UpdateGizmo: the marks that make corners of selected faces and
// ends of selected edges affected, and the manipulator at the centre of the
// bounding box of the affected vertices.
#pragma once

#include "scene/face.h"
#include "scene/face_rules.h"
#include "scene/vector.h"

class CCentigrade;
class CModel;

// Calls visit(vertex) for every corner of `face` when it is selected, and for
// both ends of each of its selected edges (a line face has one edge).
template <typename Visit>
void ForEachMarkedCorner(const CFace& face, Visit visit) {
    if (face.selected) {
        for (int v : face.indices) {
            visit(v);
        }
    }
    const std::size_t n = face.indices.size();
    const std::size_t edges = EdgeCount(n);
    for (std::size_t k = 0; k < edges && k < face.edgeSelected.size(); ++k) {
        if (face.edgeSelected[k]) {
            visit(face.indices[k]);
            visit(face.indices[k + 1 == n ? 0 : k + 1]);
        }
    }
}

// Marks those vertices of `face` (of `model`).
void MarkFaceCorners(CModel& model, const CFace& face);

// The same for every face of the model.
void MarkSelectedCorners(CModel& model);

// The bounding box of the affected vertices (selected or marked) of editable
// objects, grown from min (1000000, 1000000, 1000000) and max (−1000000, …):
// false, leaving those, when there is none.
bool AffectedBounds(const CCentigrade& scene, CVector& min, CVector& max);

// Puts the manipulator at the centre of the bounding box of the affected
// vertices of editable objects, and shows it when there is any.
void PlaceGizmo(CCentigrade& scene);

// Rebuilds the marks from the selected faces and edges and centres the
// manipulator on the bounding box of the affected vertices.
void UpdateGizmo(CCentigrade& scene);

// Grows the box [min, max] to hold `point`.
void ExtendBounds(const CVector& point, CVector& min, CVector& max);
