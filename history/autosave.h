// Autosaves and their recovery. Each running program is a session with its
// own files in the autosave folder: "ID.lock" (the process id, locked while
// the program runs), "ID.qvl" (the scene as last autosaved) and "ID.path"
// (the document's own path, empty for an untitled one). The kernel drops the
// lock when the process ends in any way, so an autosave whose lock nobody
// holds was left by a run that did not end cleanly: it is offered for
// recovery.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "scene/document_copy.h"
#include "scene/file_failure.h"

class CCentigrade;

struct RecoverableAutosave {
    std::filesystem::path file;      // the autosaved document
    std::filesystem::path document;  // the path it was edited under; empty if untitled
    std::string name;                // the file name of `document`, empty if untitled
    std::filesystem::file_time_type written;
    std::uintmax_t size = 0;
};

// The autosaves in `folder` that no running program owns, newest first.
std::vector<RecoverableAutosave> FindRecoverableAutosaves(const std::filesystem::path& folder);

// Clears up after the sessions of `folder` that no running program owns: the
// temporary files of their unfinished writes go, and a session without a
// complete autosave (killed during its first write, or ended abnormally after
// a clean save) goes entirely, lock and path file too. Sessions with an
// autosave stay for FindRecoverableAutosaves. Called at start-up.
void RemoveAbandonedSessions(const std::filesystem::path& folder);

// Deletes an autosave the user declined, with its session's other files.
// False when it belongs to a running program after all or cannot be deleted.
bool DiscardAutosave(const RecoverableAutosave& autosave);

class AutosaveSession {
public:
    // Creates `folder` (private to the user) and this session's lock file.
    // Failed() tells whether that worked; a failed session writes nothing.
    explicit AutosaveSession(std::filesystem::path folder);
    // Waits for a write in progress and removes the lock file; an autosave not
    // removed stays for recovery.
    ~AutosaveSession();
    AutosaveSession(const AutosaveSession&) = delete;
    AutosaveSession& operator=(const AutosaveSession&) = delete;

    const FileFailure& Failed() const { return failure_; }
    const std::filesystem::path& File() const { return file_; }

    // Copies the scene on the calling thread and writes it on a worker thread
    // through the atomic writer; `document` is the document's own path, if any.
    // Returns false, doing nothing, while the previous write is still running.
    // `finished` is called on the worker thread with the write's failure, if
    // any; the previous autosave is then intact.
    bool Start(const CCentigrade& scene, const std::filesystem::path& document,
               std::function<void(const FileFailure& failure)> finished = {});
    bool Busy() const;
    // Waits for the write in progress; returns its failure (none when none ran).
    FileFailure Wait();

    // The document was saved or closed cleanly: its autosave goes.
    void Remove();

    // Makes a recovered autosave this session's own, so that it stays on disk
    // until this session autosaves again or removes it.
    bool Adopt(const RecoverableAutosave& autosave);

private:
    void Write(std::filesystem::path document);

    std::filesystem::path folder_;
    std::filesystem::path lock_;
    std::filesystem::path file_;
    std::filesystem::path pathFile_;
    FileFailure failure_;
    int lockFd_ = -1;

    DocumentCopy snapshot_;
    std::filesystem::path writtenDocument_;
    bool pathWritten_ = false;
    std::function<void(const FileFailure&)> finished_;
    std::thread worker_;
    mutable std::mutex mutex_;
    bool running_ = false;
    FileFailure outcome_;
};
