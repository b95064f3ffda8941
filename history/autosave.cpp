#include "history/autosave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "scene/atomic_file.h"
#include "scene/native_document.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLock = ".lock";
constexpr const char* kDocument = ".qvl";
constexpr const char* kPath = ".path";
// Far beyond any path; a larger path file is no session's.
constexpr std::uint64_t kMaxPathFileBytes = std::uint64_t{64} << 10;

fs::path SessionFile(const fs::path& folder, const std::string& id, const char* extension) {
    return folder / (id + extension);
}

std::string NewSessionId() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return "quorvel-" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

// The lock of a session, taken when its program no longer runs (or never
// left a lock file) and held while this object lives.
class SessionClaim {
public:
    explicit SessionClaim(const fs::path& lock)
        : fd_(::open(lock.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW)) {
        if (fd_ < 0) {
            claimed_ = errno == ENOENT;
        } else if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            claimed_ = true;
        }
    }
    ~SessionClaim() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    SessionClaim(const SessionClaim&) = delete;
    SessionClaim& operator=(const SessionClaim&) = delete;

    bool Claimed() const { return claimed_; }

private:
    int fd_;
    bool claimed_ = false;
};

// The temporary files the atomic writer of a dead session left ("." ID ".").
void RemoveSessionTemporaries(const fs::path& folder, const std::string& id) {
    std::error_code error;
    const std::string temporary = "." + id + ".";
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().filename().string().starts_with(temporary)) {
            fs::remove(entry.path(), error);
        }
    }
}

// Every file of a dead session, its writers' leftover temporary files too.
void RemoveSessionFiles(const fs::path& folder, const std::string& id) {
    std::error_code error;
    fs::remove(SessionFile(folder, id, kDocument), error);
    fs::remove(SessionFile(folder, id, kPath), error);
    RemoveSessionTemporaries(folder, id);
    fs::remove(SessionFile(folder, id, kLock), error);
}

std::string SessionIdOf(const fs::path& file) {
    return file.stem().string();
}

// The session a file of the folder belongs to ("quorvel-PID-TIME"), also for
// the writers' temporary files (".quorvel-PID-TIME.qvl.XXXXXX"); empty for
// anything else.
std::string SessionOfEntry(std::string name) {
    if (name.starts_with(".")) {
        name.erase(0, 1);
    }
    const std::size_t dot = name.find('.');
    name.resize(std::min(dot, name.size()));
    return name.starts_with("quorvel-") ? name : std::string();
}

}  // namespace

std::vector<RecoverableAutosave> FindRecoverableAutosaves(const fs::path& folder) {
    std::vector<RecoverableAutosave> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& file = entry.path();
        const std::string id = SessionIdOf(file);
        if (file.extension() != kDocument || !id.starts_with("quorvel-") ||
            !entry.is_regular_file(error)) {
            continue;
        }
        if (!SessionClaim(SessionFile(folder, id, kLock)).Claimed()) {
            continue;
        }
        RecoverableAutosave autosave;
        autosave.file = file;
        std::string path;
        if (!ReadWholeFile(SessionFile(folder, id, kPath), path, kMaxPathFileBytes)) {
            autosave.document = path;
            autosave.name = autosave.document.filename().string();
        }
        autosave.written = entry.last_write_time(error);
        autosave.size = entry.file_size(error);
        found.push_back(std::move(autosave));
    }
    std::sort(found.begin(), found.end(),
              [](const RecoverableAutosave& a, const RecoverableAutosave& b) {
                  return a.written > b.written;
              });
    return found;
}

void RemoveAbandonedSessions(const fs::path& folder) {
    std::error_code error;
    std::vector<std::string> sessions;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (std::string id = SessionOfEntry(entry.path().filename().string()); !id.empty()) {
            sessions.push_back(std::move(id));
        }
    }
    std::sort(sessions.begin(), sessions.end());
    sessions.erase(std::unique(sessions.begin(), sessions.end()), sessions.end());
    for (const std::string& id : sessions) {
        const SessionClaim claim(SessionFile(folder, id, kLock));
        if (!claim.Claimed()) {
            continue;
        }
        // Only the atomic writer's rename makes an autosave: one that exists is complete.
        if (fs::is_regular_file(SessionFile(folder, id, kDocument), error)) {
            RemoveSessionTemporaries(folder, id);
        } else {
            RemoveSessionFiles(folder, id);
        }
    }
}

bool DiscardAutosave(const RecoverableAutosave& autosave) {
    const fs::path folder = autosave.file.parent_path();
    const std::string id = SessionIdOf(autosave.file);
    const SessionClaim claim(SessionFile(folder, id, kLock));
    if (!claim.Claimed()) {
        return false;
    }
    RemoveSessionFiles(folder, id);
    return !fs::exists(autosave.file);
}

AutosaveSession::AutosaveSession(fs::path folder) : folder_(std::move(folder)) {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) {
        failure_ = {FileStep::Create, folder_, error.value()};
        return;
    }
    fs::permissions(folder_, fs::perms::owner_all, error);
    // Another program clearing up at its start may take a new lock file for a
    // dead session's before it is locked, and remove it: the session then
    // starts again under another name.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts && lockFd_ < 0; ++attempt) {
        const std::string id = NewSessionId();
        lock_ = SessionFile(folder_, id, kLock);
        file_ = SessionFile(folder_, id, kDocument);
        pathFile_ = SessionFile(folder_, id, kPath);
        const int fd = ::open(lock_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            failure_ = FailureFromErrno(FileStep::Create, lock_);
            return;
        }
        struct stat held;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && held.st_nlink > 0) {
            lockFd_ = fd;
        } else {
            ::close(fd);
        }
    }
    if (lockFd_ < 0) {
        failure_ = {FileStep::Lock, folder_};
        return;
    }
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::write(lockFd_, pid.data(), pid.size()) != static_cast<ssize_t>(pid.size())) {
        failure_ = FailureFromErrno(FileStep::Write, lock_);
    }
}

AutosaveSession::~AutosaveSession() {
    Wait();
    if (lockFd_ >= 0) {
        ::unlink(lock_.c_str());
        ::close(lockFd_);
    }
}

bool AutosaveSession::Start(const CCentigrade& scene, const fs::path& document,
                            std::function<void(const FileFailure&)> finished) {
    if (failure_ || Busy()) {
        return false;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    snapshot_.Take(scene);
    finished_ = std::move(finished);
    {
        std::lock_guard lock(mutex_);
        running_ = true;
        outcome_ = {};
    }
    worker_ = std::thread(&AutosaveSession::Write, this, document);
    return true;
}

bool AutosaveSession::Busy() const {
    std::lock_guard lock(mutex_);
    return running_;
}

FileFailure AutosaveSession::Wait() {
    if (worker_.joinable()) {
        worker_.join();
    }
    std::lock_guard lock(mutex_);
    return outcome_;
}

// The path file goes first: an autosave is never listed under a path it was
// not made from, at worst under none.
void AutosaveSession::Write(fs::path document) {
    FileFailure failure;
    if (!pathWritten_ || document != writtenDocument_) {
        failure = WriteFileAtomically(pathFile_, document.string());
        pathWritten_ = !failure;
        writtenDocument_ = std::move(document);
    }
    if (!failure) {
        failure = SaveDocumentCopy(file_, snapshot_, AtomicWriteOptions());
    }
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        outcome_ = failure;
    }
    if (finished_) {
        finished_(failure);
    }
}

void AutosaveSession::Remove() {
    Wait();
    std::error_code error;
    fs::remove(file_, error);
    fs::remove(pathFile_, error);
    pathWritten_ = false;
}

bool AutosaveSession::Adopt(const RecoverableAutosave& autosave) {
    if (failure_) {
        return false;
    }
    Wait();
    const fs::path folder = autosave.file.parent_path();
    const std::string id = SessionIdOf(autosave.file);
    const SessionClaim claim(SessionFile(folder, id, kLock));
    if (!claim.Claimed()) {
        return false;
    }
    const bool moved = ::rename(autosave.file.c_str(), file_.c_str()) == 0 &&
                       !WriteFileAtomically(pathFile_, autosave.document.string());
    pathWritten_ = moved;
    writtenDocument_ = autosave.document;
    RemoveSessionFiles(folder, id);
    return moved;
}
