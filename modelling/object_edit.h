// What the modelling commands share around an edit of one object: finding the
// object to act on and the selection to act on, swapping rebuilt arrays in
// (handing the old ones to the PriorState), and setting the flags and
// revisions afterwards.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "modelling/modelling_result.h"
#include "scene/centigrade.h"

class PriorState;

// --- The object to act on
struct Target {
    ModellingRefusal refusal = ModellingRefusal::None;
    std::size_t object = 0;
};
// The current object, when there is one and it is editable.
Target CurrentEditableObject(const CCentigrade& scene);
// The same, when it has a selected face too (else NoFaceSelected).
Target CurrentObjectWithSelectedFaces(const CCentigrade& scene);

// The number of the material new faces get: the current material, else the
// first one; a scene without materials gets a default one first.
int MaterialForNewFaces(CCentigrade& scene, ModellingResult& result);

// `base` (CP932 bytes) when no object has that name, else base followed by
// the smallest number from 2 on that makes it unused.
std::string UnusedObjectName(const CCentigrade& scene, const std::string& base);
// Appends `model` as a new object with the next object number, makes it
// current and clears every other object's selection (handing the flags to
// `prior`); the object is finished as reshaped. Its index.
std::size_t AddCurrentObject(CCentigrade& scene, CModel&& model, ModellingResult& result,
                             PriorState* prior);

// --- The selection to act on
// Vertices the transforms would move: selected ones, corners of selected
// faces and ends of selected edges.
std::vector<bool> AffectedVertices(const CModel& model);

// --- Arrays. A command either builds new arrays and swaps them in, or calls
// BeginInPlace (or GrowArrays) and then changes the object's arrays in place,
// calling KeepFace before it changes a face other than in its flags.
void BeginInPlace(PriorState* prior, std::size_t object, const CModel& model);
void KeepFace(PriorState* prior, std::size_t object, std::size_t face, const CFace& record);
void ReplaceFaces(CModel& model, std::size_t object, LargeArray<CFace>&& faces, PriorState* prior);
void ReplaceArrays(CModel& model, std::size_t object, LargeArray<CVector>&& vertices,
                   LargeArray<CFace>&& faces, PriorState* prior);
// BeginInPlace, and room for `vertices` and `faces` more elements.
void GrowArrays(CModel& model, std::size_t object, std::size_t vertices, std::size_t faces,
                PriorState* prior);

// Puts an unchanged face of the old array into the new one: moved when no
// PriorState keeps the old array, else copied.
inline void CarryFace(LargeArray<CFace>& to, CFace& face, const PriorState* prior) {
    if (prior) {
        to.push_back(face);
    } else {
        to.push_back(std::move(face));
    }
}

// The largest vertex or face count an object may reach (indices are ints).
constexpr std::size_t kMaximumElements = 0x7FFFFFFF;

// --- After the edit
// Clears the selection of every object but `keep`, handing the flags of
// those that had any to `prior` first.
void ClearOtherSelections(CCentigrade& scene, std::size_t keep, PriorState* prior);
// The object's `used` flags and marks rebuilt from its faces and selection,
// its revisions touched, and the object listed as reshaped.
void FinishReshape(CModel& model, std::size_t object, ModellingResult& result);
