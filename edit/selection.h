// Steps of applying a pick, for Pick, which folds some of them into its scan.
#pragma once

#include <vector>

#include "scene/face.h"
#include "scene/model.h"
#include "scene/vector.h"

class CCentigrade;
struct PickHit;
struct PickResult;

// Applies a resolved pick according to toolMode and selectMode.
void ProcessHits(CCentigrade& scene, const PickResult& result);
// Clears every selection flag of every object, whatever its state; the marks stay.
void ClearSelection(CCentigrade& scene);
// Clears the mark of every vertex of every object.
void ClearMarks(CCentigrade& scene);

// Whether a pick with the scene's tool, select mode and Shift state drops the
// previous selection whether it hits or misses.
bool PickReplacesSelection(const CCentigrade& scene);

// The range rule's first step: every vertex inside the rectangle is marked, and
// selected when vertices are selectable.
void MarkRangeVertices(CCentigrade& scene, const std::vector<PickHit>& records);

// What ProcessHits does after the handle test and the replacement of the
// selection: clear the marks, then act by tool and select mode.
void ApplyHits(CCentigrade& scene, const PickResult& result);

// Clears every selection flag of the object (its marks stay).
void ClearSelectionOf(CModel& model);

// Most flags are already clear: reading them first spares writing back the
// cache lines of a million untouched faces.
inline void ClearFlags(CVector& v) {
    if (v.selected) {
        v.selected = false;
    }
}

inline void ClearFlags(CFace& f) {
    if (f.selected) {
        f.selected = false;
    }
    for (bool& edge : f.edgeSelected) {
        if (edge) {
            edge = false;
        }
    }
}
