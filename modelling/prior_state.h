// What a modelling command changed, as it was before the change. A command
// that builds an object's arrays anew hands the old ones here; one that
// changes an object in place (appending faces, changing a few) has its
// vertices copied (they are small), the flags of its faces and the faces it
// changes kept; the selection flags of objects whose geometry it leaves
// alone and the objects it removes come here too. The undo history keeps
// them. A command run without a PriorState keeps nothing and copies nothing.
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
    struct KeptFace {
        std::uint32_t index;
        CFace face;
    };
    // An object changed in place: faces from `faceCount` on were appended.
    struct InPlace {
        std::size_t object;
        LargeArray<CVector> vertices;
        std::size_t faceCount;
        std::vector<std::uint8_t> faceFlags;  // of the faces before faceCount
        std::vector<KeptFace> changed;        // faces changed otherwise than in their flags
    };

    // Call before the first change of the object in place: copies its
    // vertices and its faces' flags. Later calls for the same object do nothing.
    void BeginInPlace(std::size_t object, const CModel& model);
    // Call before changing face `face` of an object changed in place, other
    // than in its flags or by appending: once for each face.
    void KeepFace(std::size_t object, std::size_t face, const CFace& record);
    // The command swapped new arrays into the object; these are its old ones.
    // Nothing may have changed the object before.
    void TakeArrays(std::size_t object, LargeArray<CVector>&& vertices, LargeArray<CFace>&& faces);
    // Call before changing selection flags or marks of an object whose
    // arrays are not kept otherwise.
    void CopyFlags(std::size_t object, const CModel& model);
    // The command removed the object from the list.
    void TakeRemoved(std::size_t object, CModel&& model);

    // Whether the object's state before the command is held already.
    bool Holds(std::size_t object) const;

    std::vector<Arrays> arrays;
    std::vector<InPlace> inPlace;
    std::vector<Flags> flags;
    std::vector<Removed> removed;  // in the order removed
};

// The flags CopyFlags keeps, packed and unpacked.
std::uint8_t PackedFlags(const CVector& vertex);
std::uint8_t PackedFlags(const CFace& face);
void SetPackedFlags(CVector& vertex, std::uint8_t flags);
void SetPackedFlags(CFace& face, std::uint8_t flags);
