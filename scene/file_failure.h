// Why a file could not be written or read, as a code with the file and the
// system's error number, so that each surface words it in its own language:
// Message() in English for the command-line tool, the Python module and logs;
// the window has its own table in Japanese.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

enum class FileStep : unsigned char {
    None,
    Create,           // a new file or folder
    CreateTemporary,  // the temporary file beside the target of a save
    Write,
    Replace,      // renaming the written file into place, or keeping the previous version
    FlushFolder,  // flushing the folder after the rename
    Lock,         // holding a lock file
    Pack,         // building an archive in memory; `detail` holds the library's words
    Open,         // opening for reading
    Read,
    NotRegularFile,  // a folder, FIFO, device or socket where a file was expected
    TooLarge,        // beyond the limit for its kind
    // What the format of the file cannot hold:
    NameWithLineBreak,  // an OBJ file's name, which its "mtllib" line cannot give
    TooManyTriangles,   // more than an STL file can count
    TooLargeForFormat,  // beyond the 4 GB of a .glb file
};

// The errors a user can do something about, apart from the rest.
enum class FileErrorKind : unsigned char {
    None,
    NoSpace,  // the disk or the user's quota is full
    PermissionDenied,
    ReadOnlyFileSystem,
    NotFound,
    NotAFolder,  // a part of the path is a file
    IsAFolder,
    NameTooLong,
    FileTooLarge,  // beyond what the file system or the process may write
    Other,
};

FileErrorKind KindOfError(int error);

struct FileFailure {
    FileFailure() = default;
    FileFailure(FileStep step, std::filesystem::path path, int error = 0, std::string detail = {})
        : step(step), path(std::move(path)), error(error), detail(std::move(detail)) {}

    FileStep step = FileStep::None;
    std::filesystem::path path;
    int error = 0;            // errno, 0 where the step has none
    std::string detail;       // English, where no errno tells the cause
    std::uint64_t size = 0;   // TooLarge: the file's size
    std::uint64_t limit = 0;  // TooLarge: the limit
    unsigned fileType = 0;    // NotRegularFile: the S_IFMT bits of what is there

    explicit operator bool() const { return step != FileStep::None; }
    FileErrorKind Kind() const { return KindOfError(error); }
    // One line naming the file: "cannot write PATH: No space left on device".
    std::string Message() const;
    // The same without the step and the name: "No space left on device".
    std::string Cause() const;
};

// A failure of `step` on `path` with the current errno.
FileFailure FailureFromErrno(FileStep step, const std::filesystem::path& path);
