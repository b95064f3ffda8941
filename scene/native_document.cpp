#include "scene/native_document.h"

#include <span>
#include <string>
#include <utility>

#include "scene/archive.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/regular_file.h"

int LoadNativeDocument(const std::filesystem::path& path, CCentigrade& scene) {
    RegularFile file(path, kMaxDocumentBytes);
    if (!file) {
        file.ThrowRefusal();
    }
    std::string bytes;
    if (FileFailure failure = file.ReadAll(bytes)) {
        throw DocumentError(path, std::move(failure));
    }
    if (bytes.empty()) {
        return 0;
    }
    try {
        ArchiveReader reader(
            std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
        return scene.Serialize(reader);
    } catch (const DocumentEndOfFile& e) {
        throw DocumentEndOfFile(path, e.Reason());
    } catch (const DocumentError& e) {
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
    ArchiveWriter writer;
    std::size_t estimate = 64;
    for (const CModel& m : scene.models) {
        estimate += 64 + m.vertices.size() * 12 + m.faces.size() * 40;
    }
    writer.Reserve(estimate);
    scene.Serialize(writer);
    if (FileFailure failure = WriteFileAtomically(path, writer.Bytes(), options)) {
        throw DocumentError(path, std::move(failure));
    }
}
