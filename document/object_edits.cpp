#include "document/object_edits.h"

#include "commands/targets.h"
#include "document/current_record_edit.h"
#include "document/quorvel_document.h"

CModel* CurrentModel(CQuorvelDoc& doc) {
    return CurrentModel(doc.Scene());
}

bool RenameCurrentModel(CQuorvelDoc& doc, const std::string& cp932Name) {
    return EditCurrentModel(doc, [&](std::size_t object) {
        return RenameObject(doc.History(), doc.Scene(), object, cp932Name);
    });
}

bool SetCurrentSmoothingAngle(CQuorvelDoc& doc, float degrees) {
    return EditCurrentModel(doc, [&](std::size_t object) {
        return SetSmoothingAngle(doc.History(), doc.Scene(), object, degrees);
    });
}

bool ToggleModelState(CQuorvelDoc& doc, int index, StateButton button) {
    CCentigrade& scene = doc.Scene();
    if (index < 0 || index >= static_cast<int>(scene.models.size())) {
        return false;
    }
    const auto object = static_cast<std::size_t>(index);
    const SceneLedger before(scene);
    SetObjectState(scene, object, ToggledState(scene.models[object].state, button));
    doc.Changed(before, false);
    return true;
}
