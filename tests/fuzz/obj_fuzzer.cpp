// Wavefront OBJ files: any bytes must read into a scene that keeps the
// invariants, and that scene must write out and read back with the same
// faces. The bytes after the first NUL are the material library every
// "mtllib" finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "scene_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string library(input.substr(std::min(split + 1, input.size())));
    CCentigrade scene;
    ImportObjText(scene, input.substr(0, split),
                  [&library](std::string_view) { return std::optional(library); });
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            bool known = false;
            for (const CMaterial& material : scene.materials) {
                known |= material.id == f.material;
            }
            if (!known) {
                std::abort();
            }
        }
    }
    CheckSceneInvariants(scene);
    const std::string written = FormatMaterialLibrary(scene);
    CCentigrade again;
    ImportObjText(again, FormatObj(scene, "fuzz.mtl"),
                  [&written](std::string_view) { return std::optional(written); });
    if (FaceCount(again) != FaceCount(scene)) {
        std::abort();
    }
    return 0;
}
