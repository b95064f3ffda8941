#include "edit/selected_faces.h"

#include "scene/centigrade.h"

namespace {

void Follow(const CModel& model, FaceSpan faces, std::vector<bool>& selected, std::size_t& count) {
    for (std::size_t r = faces.first; r < faces.end && r < model.faces.size(); ++r) {
        const bool now = model.faces[r].selected;
        if (selected[r] != now) {
            selected[r] = now;
            count = now ? count + 1 : count - 1;
        }
    }
}

}  // namespace

bool SelectedFaceTracker::AnySelected(const CCentigrade& scene) {
    objects_.resize(scene.models.size());
    bool any = false;
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        const CModel& model = scene.models[i];
        ObjectState& state = objects_[i];
        if (state.topology != model.topologyRevision ||
            state.selected.size() != model.faces.size()) {
            state.selected.assign(model.faces.size(), false);
            state.count = 0;
            Follow(model, {0, model.faces.size()}, state.selected, state.count);
        } else if (state.selection != model.selectionRevision) {
            Follow(model, model.SelectionChangesSince(state.selection).faces, state.selected,
                   state.count);
        }
        state.topology = model.topologyRevision;
        state.selection = model.selectionRevision;
        any = any || (model.IsEditable() && state.count > 0);
    }
    return any;
}
