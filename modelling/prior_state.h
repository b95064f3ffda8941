// What a modelling command changed, as it was before the change. A command
// hands each object's old vertex and face arrays here (or a copy, when it
// changes them in place), the selection flags of objects whose geometry it
// leaves alone, and the objects it removes; the undo history keeps them. A
// command run without a PriorState keeps nothing and copies nothing.
//
// Objects are named by their index before the command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/face.h"
#include "scene/large_array_allocator.h"
#include "scene/model.h"
#include "scene/vector.h"

class PriorState {
public:
    struct Arrays {
        std::size_t object;
        LargeArray<CVector> vertices;
        LargeArray<CFace> faces;
    };
    // One byte per vertex (selected, mark) and per face (selected, edge flags).
    struct Flags {
        std::size_t object;
        std::vector<std::uint8_t> vertices;
        std::vector<std::uint8_t> faces;
    };
    struct Removed {
        std::size_t object;
        CModel model;
    };

    // Call before the first change of the object's vertices or faces in place.
    // Copies them once; later calls for the same object do nothing.
    void CopyArrays(std::size_t object, const CModel& model);
    // The command swapped new arrays into the object; these are its old ones.
    // Nothing may have changed the object before.
    void TakeArrays(std::size_t object, LargeArray<CVector>&& vertices, LargeArray<CFace>&& faces);
    // Call before changing selection flags or marks of an object whose
    // arrays are not kept otherwise.
    void CopyFlags(std::size_t object, const CModel& model);
    // The command removed the object from the list.
    void TakeRemoved(std::size_t object, CModel&& model);

    bool HoldsArrays(std::size_t object) const;

    std::vector<Arrays> arrays;
    std::vector<Flags> flags;
    std::vector<Removed> removed;  // in the order removed
};

// The flags CopyFlags keeps, packed and unpacked.
std::uint8_t PackedFlags(const CVector& vertex);
std::uint8_t PackedFlags(const CFace& face);
void SetPackedFlags(CVector& vertex, std::uint8_t flags);
void SetPackedFlags(CFace& face, std::uint8_t flags);
