// Opening a file the program reads. A name may point at anything: a FIFO that
// blocks an open for ever, a device that never ends, a sparse file of many
// gigabytes. Files are opened without blocking and read only when they are
// regular files within the limit the caller sets for their kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "scene/file_failure.h"

enum class FileRefusal {
    None,
    CannotOpen,      // missing, unreadable: Error() holds the errno
    NotRegularFile,  // a folder, FIFO, device or socket
    TooLarge,        // beyond the caller's limit
};

// The largest document (".qvl", ".mqo", ".obj", ".mqoz") the program opens.
constexpr std::uint64_t kMaxDocumentBytes = std::uint64_t{4} << 30;

class RegularFile {
public:
    RegularFile(const std::filesystem::path& path, std::uint64_t maxBytes);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    // Hands the descriptor over to the caller, who closes it.
    int Release();
    std::uint64_t Size() const { return size_; }
    FileRefusal Refusal() const { return refusal_; }
    int Error() const { return error_; }
    FileFailure Failure() const;
    // Why the file was refused, without its name: "not a regular file (a FIFO)".
    std::string Cause() const;
    // Reads up to `size` bytes into `out`; `count` is 0 at the end.
    FileFailure ReadSome(void* out, std::size_t size, std::size_t& count);
    // Reads the whole file.
    FileFailure ReadAll(std::string& contents);
    // Throws the DocumentError of the refusal (DocumentNotRegularFile for
    // anything but a regular file).
    [[noreturn]] void ThrowRefusal() const;

private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t maxBytes_;
    FileRefusal refusal_ = FileRefusal::None;
    int error_ = 0;
    unsigned mode_ = 0;  // the file type bits of st_mode
};
