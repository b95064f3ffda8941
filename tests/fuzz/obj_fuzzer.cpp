// Wavefront OBJ files: any bytes must read into a scene that keeps the
// invariants, and that scene must write out. The bytes after the first NUL
// are the material library every "mtllib" finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "scene/centigrade.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string library(input.substr(std::min(split + 1, input.size())));
    CCentigrade scene;
    ImportObjText(scene, input.substr(0, split),
                  [&library](std::string_view) { return std::optional(library); });
    for (CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            if (f.indices.size() < 2 || f.indices.size() > 4 ||
                f.edgeSelected.size() != f.indices.size() ||
                (!f.uvs.empty() && f.uvs.size() != f.indices.size())) {
                std::abort();
            }
            for (int i : f.indices) {
                if (i < 0 || static_cast<std::size_t>(i) >= m.vertices.size()) {
                    std::abort();
                }
            }
            bool known = false;
            for (const CMaterial& material : scene.materials) {
                known |= material.id == f.material;
            }
            if (!known) {
                std::abort();
            }
        }
        m.ComputeNormals(1);
    }
    FormatObj(scene, "fuzz.mtl");
    FormatMaterialLibrary(scene);
    return 0;
}
