#include "scene/native_document.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "scene/archive.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/document_copy.h"
#include "scene/regular_file.h"

namespace {

// The document is read in pieces rather than copied whole into memory: the
// copy would cost as much memory as the file and, on first touch, about as
// much time as reading the records from it.
class DocumentFileSource : public ArchiveSource {
public:
    DocumentFileSource(int descriptor, const std::filesystem::path& path)
        : descriptor_(descriptor), path_(path) {
        ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    }

    std::size_t Read(unsigned char* out, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(descriptor_, out, size);
            if (n >= 0) {
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) {
                throw DocumentError(path_, FailureFromErrno(FileStep::Read, path_));
            }
        }
    }

private:
    int descriptor_;
    const std::filesystem::path& path_;
};

}  // namespace

int LoadNativeDocument(const std::filesystem::path& path, CCentigrade& scene) {
    RegularFile file(path, kMaxDocumentBytes);
    if (!file) {
        file.ThrowRefusal();
    }
    if (file.Size() == 0) {
        return 0;
    }
    DocumentFileSource source(file.Descriptor(), path);
    try {
        ArchiveReader reader(source, file.Size());
        return scene.Serialize(reader);
    } catch (const DocumentEndOfFile& e) {
        throw DocumentEndOfFile(path, e.Reason());
    } catch (const DocumentError& e) {
        if (!e.File().empty()) {
            throw;
        }
        throw DocumentError(path, e.Reason());
    }
}

void TakeDocumentRecords(CCentigrade& scene, CCentigrade&& loaded) {
    scene.models = std::move(loaded.models);
    scene.materials = std::move(loaded.materials);
    scene.modelSerial = loaded.modelSerial;
    scene.materialSerial = loaded.materialSerial;
    scene.smooth = loaded.smooth;
    scene.zoom = loaded.zoom;
    scene.camera = loaded.camera;
}

void SaveNativeDocument(const std::filesystem::path& path, const CCentigrade& scene) {
    SaveNativeDocument(path, scene, AtomicWriteOptions());
}

void SaveNativeDocument(const std::filesystem::path& path, const CCentigrade& scene,
                        const AtomicWriteOptions& options) {
    DocumentCopy copy;
    copy.Take(scene);
    if (FileFailure failure = SaveDocumentCopy(path, copy, options)) {
        throw DocumentError(path, std::move(failure));
    }
}

FileFailure SaveDocumentCopy(const std::filesystem::path& path, const DocumentCopy& copy,
                             const AtomicWriteOptions& options) {
    PendingFile file(path, options);
    ArchiveWriter writer(file);
    copy.WriteTo(writer);
    if (FileFailure failure = writer.Finish()) {
        return failure;
    }
    return file.Commit();
}
