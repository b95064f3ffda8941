// Metasequoia documents: any bytes must read into a scene that keeps the
// invariants (or stop with a result code), and that scene must write out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file) {
        return 0;
    }
    CCentigrade scene;
    const int result = LoaderMQO(scene, file).Load();
    std::fclose(file);
    if (result > 0 || result < MQO_BAD_FORMAT) {
        std::abort();
    }
    for (CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            if (!IsValidFace(f, m.vertices.size())) {
                std::abort();
            }
        }
        m.ComputeNormals(1);
    }
    FormatMQO(scene);
    return 0;
}
