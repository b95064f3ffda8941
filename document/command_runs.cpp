// The document's door for the commands of the command table: the session
// performs them, and the document tells its views and panels what changed.
#include "commands/change_report.h"
#include "document/quorvel_document.h"

namespace {

bool TouchesObjectForm(const ChangeReport& report) {
    constexpr unsigned kFormAspects = kObjectName | kObjectState | kObjectSettings;
    bool touched =
        report.currentObject || !report.objectsAdded.empty() || !report.objectsRemoved.empty();
    for (const ObjectChange& change : report.objects) {
        touched = touched || (change.aspects & kFormAspects) != 0;
    }
    return touched;
}

bool TouchesMaterialForm(const ChangeReport& report) {
    return report.currentMaterial || !report.materialsAdded.empty() ||
           !report.materialsRemoved.empty() || !report.materialsChanged.empty();
}

}  // namespace

CommandOutcome CQuorvelDoc::Run(std::string_view id, const Values& values) {
    const bool wasModified = session_.Modified();
    CommandOutcome outcome = session_.Run(id, values);
    if (!outcome.Done()) {
        return outcome;
    }
    const ChangeReport& report = outcome.report;
    if (report.history != HistoryMove::None) {
        // The autosave compares this count: an undone step is a change to save too.
        ++changes_;
        emit historyChanged();
    }
    if (session_.Modified() != wasModified) {
        emit modifiedChanged(session_.Modified());
    }
    if (report.Visible()) {
        UpdateAllViews(HintAll);
    }
    // The object and material forms reload their fields on their own hints.
    if (TouchesObjectForm(report)) {
        UpdateAllViews(HintObjects);
    }
    if (TouchesMaterialForm(report)) {
        UpdateAllViews(HintMaterials);
    }
    // After the reload, so a list marks its row in the rows rebuilt, not before.
    Announce(report);
    return outcome;
}

void CQuorvelDoc::Announce(const ChangeReport& report) {
    emit commandPerformed(report);
    if (report.documentReplaced) {
        emit documentReplaced();
    }
    if (!report.objectsRemoved.empty()) {
        emit objectsRemoved(report.objectsRemoved);
    }
    if (!report.objectsAdded.empty()) {
        emit objectsInserted(report.objectsAdded);
    }
    bool selection = false;
    for (const ObjectChange& change : report.objects) {
        emit objectChanged(change.object, change.aspects);
        selection = selection || (change.aspects & kObjectSelection) != 0;
    }
    if (!report.materialsRemoved.empty()) {
        emit materialsRemoved(report.materialsRemoved);
    }
    if (!report.materialsAdded.empty()) {
        emit materialsInserted(report.materialsAdded);
    }
    for (std::size_t material : report.materialsChanged) {
        emit materialChanged(material);
    }
    if (report.currentObject) {
        emit currentObjectChanged(scene_.currentModel);
    }
    if (report.currentMaterial) {
        emit currentMaterialChanged(scene_.currentMaterial);
    }
    if (report.tool) {
        emit toolChanged(scene_.toolMode);
    }
    if (selection || report.selectable) {
        emit selectionChanged();
    }
}
