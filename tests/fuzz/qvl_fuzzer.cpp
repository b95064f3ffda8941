// Native documents: any bytes must either read into a scene that keeps the
// invariants or be refused with DocumentError.
#include <cstddef>
#include <cstdint>
#include <span>

#include "scene/archive.h"
#include "scene_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CCentigrade scene;
    try {
        ArchiveReader reader(std::span(data, size));
        scene.Serialize(reader);
    } catch (const DocumentError&) {
        return 0;
    }
    CheckSceneInvariants(scene);
    return 0;
}
