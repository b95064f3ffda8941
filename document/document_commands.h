// New, Open, Save and Save As as the user invokes them: the questions before a
// change is lost, the dialogs, the messages on failure and the recent-file list
// around the document's own file operations.
#pragma once

#include <QString>

class CDocumentPrompts;
class CQuorvelDoc;
class CRecentFileList;

class CDocumentCommands {
public:
    CDocumentCommands(CQuorvelDoc& doc, CDocumentPrompts& prompts, CRecentFileList& recent);

    // False when the user kept the current document.
    bool New();
    // The Open command: reads the chosen file without asking first, so a
    // Metasequoia document is added to the scene and the path stays.
    void Open();
    // Opening from the recent-file list, a drop or the command line: asks
    // first; then any document read becomes the document's file.
    bool OpenFile(const QString& path);
    bool Save();
    bool SaveAs();
    // Asks whether to save a modified document and does so. False when the
    // user cancelled or the save failed: the change must not be lost then.
    bool SaveModified();
    // At start-up: offers the autosaves runs that did not end cleanly left,
    // and recovers, keeps or deletes them as the user answers. True when a
    // document was recovered.
    bool OfferRecovery();

private:
    bool SaveTo(const QString& path);
    // Asks what to do with textures a save to `path` would leave behind, and
    // copies them when told. False: the save is not to happen.
    bool CareForStrandedTextures(const QString& path);
    QString SuggestedSavePath() const;

    CQuorvelDoc& doc_;
    CDocumentPrompts& prompts_;
    CRecentFileList& recent_;
};
