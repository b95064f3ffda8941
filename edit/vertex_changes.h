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

// Both new coordinates come from the old offset to the pivot.
inline auto RotateXChange(float degrees, const CVector& g) {
    const float t = Radians(degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    return [c, s, g](CVector& p) {
        const float dy = p.y - g.y;
        const float dz = p.z - g.z;
        p.y = dy * c + dz * s + g.y;
        p.z = dz * c - dy * s + g.z;
    };
}

inline auto RotateYChange(float degrees, const CVector& g) {
    const float t = Radians(degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    return [c, s, g](CVector& p) {
        const float dx = p.x - g.x;
        const float dz = p.z - g.z;
        p.x = dx * c + dz * s + g.x;
        p.z = dz * c - dx * s + g.z;
    };
}

inline auto RotateZChange(float degrees, const CVector& g) {
    const float t = Radians(-degrees);
    const float c = Cosine(t);
    const float s = Sine(t);
    return [c, s, g](CVector& p) {
        const float dx = p.x - g.x;
        const float dy = p.y - g.y;
        p.x = dx * c + dy * s + g.x;
        p.y = dy * c - dx * s + g.y;
    };
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
