// The document's door for the commands of the command table: the session
// performs them, and the document tells its views and panels what changed.
#include "commands/change_report.h"
#include "document/quorvel_document.h"

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
    Announce(report);
    ReportTextureFailures(outcome.textureFailures);
    return outcome;
}

void CQuorvelDoc::Announce(const ChangeReport& report) {
    emit changed(report);
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
