#include "document/document_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <chrono>

#include "document/document_prompts.h"
#include "document/native_paths.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"
#include "document/stranded_textures.h"

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
    // What was just opened is the state the file holds, imported or not.
    doc_.History().SetClean();
    doc_.SetModifiedFlag(false);
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
    if (!CareForStrandedTextures(path)) {
        return false;
    }
    const FileOutcome outcome = doc_.SaveFile(path);
    if (!outcome.Succeeded()) {
        prompts_.ShowError(outcome.error);
        return false;
    }
    if (!outcome.notice.isEmpty()) {
        prompts_.ShowInformation(outcome.notice);
    }
    if (IsNative(path)) {
        recent_.Add(path);
    }
    return true;
}

bool CDocumentCommands::CareForStrandedTextures(const QString& path) {
    const std::vector<StrandedTexture> stranded =
        StrandedTextures(doc_.Scene(), std::filesystem::absolute(NativePath(path)).parent_path());
    if (stranded.empty()) {
        return true;
    }
    QStringList files;
    for (const StrandedTexture& texture : stranded) {
        files << QString::fromStdString(texture.from.string());
    }
    switch (prompts_.AskStrandedTextures(files)) {
        case StrandedTextureChoice::Cancel:
            return false;
        case StrandedTextureChoice::Keep:
            return true;
        case StrandedTextureChoice::Copy:
            break;
    }
    if (const QString failure = CopyStrandedTextures(stranded); !failure.isEmpty()) {
        prompts_.ShowError(failure);
        return false;
    }
    return true;
}

bool CDocumentCommands::OfferRecovery() {
    const std::vector<RecoverableAutosave> found = doc_.RecoverableAutosaves();
    if (found.empty()) {
        return false;
    }
    QStringList lines;
    for (const RecoverableAutosave& autosave : found) {
        const QString name =
            autosave.name.empty() ? QStringLiteral("無題") : FromNative(autosave.name);
        const QDateTime written = QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::file_clock::to_sys(autosave.written).time_since_epoch())
                .count());
        lines << QStringLiteral("%1    %2    %3 KB")
                     .arg(name, written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
                     .arg((autosave.size + 1023) / 1024);
    }
    const RecoveryAnswer answer = prompts_.AskRecovery(lines);
    if (answer.discard) {
        for (const RecoverableAutosave& autosave : found) {
            DiscardAutosave(autosave);
        }
        return false;
    }
    if (answer.recover < 0 || answer.recover >= static_cast<int>(found.size())) {
        return false;
    }
    if (const FileOutcome outcome = doc_.Recover(found[static_cast<std::size_t>(answer.recover)]);
        !outcome.Succeeded()) {
        prompts_.ShowError(outcome.error);
        return false;
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
