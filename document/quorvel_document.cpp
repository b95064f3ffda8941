#include "document/quorvel_document.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>
#include <filesystem>

#include "document/file_failure_text.h"
#include "document/load_messages.h"
#include "document/native_paths.h"
#include "exchange/document_files.h"
#include "exchange/document_formats.h"
#include "exchange/format_losses.h"
#include "history/record_steps.h"
#include "history/step_names.h"
#include "image/texture_loader.h"
#include "scene/atomic_file.h"
#include "scene/document_error.h"
#include "scene/native_document.h"

std::filesystem::path DefaultAutosaveFolder() {
    std::filesystem::path state = NativePath(qEnvironmentVariable("XDG_STATE_HOME"));
    if (state.empty() || !state.is_absolute()) {
        state = NativePath(QDir::homePath()) / ".local" / "state";
    }
    return state / "quorvel" / "autosave";
}

namespace {

QString OpenFailure(const QString& path, const DocumentError& e) {
    if (dynamic_cast<const DocumentEndOfFile*>(&e)) {
        return QStringLiteral("%1 の末尾以降にアクセスしようとしました。\n%2")
            .arg(path, QString::fromUtf8(e.what()));
    }
    if (dynamic_cast<const DocumentNotRegularFile*>(&e)) {
        return QStringLiteral("%1 は通常のファイルではありません。").arg(path);
    }
    if (dynamic_cast<const DocumentEncrypted*>(&e)) {
        return QStringLiteral("%1 は暗号化されています。").arg(path);
    }
    return QStringLiteral("ドキュメントを開くことに失敗しました。\n%1").arg(DocumentErrorText(e));
}

}  // namespace

CQuorvelDoc::CQuorvelDoc(QObject* parent) : QObject(parent) {
    const qulonglong megabytes =
        QSettings()
            .value("History/MemoryCapMB", qulonglong{EditHistory::kDefaultMemoryCap >> 20})
            .toULongLong();
    history_.SetMemoryCap(static_cast<std::size_t>(megabytes) << 20);
}

// The autosave's worker must be done before the scene it reports on goes.
CQuorvelDoc::~CQuorvelDoc() {
    if (autosave_) {
        autosave_->Wait();
    }
}

void CQuorvelDoc::Changed(const SceneLedger& before, bool recorded) {
    ChangeReport report;
    before.Compare(scene_, report);
    if (recorded) {
        SetModifiedFlag(true);
        emit historyChanged();
        report.history = HistoryMove::Recorded;
        report.step = history_.UndoName();
    }
    report.modified = IsModified();
    Announce(report);
}

void CQuorvelDoc::Replaced() {
    ChangeReport report;
    report.documentReplaced = true;
    report.modified = IsModified();
    Announce(report);
}

// An import is a change like any other, unless it appended nothing and so
// recorded no step.
void CQuorvelDoc::ImportRecorded() {
    if (!history_.IsClean()) {
        SetModifiedFlag(true);
    }
    emit historyChanged();
}

void CQuorvelDoc::Restart() {
    history_.Clear();
    if (autosave_) {
        autosave_->Remove();
    }
    emit historyChanged();
}

void CQuorvelDoc::SetPathName(const QString& path) {
    if (path == pathName_) {
        return;
    }
    pathName_ = path;
    emit pathChanged(pathName_);
}

QString CQuorvelDoc::Title() const {
    return pathName_.isEmpty() ? QStringLiteral("無題") : QFileInfo(pathName_).fileName();
}

void CQuorvelDoc::SetModifiedFlag(bool modified) {
    // Every edit says so, whether or not the document was modified already.
    if (modified) {
        ++changes_;
    }
    if (modified == session_.Modified()) {
        return;
    }
    session_.SetModified(modified);
    emit modifiedChanged(modified);
}

void CQuorvelDoc::NewDocument() {
    scene_.ReleaseTextures();
    scene_.Reset();
    scene_.toolMode = ToolNone;
    Restart();
    SetPathName(QString());
    SetModifiedFlag(false);
    RequestPropertyPage(PageEmpty);
    Replaced();
}

FileOutcome CQuorvelDoc::OpenFile(const QString& path) {
    const std::filesystem::path file = NativePath(path);
    const DocumentFormat* format = FindDocumentFormat(file);
    if (!format || format->reader == FormatReader::None) {
        return {QStringLiteral("%1 は開けない形式です。").arg(path)};
    }
    if (!QFileInfo::exists(path)) {
        return {QStringLiteral("%1 が見つかりませんでした。").arg(path)};
    }
    if (format->reader == FormatReader::Native) {
        return OpenNative(path, file);
    }
    const SceneLedger before(scene_);
    FileOutcome outcome;
    try {
        ReportTextureFailures(RecordAppending(history_, scene_, step_name::kImport, [&] {
                                  return OpenDocumentFile(file, scene_);
                              }).textureFailures);
    } catch (const DocumentError& e) {
        // An import that stopped early keeps, as a step, what it read.
        outcome = {OpenFailure(path, e)};
    }
    ImportRecorded();
    Changed(before, false);
    return outcome;
}

FileOutcome CQuorvelDoc::OpenNative(const QString& path, const std::filesystem::path& file) {
    try {
        ReportTextureFailures(OpenDocumentFile(file, scene_).textureFailures);
    } catch (const DocumentError& e) {
        return {OpenFailure(path, e)};
    }
    Restart();
    SetPathName(path);
    SetModifiedFlag(false);
    Replaced();
    return {};
}

FileOutcome CQuorvelDoc::SaveFile(const QString& path) {
    const std::filesystem::path file = NativePath(path);
    AtomicWriteOptions options;
    options.keepPrevious = QSettings().value("Save/KeepPrevious", true).toBool();
    try {
        SaveDocumentFile(file, scene_, options);
    } catch (const DocumentError& e) {
        return {QStringLiteral("ドキュメントの保存に失敗しました。\n%1").arg(DocumentErrorText(e))};
    }
    if (const DocumentFormat* format = FindDocumentFormat(file);
        format && format->reader == FormatReader::Native) {
        scene_.SetDocumentFolder(std::filesystem::absolute(file));
        SetPathName(path);
        SetModifiedFlag(false);
        history_.SetClean();
        if (autosave_) {
            autosave_->Remove();
        }
        emit historyChanged();
        return {};
    }
    return {{}, QString::fromStdString(FormatLossNotice(file, scene_, NoticeLanguage::Japanese))};
}

void CQuorvelDoc::StartAutosaving(const std::filesystem::path& folder, int seconds) {
    autosaveFolder_ = folder;
    if (!autosave_) {
        autosave_ = std::make_unique<AutosaveSession>(folder);
        if (autosave_->Failed()) {
            emit autosaveFailed(FileFailureText(autosave_->Failed()));
        }
        RemoveAbandonedSessions(folder);
    }
    if (!autosaveTimer_) {
        autosaveTimer_ = new QTimer(this);
        connect(autosaveTimer_, &QTimer::timeout, this, &CQuorvelDoc::AutosaveIfChanged);
    }
    autosaveTimer_->stop();
    if (seconds > 0) {
        autosaveTimer_->start(std::chrono::seconds(seconds));
    }
}

CQuorvelDoc::SceneState CQuorvelDoc::CurrentState() const {
    SceneState state{changes_, scene_.materials.size(), {}};
    for (const CModel& model : scene_.models) {
        state.objects.push_back(model.revision);
    }
    return state;
}

// A big scene takes a while to write; an unchanged one is not written again.
bool CQuorvelDoc::AutosaveIfChanged() {
    return CurrentState() != autosaved_ && AutosaveNow();
}

bool CQuorvelDoc::AutosaveNow() {
    if (!autosave_ || !IsModified()) {
        return false;
    }
    SceneState state = CurrentState();
    const bool started =
        autosave_->Start(scene_, NativePath(pathName_), [this](const FileFailure& failure) {
            // Called on the writer's thread: the message is handed to this one.
            QMetaObject::invokeMethod(
                this, [this, failure] { AutosaveFinished(failure); }, Qt::QueuedConnection);
        });
    if (started) {
        autosaved_ = std::move(state);
    }
    return started;
}

void CQuorvelDoc::AutosaveFinished(const FileFailure& failure) {
    if (failure) {
        autosaved_ = {};
        emit autosaveFailed(
            QStringLiteral("自動保存に失敗しました。\n%1").arg(FileFailureText(failure)));
    }
}

void CQuorvelDoc::WaitForAutosave() {
    if (autosave_) {
        autosave_->Wait();
    }
}

std::filesystem::path CQuorvelDoc::AutosaveFile() const {
    return autosave_ ? autosave_->File() : std::filesystem::path();
}

void CQuorvelDoc::Closed() {
    if (autosave_) {
        autosave_->Remove();
    }
}

std::vector<RecoverableAutosave> CQuorvelDoc::RecoverableAutosaves() const {
    return autosaveFolder_.empty() ? std::vector<RecoverableAutosave>()
                                   : FindRecoverableAutosaves(autosaveFolder_);
}

FileOutcome CQuorvelDoc::Recover(const RecoverableAutosave& autosave) {
    CCentigrade recovered;
    try {
        LoadNativeDocument(autosave.file, recovered);
    } catch (const DocumentError& e) {
        return {QStringLiteral("自動保存されたドキュメントを開くことに失敗しました。\n%1")
                    .arg(DocumentErrorText(e))};
    }
    scene_.ReleaseTextures();
    scene_.Reset();
    TakeDocumentRecords(scene_, std::move(recovered));
    // Textures are named relative to the document's own folder.
    if (!autosave.document.empty()) {
        scene_.SetDocumentFolder(std::filesystem::absolute(autosave.document));
    }
    const std::vector<TextureFailure> textureFailures = LoadTextures(scene_);
    scene_.UpdateAllColors();
    scene_.ComputeAllNormals();
    history_.Clear();
    if (autosave_) {
        autosave_->Adopt(autosave);
    }
    SetPathName(FromNative(autosave.document));
    SetModifiedFlag(true);
    emit historyChanged();
    RequestPropertyPage(PageEmpty);
    Replaced();
    ReportTextureFailures(textureFailures);
    return {};
}

void CQuorvelDoc::RequestPropertyPage(int page) {
    emit propertyPageRequested(page);
}

void CQuorvelDoc::ReportTextureFailures(const std::vector<TextureFailure>& failures) {
    for (const TextureFailure& failure : failures) {
        emit textureFailed(QString::fromStdString(TextureFailureMessage(failure)));
    }
}
