// ImportObjFile: an OBJ file read in blocks, its material libraries and
// textures found beside it.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "exchange/obj_reader.h"
#include "exchange/obj_text.h"
#include "exchange/utf8_names.h"
#include "image/texture_batch.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/regular_file.h"

namespace {

constexpr std::size_t kBlockBytes = std::size_t{4} << 20;
// A longer line is dropped rather than held: far beyond a face of a million corners.
constexpr std::size_t kMaxLineBytes = std::size_t{64} << 20;
constexpr std::uintmax_t kMaxLibraryBytes = std::uintmax_t{64} << 20;

// A library named in the file (UTF-8, or Shift-JIS in older files), looked
// up like a texture name beside it, through the finder the textures use.
ObjReader::LibrarySource LibrariesBeside(const std::filesystem::path& folder, FileFinder& finder) {
    return [folder, &finder](std::string_view name) -> std::optional<std::string> {
        std::string path = IsUtf8(name) ? std::string(name) : TextureNameToPath(name);
        std::replace(path.begin(), path.end(), '\\', '/');
        const std::optional<std::filesystem::path>& file = finder.Find(folder, path);
        std::string text;
        if (!file || ReadWholeFile(*file, text, kMaxLibraryBytes)) {
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
    std::size_t scanned = 0;  // bytes of the held part known to hold no line end
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
        ObjLineEnds ends(std::string_view(buffer.data(), end));
        std::size_t start = 0;
        for (std::size_t lineEnd; (lineEnd = ends.From(std::max(start, scanned))) < end;) {
            if (!skipping) {
                reader.ReadLine(std::string_view(buffer.data() + start, lineEnd - start));
            }
            skipping = false;
            start = lineEnd + 1;
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
    RegularFile file(path, kMaxDocumentBytes);
    if (!file) {
        file.ThrowRefusal();
    }
    // Read into a scene of its own, so that a read error leaves the user's as it was.
    CCentigrade part;
    part.modelSerial = scene.modelSerial;
    part.materialSerial = scene.materialSerial;
    const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
    TextureBatch textures(folder, GetModuleFolder());
    ObjReader reader(part, LibrariesBeside(folder, textures.Finder()));
    std::vector<TextureFailure> textureFailures;
    reader.loadTexture = [&textures, &textureFailures](CMaterial& m) {
        if (ImageStatus status = textures.Load(m); !status) {
            textureFailures.push_back({m.name, m.texture, std::move(status)});
        }
    };
    int droppedLines = 0;
    ObjImport outcome;
    outcome.failure = ReadLines(file.Descriptor(), path, reader, droppedLines);
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
