// The document: owns the scene, the path and the modified flag. Every change
// that comes from the user interface goes through it, and views and panels
// follow it through its signals instead of calling each other.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "commands/session.h"
#include "history/autosave.h"
#include "history/edit_history.h"
#include "scene/centigrade.h"

class QTimer;

// The pages of the property pane, in the order of the tool commands.
enum PropertyPage {
    PageEmpty = 0,
    PageObject = 1,
    PageMaterial = 2,
    PageSelect = 3,
    PageMove = 4,
    PageRotate = 5,
    PageScale = 6,
};
inline constexpr int kPropertyPageCount = 7;

// The outcome of reading or writing a file: empty `error` on success, else the
// message for the user, naming the file and the cause.
struct FileOutcome {
    QString error;
    // After a successful export: what the format could not hold, in one line.
    QString notice;
    bool Succeeded() const { return error.isEmpty(); }
};

// $XDG_STATE_HOME/quorvel/autosave, by default ~/.local/state/quorvel/autosave.
std::filesystem::path DefaultAutosaveFolder();

class CQuorvelDoc : public QObject {
    Q_OBJECT

public:
    explicit CQuorvelDoc(QObject* parent = nullptr);
    ~CQuorvelDoc() override;

    CCentigrade& Scene() { return session_.Scene(); }
    const CCentigrade& Scene() const { return session_.Scene(); }
    // The scene, its history, the modified flag and the clipboard text the
    // commands of commands/ run on.
    CommandSession& Session() { return session_; }

    // --- The undo history
    // Edits made outside the command table record their steps here and then
    // call Changed.
    EditHistory& History() { return session_.History(); }
    const EditHistory& History() const { return session_.History(); }
    // An edit outside the command table (a click or drag in the 3D view, a
    // tool form's typed transform) changed the scene since `before` was noted;
    // `recorded` says whether it added a step. Views and panels hear of it
    // through the same signals as of a command.
    void Changed(const SceneLedger& before, bool recorded);

    // Runs command `id` of the command table with `values`. What it changed
    // reaches views and panels through the typed signals below, the modified
    // flag and the Edit menu follow its history step; a refusal changes nothing.
    CommandOutcome Run(std::string_view id, const Values& values = {});

    // --- The file
    // Empty for a document that was never saved or opened as native.
    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path);
    // The file name without folder, or "無題" without a path.
    QString Title() const;

    bool IsModified() const { return session_.Modified(); }
    void SetModifiedFlag(bool modified = true);

    // Empties the scene and forgets the path; the tool returns to none and the
    // property pane to its empty page.
    void NewDocument();
    // Reads `path`: a native document replaces the scene and becomes the
    // document's file; a Metasequoia document is added to the scene and leaves
    // the path and the modified flag alone. A failure leaves the scene as it was.
    FileOutcome OpenFile(const QString& path);
    // Writes the scene to `path` in the format its extension names. A native
    // save makes `path` the document's file and clears the modified flag; a
    // Metasequoia export changes neither. A failure leaves the flag set and
    // the previous file intact.
    // A native save keeps the file it replaces as "NAME.qvl~" unless the
    // setting "Save/KeepPrevious" is off.
    FileOutcome SaveFile(const QString& path);

    // --- Autosave and recovery
    // Writes the scene to `folder` every `seconds` while it is modified (0:
    // never). Before this is called nothing is autosaved. The first call
    // clears up after runs that ended without leaving an autosave.
    void StartAutosaving(const std::filesystem::path& folder, int seconds);
    // The autosave now, whether or not the interval has passed; false when
    // none was started (not modified, autosaving off, or a write running).
    bool AutosaveNow();
    // What the timer does: the autosave now unless the scene is as the last
    // autosave that began found it (a failed one is written again).
    bool AutosaveIfChanged();
    // Waits for an autosave in progress.
    void WaitForAutosave();
    // The autosave file of this run; empty while autosaving is off.
    std::filesystem::path AutosaveFile() const;
    // The document is closed without being lost: its autosave goes.
    void Closed();
    // Autosaves of runs that did not end cleanly, newest first.
    std::vector<RecoverableAutosave> RecoverableAutosaves() const;
    // Replaces the scene by the autosave, under the path it was edited with,
    // modified; the autosave stays on disk as this run's own until the next
    // save, autosave or clean close.
    FileOutcome Recover(const RecoverableAutosave& autosave);

    // --- Views and panels
    // The scene's records were replaced as a whole (a new, opened or
    // recovered document, or records set up directly): views and panels
    // reload everything.
    void Replaced();
    // Asks the frame to show a page of the property pane; nothing happens
    // while no frame listens.
    void RequestPropertyPage(int page);
    // Tells the user, through textureFailed, of each texture an open, a
    // recovery, a paste or a texture name could not load.
    void ReportTextureFailures(const std::vector<TextureFailure>& failures);

signals:
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);
    void propertyPageRequested(int page);
    // What Undo and Redo would do has changed.
    void historyChanged();
    // An autosave could not be written; `message` names the file and the cause.
    void autosaveFailed(const QString& message);
    // A texture could not be loaded: "テクスチャファイルの読み込みに失敗しました",
    // the file and why. The material keeps the name.
    void textureFailed(const QString& message);

    // What a command or an edit changed, all of it; the signals after it say
    // the same in parts.
    void changed(const ChangeReport& report);
    void objectsInserted(const std::vector<std::size_t>& indices);
    void objectsRemoved(const std::vector<std::size_t>& indices);
    // `aspects` holds ObjectAspect bits.
    void objectChanged(std::size_t index, unsigned aspects);
    void materialsInserted(const std::vector<std::size_t>& indices);
    void materialsRemoved(const std::vector<std::size_t>& indices);
    void materialChanged(std::size_t index);
    void currentObjectChanged(int index);
    void currentMaterialChanged(int index);
    void toolChanged(int toolMode);
    void selectionChanged();
    void documentReplaced();

private:
    // The history starts afresh and the autosave goes: a new or opened document.
    void Restart();
    void AutosaveFinished(const FileFailure& failure);
    void ImportRecorded();
    FileOutcome OpenNative(const QString& path, const std::filesystem::path& file);
    // Emits the typed signals of `report`.
    void Announce(const ChangeReport& report);

    CommandSession session_;
    CCentigrade& scene_ = session_.Scene();
    EditHistory& history_ = session_.History();
    std::filesystem::path autosaveFolder_;
    std::unique_ptr<AutosaveSession> autosave_;
    QTimer* autosaveTimer_ = nullptr;
    QString pathName_;
    // What the scene was when the last autosave began: how many changes the
    // document had been told of, the material count and every object's revision.
    struct SceneState {
        std::uint64_t changes = 0;
        std::size_t materials = 0;
        std::vector<std::uint64_t> objects;

        friend bool operator==(const SceneState&, const SceneState&) = default;
    };
    SceneState CurrentState() const;
    std::uint64_t changes_ = 0;
    SceneState autosaved_;
};
