// ImportObjFile: an OBJ file read in blocks, its material libraries and
// textures found beside it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "exchange/obj_reader.h"
#include "exchange/utf8_names.h"
#include "image/texture_loader.h"
#include "image/texture_path.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"

namespace {

constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
// A longer line is dropped rather than held: far beyond a face of a million corners.
constexpr std::size_t kMaxLineBytes = std::size_t{64} << 20;
constexpr std::uintmax_t kMaxLibraryBytes = std::uintmax_t{64} << 20;

struct FileDescriptor {
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    int fd;
};

// A library named in the file (UTF-8, or Shift-JIS in older files), looked
// up like a texture name beside it.
ObjReader::LibrarySource LibrariesBeside(const std::filesystem::path& folder) {
    return [folder](std::string_view name) -> std::optional<std::string> {
        std::string path = IsUtf8(name) ? std::string(name) : TextureNameToPath(name);
        std::replace(path.begin(), path.end(), '\\', '/');
        const std::optional<std::filesystem::path> file = FindFileIgnoringCase(folder, path);
        std::error_code error;
        if (!file || std::filesystem::file_size(*file, error) > kMaxLibraryBytes || error) {
            return std::nullopt;
        }
        std::string text;
        if (!ReadWholeFile(*file, text).empty()) {
            return std::nullopt;
        }
        return text;
    };
}

std::string Reason(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// Reads the file into `part` line by line. Returns an empty string or why
// the file cannot be read.
std::string ReadLines(int fd, const std::filesystem::path& path, ObjReader& reader,
                      int& droppedLines) {
    std::vector<char> buffer(kBlockBytes);
    std::size_t held = 0;
    std::size_t scanned = 0;  // bytes of the held part known to hold no line feed
    bool skipping = false;    // inside an over-long line
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data() + held, buffer.size() - held);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Reason("cannot read", path);
        }
        if (n == 0) {
            if (held > 0 && !skipping) {
                reader.ReadLine(std::string_view(buffer.data(), held));
            }
            return {};
        }
        const std::size_t end = held + static_cast<std::size_t>(n);
        std::size_t start = 0;
        for (;;) {
            const void* found = std::memchr(buffer.data() + scanned, '\n', end - scanned);
            if (!found) {
                break;
            }
            const std::size_t lineEnd =
                static_cast<std::size_t>(static_cast<const char*>(found) - buffer.data());
            if (!skipping) {
                reader.ReadLine(std::string_view(buffer.data() + start, lineEnd - start));
            }
            skipping = false;
            start = lineEnd + 1;
            scanned = start;
        }
        held = end - start;
        std::memmove(buffer.data(), buffer.data() + start, held);
        scanned = held;
        if (held == buffer.size()) {
            if (skipping || buffer.size() >= kMaxLineBytes) {
                droppedLines += !skipping;
                skipping = true;
                held = 0;
                scanned = 0;
            } else {
                buffer.resize(buffer.size() * 2);
            }
        }
    }
}

}  // namespace

ObjImport ImportObjFile(CCentigrade& scene, const std::filesystem::path& path) {
    ObjImport outcome;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0) {
        outcome.failure = Reason("cannot open", path);
        return outcome;
    }
    struct stat info;
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        outcome.failure = path.string() + " is not a regular file";
        return outcome;
    }
    // Read into a scene of its own, so that a read error leaves the user's as it was.
    CCentigrade part;
    part.modelSerial = scene.modelSerial;
    part.materialSerial = scene.materialSerial;
    const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
    ObjReader reader(part, LibrariesBeside(folder));
    std::vector<TextureFailure> textureFailures;
    reader.loadTexture = [&folder, &textureFailures](CMaterial& m) {
        if (ImageStatus status = LoadTexture(m, folder); !status) {
            textureFailures.push_back({m.name, m.texture, std::move(status)});
        }
    };
    int droppedLines = 0;
    outcome.failure = ReadLines(file.fd, path, reader, droppedLines);
    if (!outcome.failure.empty()) {
        return outcome;
    }
    outcome = reader.Finish();
    outcome.textureFailures = std::move(textureFailures);
    outcome.repairs += droppedLines;
    scene.modelSerial = part.modelSerial;
    scene.materialSerial = part.materialSerial;
    for (CMaterial& m : part.materials) {
        scene.materials.push_back(std::move(m));
    }
    for (CModel& m : part.models) {
        scene.models.push_back(std::move(m));
    }
    scene.UpdateAllColors();
    return outcome;
}
