// object.merge: other objects appended to the current one.
#pragma once

#include <cstddef>
#include <vector>

#include "modelling/modelling_result.h"

class CCentigrade;
class PriorState;

struct MergeObjectsOptions {
    std::vector<std::size_t> objects;  // places in the object list
};

// Appends the vertices and faces of `objects` (in that order, with their
// flags) to the current object and removes those objects from the list; the
// current object stays current. Refuses an empty list (NoObjectToMerge), a
// place outside the list, the current object or a place named twice
// (UnknownObject), and hidden or locked objects (ObjectNotEditable).
ModellingResult MergeObjects(CCentigrade& scene, const MergeObjectsOptions& options,
                             PriorState* prior = nullptr);
