#include "scene/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

#include "scene/regular_file.h"

namespace {

bool WriteAll(int fd, const unsigned char* p, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Saves also run on the autosave's thread. Setting the mask to read it would
// give files other threads create meanwhile the wrong permissions, so it is
// read from the process status, where the kernel shows it.
mode_t CurrentUmask() {
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status)) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
        if (found) {
            return static_cast<mode_t>(mask);
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

constexpr std::size_t kTemporarySuffix = 6;  // the XXXXXX of mkstemp

bool IsTemporaryOf(const std::string& entry, const std::string& prefix) {
    if (entry.size() != prefix.size() + kTemporarySuffix || !entry.starts_with(prefix)) {
        return false;
    }
    for (std::size_t k = prefix.size(); k < entry.size(); ++k) {
        if (!std::isalnum(static_cast<unsigned char>(entry[k]))) {
            return false;
        }
    }
    return true;
}

// A save holds a lock on its temporary file while it writes; the kernel drops
// it when the process dies. A temporary file nobody holds is a killed save's.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!IsTemporaryOf(name, prefix)) {
            continue;
        }
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(entry.path().c_str());
        }
        ::close(fd);
    }
}

// A hard link keeps the previous file without a moment in which the target is
// missing; where links are not supported, a copy.
FileFailure KeepPrevious(const std::filesystem::path& target) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    const std::filesystem::path previous = PreviousVersionPath(target);
    if (::unlink(previous.c_str()) != 0 && errno != ENOENT) {
        return FailureFromErrno(FileStep::Replace, previous);
    }
    if (::link(target.c_str(), previous.c_str()) == 0) {
        return {};
    }
    std::string contents;
    if (FileFailure failure = ReadWholeFile(target, contents)) {
        return failure;
    }
    return WriteFileAtomically(previous, contents);
}

FileFailure SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    // Some file systems cannot flush a folder and say so with EINVAL.
    FileFailure failure;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        failure = FailureFromErrno(FileStep::FlushFolder, folder);
    }
    ::close(fd);
    return failure;
}

}  // namespace

std::filesystem::path PreviousVersionPath(const std::filesystem::path& target) {
    std::filesystem::path previous = target;
    previous += "~";
    return previous;
}

FileFailure WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes) {
    return WriteFileAtomically(target, bytes, AtomicWriteOptions());
}

FileFailure WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes,
                                const AtomicWriteOptions& options) {
    PendingFile file(target, options);
    if (FileFailure failure = file.Write(bytes)) {
        return failure;
    }
    return file.Commit();
}

PendingFile::PendingFile(std::filesystem::path target, AtomicWriteOptions options)
    : target_(std::move(target)), options_(options) {}

PendingFile::~PendingFile() {
    Discard();
}

void PendingFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

FileFailure PendingFile::Write(const std::string& text) {
    return Write(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

FileFailure PendingFile::Write(std::span<const unsigned char> bytes) {
    Discard();
    failure_ = {};
    return Append(bytes);
}

FileFailure PendingFile::Append(std::span<const unsigned char> bytes) {
    if (failure_) {
        return failure_;
    }
    if (fd_ < 0) {
        if (FileFailure failure = CreateTemporary()) {
            return failure_ = failure;
        }
    }
    if (!WriteAll(fd_, bytes.data(), bytes.size())) {
        failure_ = FailureFromErrno(FileStep::Write, target_);
        Discard();
    }
    return failure_;
}

FileFailure PendingFile::CreateTemporary() {
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string prefix = ".";
    prefix += target_.filename().string();
    prefix += '.';
    RemoveStaleTemporaries(folder, prefix);
    std::string pattern = (folder / (prefix + "XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return FailureFromErrno(FileStep::CreateTemporary, target_);
    }
    // Held until the commit: another save's sweep of stale files leaves it alone.
    ::flock(fd, LOCK_EX);
    fd_ = fd;
    temporary_ = pattern;
    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    struct stat existing;
    if (::stat(target_.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }
    return {};
}

FileFailure PendingFile::Commit() {
    if (failure_) {
        return failure_;
    }
    if (fd_ < 0) {
        return {FileStep::Write, target_, 0, "nothing was written"};
    }
    const int fd = fd_;
    fd_ = -1;
    if (::fsync(fd) != 0) {
        FileFailure failure = FailureFromErrno(FileStep::Write, target_);
        ::close(fd);
        Discard();
        return failure;
    }
    if (::close(fd) != 0) {
        FileFailure failure = FailureFromErrno(FileStep::Write, target_);
        Discard();
        return failure;
    }
    if (options_.keepPrevious) {
        if (FileFailure failure = KeepPrevious(target_)) {
            Discard();
            return failure;
        }
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        FileFailure failure = FailureFromErrno(FileStep::Replace, target_);
        Discard();
        return failure;
    }
    temporary_.clear();
    std::filesystem::path folder = target_.parent_path();
    return SyncFolder(folder.empty() ? std::filesystem::path(".") : folder);
}

FileFailure WriteFileAtomically(const std::filesystem::path& target, const std::string& text) {
    return WriteFileAtomically(target, text, AtomicWriteOptions());
}

FileFailure WriteFileAtomically(const std::filesystem::path& target, const std::string& text,
                                const AtomicWriteOptions& options) {
    return WriteFileAtomically(
        target, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()),
        options);
}

FileFailure ReadWholeFile(const std::filesystem::path& path, std::string& contents,
                          std::uint64_t maxBytes) {
    RegularFile file(path, maxBytes);
    return file.ReadAll(contents);
}
