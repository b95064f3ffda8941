#include "document/clipboard_edits.h"

#include "commands/clipboard_edits.h"
#include "document/load_messages.h"
#include "document/quorvel_document.h"
#include "scene/message_sink.h"

std::string CutFaces(CQuorvelDoc& doc) {
    std::string text = CutFaces(doc.History(), doc.Scene());
    if (!text.empty()) {
        doc.EditRecorded();
        doc.UpdateAllViews(HintAll);
    }
    return text;
}

std::string PasteFaceText(CQuorvelDoc& doc, std::string_view text) {
    std::vector<TextureFailure> failures;
    const PasteOutcome outcome = PasteFaceText(doc.History(), doc.Scene(), text, failures);
    if (!outcome.failure.empty()) {
        return outcome.failure;
    }
    for (const TextureFailure& failure : failures) {
        ShowMessage(TextureFailureMessage(failure));
    }
    doc.EditRecorded();
    doc.UpdateAllViews(HintAll);
    // The object list marks the pasted object, and the object form follows it.
    doc.ModelPicked(doc.Scene().currentModel);
    return {};
}
