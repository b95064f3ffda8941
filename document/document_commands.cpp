#include "document/document_commands.h"

#include <QDir>
#include <QFileInfo>

#include "document/document_prompts.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"

namespace {

bool IsNative(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("qvl"), Qt::CaseInsensitive) == 0;
}

}  // namespace

CDocumentCommands::CDocumentCommands(CQuorvelDoc& doc, CDocumentPrompts& prompts,
                                     CRecentFileList& recent)
    : doc_(doc), prompts_(prompts), recent_(recent) {}

bool CDocumentCommands::New() {
    if (!SaveModified()) {
        return false;
    }
    doc_.NewDocument();
    return true;
}

void CDocumentCommands::Open() {
    const QString path = prompts_.AskOpenPath();
    if (path.isEmpty()) {
        return;
    }
    if (const FileOutcome outcome = doc_.OpenFile(path); !outcome.Succeeded()) {
        prompts_.ShowError(outcome.error);
    } else if (IsNative(path)) {
        recent_.Add(path);
    }
}

bool CDocumentCommands::OpenFile(const QString& path) {
    if (!SaveModified()) {
        return false;
    }
    const bool wasModified = doc_.IsModified();
    doc_.SetModifiedFlag(false);
    if (const FileOutcome outcome = doc_.OpenFile(path); !outcome.Succeeded()) {
        doc_.SetModifiedFlag(wasModified);
        prompts_.ShowError(outcome.error);
        return false;
    }
    doc_.SetPathName(path);
    recent_.Add(path);
    return true;
}

bool CDocumentCommands::Save() {
    if (!IsNative(doc_.PathName())) {
        return SaveAs();
    }
    return SaveTo(doc_.PathName());
}

bool CDocumentCommands::SaveAs() {
    const QString path = prompts_.AskSavePath(SuggestedSavePath(), false);
    return !path.isEmpty() && SaveTo(path);
}

bool CDocumentCommands::SaveModified() {
    if (!doc_.IsModified()) {
        return true;
    }
    switch (prompts_.AskSaveChanges(doc_.Title())) {
        case SaveChoice::No:
            return true;
        case SaveChoice::Cancel:
            return false;
        case SaveChoice::Yes:
            break;
    }
    // Only a native file keeps everything the document holds; a document
    // whose file is a Metasequoia one is saved under a native name instead of
    // overwriting that file with the native format.
    if (IsNative(doc_.PathName())) {
        return SaveTo(doc_.PathName());
    }
    const QString path = prompts_.AskSavePath(SuggestedSavePath(), true);
    return !path.isEmpty() && SaveTo(path);
}

bool CDocumentCommands::SaveTo(const QString& path) {
    if (const FileOutcome outcome = doc_.SaveFile(path); !outcome.Succeeded()) {
        prompts_.ShowError(outcome.error);
        return false;
    }
    if (IsNative(path)) {
        recent_.Add(path);
    }
    return true;
}

QString CDocumentCommands::SuggestedSavePath() const {
    if (doc_.PathName().isEmpty()) {
        return doc_.Title() + QStringLiteral(".qvl");
    }
    const QFileInfo file(doc_.PathName());
    return file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".qvl"));
}
