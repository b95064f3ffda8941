#include "scene/file_failure.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {

const char* FileType(unsigned type) {
    switch (type) {
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

FileErrorKind KindOfError(int error) {
    switch (error) {
        case 0:
            return FileErrorKind::None;
        case ENOSPC:
        case EDQUOT:
            return FileErrorKind::NoSpace;
        case EACCES:
        case EPERM:
            return FileErrorKind::PermissionDenied;
        case EROFS:
            return FileErrorKind::ReadOnlyFileSystem;
        case ENOENT:
            return FileErrorKind::NotFound;
        case ENOTDIR:
            return FileErrorKind::NotAFolder;
        case EISDIR:
            return FileErrorKind::IsAFolder;
        case ENAMETOOLONG:
            return FileErrorKind::NameTooLong;
        case EFBIG:
            return FileErrorKind::FileTooLarge;
        default:
            return FileErrorKind::Other;
    }
}

FileFailure FailureFromErrno(FileStep step, const std::filesystem::path& path) {
    return {step, path, errno};
}

std::string FileFailure::Cause() const {
    if (step == FileStep::TooLarge) {
        return std::to_string(size >> 20) + " MB, more than the " + std::to_string(limit >> 20) +
               " MB allowed";
    }
    if (step == FileStep::NotRegularFile) {
        return std::string("not a regular file (") + FileType(fileType) + ")";
    }
    return error != 0 ? std::strerror(error) : detail;
}

std::string FileFailure::Message() const {
    const std::string name = path.string();
    const char* action = "";
    switch (step) {
        case FileStep::None:
            return {};
        case FileStep::NotRegularFile:
            return name + " is " + Cause();
        case FileStep::TooLarge:
            return name + " is too large: " + Cause();
        case FileStep::Lock:
            return "cannot hold a lock file in " + name;
        case FileStep::NameWithLineBreak:
            return "cannot write " + name +
                   ": an OBJ file whose name holds a line break cannot name its material library";
        case FileStep::TooManyTriangles:
            return "cannot write " + name + ": more triangles than an STL file can count";
        case FileStep::TooLargeForFormat:
            return "cannot write " + name + ": the scene exceeds the 4 GB a .glb file can hold";
        case FileStep::Create:
            action = "cannot create ";
            break;
        case FileStep::CreateTemporary:
            action = "cannot create a temporary file beside ";
            break;
        case FileStep::Write:
        case FileStep::Pack:
            action = "cannot write ";
            break;
        case FileStep::Replace:
            action = "cannot replace ";
            break;
        case FileStep::FlushFolder:
            action = "cannot flush the folder of ";
            break;
        case FileStep::Open:
            action = "cannot open ";
            break;
        case FileStep::Read:
            action = "cannot read ";
            break;
    }
    const std::string cause = Cause();
    return action + name + (cause.empty() ? std::string() : ": " + cause);
}
