#include "scene/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

FileFailure RegularFile::Failure() const {
    switch (refusal_) {
        case FileRefusal::None:
            return {};
        case FileRefusal::CannotOpen:
            return {FileStep::Open, path_, error_};
        case FileRefusal::NotRegularFile: {
            FileFailure failure(FileStep::NotRegularFile, path_);
            failure.fileType = mode_;
            return failure;
        }
        case FileRefusal::TooLarge: {
            FileFailure failure(FileStep::TooLarge, path_);
            failure.size = size_;
            failure.limit = maxBytes_;
            return failure;
        }
    }
    return {};
}

std::string RegularFile::Cause() const {
    return Failure().Cause();
}

FileFailure RegularFile::ReadSome(void* out, std::size_t size, std::size_t& count) {
    count = 0;
    if (fd_ < 0) {
        return Failure();
    }
    for (;;) {
        const ssize_t n = ::read(fd_, out, size);
        if (n >= 0) {
            count = static_cast<std::size_t>(n);
            return {};
        }
        if (errno != EINTR) {
            return FailureFromErrno(FileStep::Read, path_);
        }
    }
}

FileFailure RegularFile::ReadAll(std::string& contents) {
    contents.clear();
    if (fd_ < 0) {
        return Failure();
    }
    // The file may grow meanwhile; what lies beyond the size seen at the
    // open is not read, so the limit holds.
    contents.resize(static_cast<std::size_t>(size_));
    std::size_t done = 0;
    while (done < contents.size()) {
        std::size_t n = 0;
        if (FileFailure failure = ReadSome(contents.data() + done, contents.size() - done, n)) {
            contents.clear();
            return failure;
        }
        if (n == 0) {
            break;
        }
        done += n;
    }
    contents.resize(done);
    return {};
}

void RegularFile::ThrowRefusal() const {
    if (refusal_ == FileRefusal::NotRegularFile) {
        throw DocumentNotRegularFile(path_, Failure());
    }
    throw DocumentError(path_, Failure());
}
