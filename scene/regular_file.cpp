#include "scene/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "scene/document_error.h"

RegularFile::RegularFile(const std::filesystem::path& path, std::uint64_t maxBytes)
    : path_(path), maxBytes_(maxBytes) {
    // Non-blocking, so that opening a FIFO returns at once instead of waiting
    // for a writer; no controlling terminal from a terminal device.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        refusal_ = FileRefusal::CannotOpen;
        error_ = errno;
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        refusal_ = FileRefusal::CannotOpen;
        error_ = errno;
    } else if (!S_ISREG(info.st_mode)) {
        refusal_ = FileRefusal::NotRegularFile;
        mode_ = info.st_mode & S_IFMT;
    } else if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        refusal_ = FileRefusal::TooLarge;
        size_ = static_cast<std::uint64_t>(info.st_size);
    }
    if (refusal_ != FileRefusal::None) {
        ::close(fd);
        return;
    }
    // Reads of a regular file never block; the flag is dropped all the same,
    // so that stdio and other libraries reading the descriptor see a plain one.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int RegularFile::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

namespace {

const char* FileKind(unsigned mode) {
    switch (mode) {
        case S_IFDIR:
            return "a folder";
        case S_IFIFO:
            return "a FIFO";
        case S_IFCHR:
        case S_IFBLK:
            return "a device";
        case S_IFSOCK:
            return "a socket";
        default:
            return "not a file";
    }
}

}  // namespace

std::string RegularFile::Cause() const {
    switch (refusal_) {
        case FileRefusal::None:
            return {};
        case FileRefusal::CannotOpen:
            return std::strerror(error_);
        case FileRefusal::NotRegularFile:
            return std::string("not a regular file (") + FileKind(mode_) + ")";
        case FileRefusal::TooLarge:
            return std::to_string(size_ >> 20) + " MB, more than the " +
                   std::to_string(maxBytes_ >> 20) + " MB allowed";
    }
    return {};
}

std::string RegularFile::Reason() const {
    const std::string name = path_.string();
    switch (refusal_) {
        case FileRefusal::None:
            return {};
        case FileRefusal::CannotOpen:
            return "cannot open " + name + ": " + Cause();
        case FileRefusal::NotRegularFile:
            return name + " is " + Cause();
        case FileRefusal::TooLarge:
            return name + " is too large: " + Cause();
    }
    return {};
}

std::string RegularFile::ReadAll(std::string& contents) {
    contents.clear();
    if (fd_ < 0) {
        return Reason();
    }
    // The file may grow meanwhile; what lies beyond the size seen at the
    // open is not read, so the limit holds.
    contents.resize(static_cast<std::size_t>(size_));
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::read(fd_, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            contents.clear();
            return "cannot read " + path_.string() + ": " + std::strerror(errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    contents.resize(done);
    return {};
}

void RegularFile::ThrowRefusal() const {
    if (refusal_ == FileRefusal::NotRegularFile) {
        throw DocumentNotRegularFile(path_, Reason());
    }
    throw DocumentError(path_, Reason());
}
