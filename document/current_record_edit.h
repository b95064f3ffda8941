// The frame of every form edit: the current object's or material's index,
// the edit as one step of the history, and the document's report of it.
#pragma once

#include <cstddef>

#include "document/quorvel_document.h"

// Runs edit(index) when `index` names one of `count` records; a step it
// records (edit returns true) marks the document. False when it names none.
template <typename Edit>
bool EditCurrentRecord(CQuorvelDoc& doc, int index, std::size_t count, Edit edit) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        return false;
    }
    const SceneLedger before(doc.Scene());
    doc.Changed(before, edit(static_cast<std::size_t>(index)));
    return true;
}

template <typename Edit>
bool EditCurrentModel(CQuorvelDoc& doc, Edit edit) {
    return EditCurrentRecord(doc, doc.Scene().currentModel, doc.Scene().models.size(), edit);
}

template <typename Edit>
bool EditCurrentMaterial(CQuorvelDoc& doc, Edit edit) {
    return EditCurrentRecord(doc, doc.Scene().currentMaterial, doc.Scene().materials.size(), edit);
}
