// Metasequoia documents: any bytes must read into a scene that keeps the
// invariants (or stop with a result code), and that scene must write out and
// read back completely, with the same objects, faces and names (as far as
// the format holds them).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "exchange/written_names.h"
#include "scene_fuzz_check.h"

namespace {

int Load(CCentigrade& scene, const void* data, std::size_t size) {
    std::FILE* file = fmemopen(const_cast<void*>(data), size, "rb");
    if (!file) {
        std::abort();
    }
    const int result = LoaderMQO(scene, file).Load();
    std::fclose(file);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    CCentigrade scene;
    const int result = Load(scene, data, size);
    if (result > 0 || result < MQO_BAD_FORMAT) {
        std::abort();
    }
    CheckSceneInvariants(scene);
    const std::string written = FormatMQO(scene);
    CCentigrade again;
    if (Load(again, written.data(), written.size()) != 0 ||
        again.models.size() != scene.models.size() ||
        again.materials.size() != scene.materials.size()) {
        std::abort();
    }
    for (std::size_t k = 0; k < scene.models.size(); ++k) {
        if (again.models[k].faces.size() != scene.models[k].faces.size() ||
            again.models[k].name != MqoWrittenName(scene.models[k].name)) {
            std::abort();
        }
    }
    for (std::size_t k = 0; k < scene.materials.size(); ++k) {
        if (again.materials[k].name != MqoWrittenName(scene.materials[k].name)) {
            std::abort();
        }
    }
    return 0;
}
