#include "commands/clipboard_edits.h"

#include "edit/gizmo.h"
#include "edit/select_all.h"
#include "image/texture_loader.h"
#include "scene/centigrade.h"

namespace {

// The pasted faces become the selection, taken as a click takes a face, and
// the first pasted object the current one: the user sees where they arrived
// and the tools act on them next.
void SelectPasted(CCentigrade& scene, std::size_t firstPasted) {
    SelectNone(scene);
    for (std::size_t m = firstPasted; m < scene.models.size(); ++m) {
        CModel& model = scene.models[m];
        for (CFace& face : model.faces) {
            face.selected = true;
            for (bool& edge : face.edgeSelected) {
                edge = true;
            }
        }
        model.TouchSelection();
    }
    scene.currentModel = static_cast<int>(firstPasted);
    UpdateGizmo(scene);
}

}  // namespace

std::string CutFaces(EditHistory& history, CCentigrade& scene) {
    std::string text = CutSelectedFaces(history, scene);
    if (!text.empty()) {
        scene.ComputeAllNormals();
    }
    return text;
}

PasteOutcome PasteFaceText(EditHistory& history, CCentigrade& scene, std::string_view text,
                           std::vector<TextureFailure>& failures) {
    PasteOutcome outcome = PasteFaces(history, scene, text);
    if (!outcome.failure.empty()) {
        return outcome;
    }
    for (std::size_t m = outcome.firstNewMaterial; m < scene.materials.size(); ++m) {
        CMaterial& material = scene.materials[m];
        if (material.texture.empty()) {
            continue;
        }
        if (ImageStatus status = LoadTexture(material, scene.DocumentFolder()); !status) {
            failures.push_back({material.name, material.texture, std::move(status)});
        }
    }
    const std::size_t firstPasted = scene.models.size() - outcome.objects;
    for (std::size_t m = firstPasted; m < scene.models.size(); ++m) {
        scene.models[m].ComputeNormals(scene.smooth);
    }
    SelectPasted(scene, firstPasted);
    return outcome;
}
