#include "document/object_edits.h"

#include "document/quorvel_document.h"
#include "history/record_steps.h"

namespace {

// Edits the current object's fields as one step; a commit that changes nothing is none.
template <typename Edit>
bool EditCurrentModel(CQuorvelDoc& doc, Edit edit) {
    if (!CurrentModel(doc)) {
        return false;
    }
    CCentigrade& scene = doc.Scene();
    if (RecordObjectEdit(doc.History(), scene, static_cast<std::size_t>(scene.currentModel),
                         edit)) {
        doc.EditRecorded();
    }
    doc.RequestRedraw();
    return true;
}

}  // namespace

CModel* CurrentModel(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    const int index = scene.currentModel;
    if (index < 0 || index >= static_cast<int>(scene.models.size())) {
        return nullptr;
    }
    return &scene.models[static_cast<std::size_t>(index)];
}

bool RenameCurrentModel(CQuorvelDoc& doc, const std::string& cp932Name) {
    return EditCurrentModel(doc, [&](CModel& model) { model.name = cp932Name; });
}

bool SetCurrentSmoothingAngle(CQuorvelDoc& doc, float degrees) {
    return EditCurrentModel(doc, [&](CModel& model) {
        model.facet = degrees;
        model.ComputeNormals(doc.Scene().smooth);
    });
}

bool ToggleModelState(CQuorvelDoc& doc, int index, StateButton button) {
    CCentigrade& scene = doc.Scene();
    if (index < 0 || index >= static_cast<int>(scene.models.size())) {
        return false;
    }
    int& state = scene.models[static_cast<std::size_t>(index)].state;
    state = button == StateButton::Visibility ? 3 - state : state ^ 1;
    scene.UpdateGizmo();
    doc.RequestRedraw();
    return true;
}
