// What a modelling command did, or why it did nothing.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Why a command refused to act. Scripts print the English text, the
// application shows the Japanese one.
enum class ModellingRefusal {
    None,
    NoCurrentObject,
    CurrentObjectHidden,
    CurrentObjectLocked,
    NoFaceSelected,
    NoVertexSelected,
    TooFewVertices,   // face.create with fewer than 2
    TooManyVertices,  // face.create with 5 or more
    NoObjectToMerge,
    UnknownObject,      // object.merge: outside the list, the current object, or named twice
    ObjectNotEditable,  // object.merge: a hidden or locked object
    SizeOutOfRange,
    SegmentsOutOfRange,
    RingsOutOfRange,
    DistanceOutOfRange,
    AngleOutOfRange,
    CentreOutOfRange,
    ResultTooLarge,  // more vertices or faces than an object can hold
};

struct RefusalText {
    std::string_view english;
    std::string_view japanese;  // UTF-8
};

RefusalText TextOf(ModellingRefusal refusal);

struct ModellingResult {
    ModellingRefusal refusal = ModellingRefusal::None;
    // The objects whose vertices or faces changed, as indices after the
    // command: their normals are to be brought up to date.
    std::vector<std::size_t> reshaped;
    // Objects were added to or removed from the list.
    bool objectListChanged = false;
    // A default material was added because the scene had none.
    bool materialAdded = false;
    // How many selected elements the command acted on (faces extruded,
    // vertices merged away, ...), for a status line.
    std::size_t acted = 0;

    bool Refused() const { return refusal != ModellingRefusal::None; }
    // False also when the command could act but nothing needed to change.
    bool Changed() const { return !reshaped.empty() || objectListChanged; }

    static ModellingResult Refuse(ModellingRefusal why) {
        ModellingResult result;
        result.refusal = why;
        return result;
    }
};
