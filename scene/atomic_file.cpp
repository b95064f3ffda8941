#include "scene/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return Reason("cannot create a temporary file beside", target);
    }
    const std::filesystem::path temporary = pattern;
    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
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
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        std::string reason = Reason("cannot replace", target);
        ::unlink(temporary.c_str());
        return reason;
    }
    return {};
}

std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text) {
    return WriteFileAtomically(
        target, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
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
