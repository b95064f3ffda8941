#include "edit/face_tools.h"

#include "scene/centigrade.h"

namespace {

bool IsFace(const std::vector<CModel>& models, int model, int face) {
    return model >= 0 && static_cast<std::size_t>(model) < models.size() && face >= 0 &&
           static_cast<std::size_t>(face) < models[static_cast<std::size_t>(model)].faces.size();
}

}  // namespace

// Faces name their material by number, so the face takes the number of the
// current material, not its place in the list (the two differ once a document
// numbers its materials out of list order).
void PaintFace(CCentigrade& scene, int model, int face) {
    if (!IsFace(scene.models, model, face) || scene.currentMaterial < 0 ||
        static_cast<std::size_t>(scene.currentMaterial) >= scene.materials.size()) {
        return;
    }
    CModel& painted = scene.models[static_cast<std::size_t>(model)];
    painted.faces[static_cast<std::size_t>(face)].material =
        scene.materials[static_cast<std::size_t>(scene.currentMaterial)].id;
    painted.TouchTopology();
}

// Vertices stay, so every remaining index stays valid. Those no face uses any
// more are flagged unused in every object: a document may bring orphans of
// its own, and they stop being drawn at the first deletion too.
void DeleteFace(CCentigrade& scene, int model, int face) {
    if (!IsFace(scene.models, model, face)) {
        return;
    }
    CModel& edited = scene.models[static_cast<std::size_t>(model)];
    edited.EraseFace(static_cast<std::size_t>(face));
    // The later faces move down with their selection flags.
    edited.TouchTopology();
    edited.TouchSelection();
    scene.UpdateUsedFlags();
}
