// What each transform does to one affected vertex, shared by the typed
// transforms (every affected vertex of the scene) and the manipulator drag (the
// affected vertices it found when it started), so both give the same numbers.
#pragma once

#include <algorithm>
#include <vector>

#include "scene/angles.h"
#include "scene/model.h"
#include "scene/vector.h"

inline auto MoveChange(const CVector& d) {
    return [d](CVector& p) {
        p.x += d.x;
        p.y += d.y;
        p.z += d.z;
    };
}

// A turn in the plane of coordinates U and V about the pivot `g`: both new
// coordinates come from the old offset to the pivot.
template <float CVector::*U, float CVector::*V>
auto RotateChange(float radians, const CVector& g) {
    const float c = Cosine(radians);
    const float s = Sine(radians);
    return [c, s, g](CVector& p) {
        const float du = p.*U - g.*U;
        const float dv = p.*V - g.*V;
        p.*U = du * c + dv * s + g.*U;
        p.*V = dv * c - du * s + g.*V;
    };
}

inline auto RotateXChange(float degrees, const CVector& g) {
    return RotateChange<&CVector::y, &CVector::z>(Radians(degrees), g);
}

inline auto RotateYChange(float degrees, const CVector& g) {
    return RotateChange<&CVector::x, &CVector::z>(Radians(degrees), g);
}

inline auto RotateZChange(float degrees, const CVector& g) {
    return RotateChange<&CVector::x, &CVector::y>(Radians(-degrees), g);
}

inline auto ScaleByChange(const CVector& k, const CVector& g) {
    return [k, g](CVector& p) {
        const CVector d = p - g;
        p.x = p.x + d.x * k.x;
        p.y = p.y + d.y * k.y;
        p.z = p.z + d.z * k.z;
    };
}

// Applies `change` to the affected vertices of every editable object: those
// selected, or marked as corners of selected faces and ends of selected edges.
template <typename Change>
void ForAffected(std::vector<CModel>& models, Change change) {
    for (CModel& model : models) {
        if (!model.IsEditable()) {
            continue;
        }
        std::size_t first = model.vertices.size();
        std::size_t last = 0;
        for (std::size_t i = 0; i < model.vertices.size(); ++i) {
            CVector& v = model.vertices[i];
            if (v.selected || v.mark) {
                change(v);
                first = std::min(first, i);
                last = i;
            }
        }
        if (first <= last) {
            model.TouchPositions(first, last + 1);
        }
    }
}
