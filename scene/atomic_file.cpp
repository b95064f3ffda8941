#include "scene/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string Reason(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

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
std::string KeepPrevious(const std::filesystem::path& target) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    const std::filesystem::path previous = PreviousVersionPath(target);
    if (::unlink(previous.c_str()) != 0 && errno != ENOENT) {
        return Reason("cannot replace", previous);
    }
    if (::link(target.c_str(), previous.c_str()) == 0) {
        return {};
    }
    std::string contents;
    if (std::string reason = ReadWholeFile(target, contents); !reason.empty()) {
        return reason;
    }
    return WriteFileAtomically(previous, contents);
}

std::string SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    // Some file systems cannot flush a folder and say so with EINVAL.
    std::string reason;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        reason = Reason("cannot flush the folder of", folder);
    }
    ::close(fd);
    return reason;
}

}  // namespace

std::filesystem::path PreviousVersionPath(const std::filesystem::path& target) {
    std::filesystem::path previous = target;
    previous += "~";
    return previous;
}

std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes) {
    return WriteFileAtomically(target, bytes, AtomicWriteOptions());
}

std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes,
                                const AtomicWriteOptions& options) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    RemoveStaleTemporaries(folder, prefix);
    std::string pattern = (folder / (prefix + "XXXXXX")).string();
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return Reason("cannot create a temporary file beside", target);
    }
    ::flock(fd, LOCK_EX);
    const std::filesystem::path temporary = pattern;
    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
        std::string reason = Reason("cannot write", target);
        ::close(fd);
        ::unlink(temporary.c_str());
        return reason;
    }
    if (::close(fd) != 0) {
        std::string reason = Reason("cannot write", target);
        ::unlink(temporary.c_str());
        return reason;
    }
    if (options.keepPrevious) {
        if (std::string reason = KeepPrevious(target); !reason.empty()) {
            ::unlink(temporary.c_str());
            return reason;
        }
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        std::string reason = Reason("cannot replace", target);
        ::unlink(temporary.c_str());
        return reason;
    }
    return SyncFolder(folder);
}

std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text) {
    return WriteFileAtomically(target, text, AtomicWriteOptions());
}

std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text,
                                const AtomicWriteOptions& options) {
    return WriteFileAtomically(
        target, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()),
        options);
}

std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return Reason("cannot open", path);
    }
    contents.clear();
    struct stat info;
    if (::fstat(::fileno(f), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(f);
        return path.string() + " is a folder";
    }
    if (info.st_size > 0) {
        contents.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        contents.append(buffer, n);
    }
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) {
        return Reason("cannot read", path);
    }
    return {};
}
