#include "document/clipboard_edits.h"

#include "document/load_messages.h"
#include "document/quorvel_document.h"
#include "history/clipboard.h"
#include "image/image_status.h"
#include "scene/message_sink.h"

std::string CutFaces(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    std::string text = CutSelectedFaces(doc.History(), scene);
    if (!text.empty()) {
        scene.ComputeAllNormals();
        doc.EditRecorded();
        doc.UpdateAllViews(HintAll);
    }
    return text;
}

std::string PasteFaceText(CQuorvelDoc& doc, std::string_view text) {
    CCentigrade& scene = doc.Scene();
    const PasteOutcome outcome = PasteFaces(doc.History(), scene, text);
    if (!outcome.failure.empty()) {
        return outcome.failure;
    }
    for (std::size_t m = outcome.firstNewMaterial; m < scene.materials.size(); ++m) {
        CMaterial& material = scene.materials[m];
        if (ImageStatus status = material.LoadTexture(scene.DocumentFolder()); !status) {
            ShowMessage(
                TextureFailureMessage({material.name, material.texture, std::move(status)}));
        }
    }
    for (std::size_t m = scene.models.size() - outcome.objects; m < scene.models.size(); ++m) {
        scene.models[m].ComputeNormals(scene.smooth);
    }
    doc.EditRecorded();
    doc.UpdateAllViews(HintAll);
    return {};
}
