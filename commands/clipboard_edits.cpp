#include "commands/clipboard_edits.h"

#include "image/texture_loader.h"
#include "scene/centigrade.h"

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
        if (ImageStatus status = LoadTexture(material, scene.DocumentFolder()); !status) {
            failures.push_back({material.name, material.texture, std::move(status)});
        }
    }
    for (std::size_t m = scene.models.size() - outcome.objects; m < scene.models.size(); ++m) {
        scene.models[m].ComputeNormals(scene.smooth);
    }
    return outcome;
}
