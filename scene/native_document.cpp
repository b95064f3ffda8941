#include "scene/native_document.h"

#include <fcntl.h>

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
    explicit DocumentFileSource(RegularFile& file) : file_(file) {
        ::posix_fadvise(file.Descriptor(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }

    std::size_t Read(unsigned char* out, std::size_t size) override {
        std::size_t count = 0;
        if (FileFailure failure = file_.ReadSome(out, size, count)) {
            const std::filesystem::path path = failure.path;
            throw DocumentError(path, std::move(failure));
        }
        return count;
    }

private:
    RegularFile& file_;
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
    DocumentFileSource source(file);
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
