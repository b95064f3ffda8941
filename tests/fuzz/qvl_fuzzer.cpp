// Native documents: any bytes must either read into a scene that keeps the
// invariants or be refused with DocumentError.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CCentigrade scene;
    try {
        ArchiveReader reader(std::span(data, size));
        scene.Serialize(reader);
    } catch (const DocumentError&) {
        return 0;
    }
    for (CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            if (!IsValidFace(f, m.vertices.size())) {
                std::abort();
            }
        }
        m.ComputeNormals(1);
    }
    return 0;
}
