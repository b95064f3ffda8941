#include "document/object_edits.h"

#include "document/quorvel_document.h"

CModel* CurrentModel(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    const int index = scene.currentModel;
    if (index < 0 || index >= static_cast<int>(scene.models.size())) {
        return nullptr;
    }
    return &scene.models[static_cast<std::size_t>(index)];
}

bool RenameCurrentModel(CQuorvelDoc& doc, const std::string& cp932Name) {
    CModel* model = CurrentModel(doc);
    if (!model) {
        return false;
    }
    model->name = cp932Name;
    doc.RequestRedraw();
    doc.SetModifiedFlag(true);
    return true;
}

bool SetCurrentSmoothingAngle(CQuorvelDoc& doc, float degrees) {
    CModel* model = CurrentModel(doc);
    if (!model) {
        return false;
    }
    model->facet = degrees;
    doc.Scene().ComputeCurrentNormals();
    doc.RequestRedraw();
    doc.SetModifiedFlag(true);
    return true;
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
