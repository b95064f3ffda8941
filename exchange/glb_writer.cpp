// The container is small enough to write by hand: a 12-byte header, the JSON
// chunk and one binary chunk that holds every array and picture.
#include "exchange/glb_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "exchange/triangle_mesh.h"
#include "exchange/written_numbers.h"
#include "image/dib_stream.h"
#include "image/png_writer.h"
#include "image/texture_files.h"
#include "image/texture_loader.h"
#include "image/texture_path.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

using Json = nlohmann::json;

constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr int kLinear = 9729;
constexpr int kRepeat = 10497;

float Unit(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}

// Quorvel's materials are Phong: a colour scaled by the diffuse factor, a grey
// highlight of `specular` with exponent `power`, an emissive factor of the
// colour. As metallic-roughness: base colour = colour × diffuse with the
// opacity as alpha; no metal (the highlight is grey, a dielectric's); the
// roughness of the usual Phong-to-GGX match, √(2 / (power + 2)), and fully
// rough without a highlight; emission = colour × emissive. Ambient has no
// counterpart and is left out.
Json MaterialJson(const CMaterial& m, std::optional<int> texture) {
    Json pbr = {{"baseColorFactor",
                 {Unit(m.red * m.diffuse), Unit(m.green * m.diffuse), Unit(m.blue * m.diffuse),
                  Unit(m.alpha)}},
                {"metallicFactor", 0.0},
                {"roughnessFactor",
                 m.specular > 0 && m.power >= 0 ? Unit(std::sqrt(2.0f / (m.power + 2.0f))) : 1.0f}};
    if (texture) {
        pbr["baseColorTexture"] = {{"index", *texture}};
    }
    Json material = {{"name", Cp932ToUtf8(m.name)}, {"pbrMetallicRoughness", pbr}};
    if (m.emissive > 0) {
        material["emissiveFactor"] = {Unit(m.red * m.emissive), Unit(m.green * m.emissive),
                                      Unit(m.blue * m.emissive)};
    }
    if (m.alpha < 1) {
        material["alphaMode"] = "BLEND";
    }
    return material;
}

// The material's picture: the one loaded with the document, or else decoded
// from the file its name resolves to.
std::vector<std::uint8_t> TexturePng(const CMaterial& m, const CCentigrade& scene,
                                     FileFinder& finder) {
    if (m.texture.empty()) {
        return {};
    }
    if (m.image && !m.image->Empty()) {
        return EncodePNG(*m.image);
    }
    for (const auto& file :
         finder.TextureCandidates(m.texture, scene.DocumentFolder(), GetModuleFolder())) {
        CMaterial probe;
        if (LoadImageFile(probe, file)) {
            return EncodePNG(*probe.image);
        }
    }
    return {};
}

class GlbBuilder {
    FileFinder finder;

public:
    explicit GlbBuilder(const CCentigrade& scene) : scene(scene) {
        json["asset"] = {{"version", "2.0"}, {"generator", "Quorvel"}};
        for (const char* list :
             {"buffers", "bufferViews", "accessors", "meshes", "nodes", "materials"}) {
            json[list] = Json::array();
        }
    }

    std::vector<std::uint8_t> Build() {
        std::vector<std::optional<int>> textures;
        for (const CMaterial& m : scene.materials) {
            textures.push_back(AddTexture(TexturePng(m, scene, finder)));
            json["materials"].push_back(MaterialJson(m, textures.back()));
        }
        Json sceneNodes = Json::array();
        for (const CModel& m : scene.models) {
            if (std::optional<int> node = AddObject(m)) {
                sceneNodes.push_back(*node);
            }
        }
        Json sceneObject = Json::object();
        if (!sceneNodes.empty()) {
            sceneObject["nodes"] = sceneNodes;
        }
        json["scenes"] = Json::array({sceneObject});
        json["scene"] = 0;
        if (!binary.empty()) {
            json["buffers"].push_back({{"byteLength", binary.size()}});
        }
        for (const char* list :
             {"buffers", "bufferViews", "accessors", "meshes", "nodes", "materials"}) {
            if (json[list].empty()) {
                json.erase(list);
            }
        }
        return Container();
    }

private:
    int AddView(const void* data, std::size_t bytes, std::optional<int> target) {
        while (binary.size() % 4 != 0) {
            binary.push_back(0);
        }
        Json view = {{"buffer", 0}, {"byteOffset", binary.size()}, {"byteLength", bytes}};
        if (target) {
            view["target"] = *target;
        }
        const auto* p = static_cast<const std::uint8_t*>(data);
        binary.insert(binary.end(), p, p + bytes);
        json["bufferViews"].push_back(view);
        return static_cast<int>(json["bufferViews"].size()) - 1;
    }

    int AddAccessor(const std::vector<float>& values, int components, const char* type) {
        const std::size_t start = (binary.size() + 3) / 4 * 4;
        Json accessor = {
            {"bufferView", AddView(values.data(), values.size() * sizeof(float), kArrayBuffer)},
            {"componentType", kFloat},
            {"count", values.size() / static_cast<std::size_t>(components)},
            {"type", type}};
        // The copy in the buffer is made finite, and the bounds are taken from it.
        std::uint8_t* const stored = binary.data() + start;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const float value = WrittenNumber(values[i]);
            std::memcpy(stored + i * sizeof(float), &value, sizeof value);
        }
        if (components == 3) {
            // Required on positions: the bounds of every coordinate.
            std::vector<float> low(3, std::numeric_limits<float>::max());
            std::vector<float> high(3, std::numeric_limits<float>::lowest());
            for (std::size_t i = 0; i < values.size(); ++i) {
                low[i % 3] = std::min(low[i % 3], WrittenNumber(values[i]));
                high[i % 3] = std::max(high[i % 3], WrittenNumber(values[i]));
            }
            accessor["min"] = low;
            accessor["max"] = high;
        }
        json["accessors"].push_back(accessor);
        return static_cast<int>(json["accessors"].size()) - 1;
    }

    int AddIndices(const std::vector<std::uint32_t>& indices) {
        json["accessors"].push_back(
            {{"bufferView",
              AddView(indices.data(), indices.size() * sizeof(std::uint32_t), kElementArrayBuffer)},
             {"componentType", kUnsignedInt},
             {"count", indices.size()},
             {"type", "SCALAR"}});
        return static_cast<int>(json["accessors"].size()) - 1;
    }

    std::optional<int> AddTexture(const std::vector<std::uint8_t>& png) {
        if (png.empty()) {
            return std::nullopt;
        }
        if (!json.contains("samplers")) {
            const Json sampler = {{"magFilter", kLinear},
                                  {"minFilter", kLinear},
                                  {"wrapS", kRepeat},
                                  {"wrapT", kRepeat}};
            json["samplers"] = Json::array({sampler});
            json["images"] = Json::array();
            json["textures"] = Json::array();
        }
        json["images"].push_back({{"bufferView", AddView(png.data(), png.size(), std::nullopt)},
                                  {"mimeType", "image/png"}});
        const auto image = static_cast<int>(json["images"].size()) - 1;
        json["textures"].push_back({{"sampler", 0}, {"source", image}});
        return static_cast<int>(json["textures"].size()) - 1;
    }

    // Objects without a surface (no triangles) get no node.
    std::optional<int> AddObject(const CModel& model) {
        const TriangleMesh mesh = BuildTriangleMesh(model, scene.materials);
        if (mesh.parts.empty()) {
            return std::nullopt;
        }
        Json attributes = {{"POSITION", AddAccessor(mesh.positions, 3, "VEC3")}};
        // Normals get no bounds; only positions need them.
        json["accessors"].push_back(
            {{"bufferView",
              AddView(mesh.normals.data(), mesh.normals.size() * sizeof(float), kArrayBuffer)},
             {"componentType", kFloat},
             {"count", mesh.normals.size() / 3},
             {"type", "VEC3"}});
        attributes["NORMAL"] = static_cast<int>(json["accessors"].size()) - 1;
        if (mesh.hasUvs) {
            attributes["TEXCOORD_0"] = AddAccessor(mesh.uvs, 2, "VEC2");
        }
        Json primitives = Json::array();
        for (const TriangleMesh::Part& part : mesh.parts) {
            primitives.push_back({{"attributes", attributes},
                                  {"indices", AddIndices(part.indices)},
                                  {"material", part.material}});
        }
        const std::string name = Cp932ToUtf8(model.name);
        json["meshes"].push_back({{"name", name}, {"primitives", primitives}});
        json["nodes"].push_back(
            {{"name", name}, {"mesh", static_cast<int>(json["meshes"].size()) - 1}});
        return static_cast<int>(json["nodes"].size()) - 1;
    }

    // Empty when the file would pass the format's 4 GB bound.
    std::vector<std::uint8_t> Container() {
        std::string text = json.dump();
        while (text.size() % 4 != 0) {
            text.push_back(' ');
        }
        while (binary.size() % 4 != 0) {
            binary.push_back(0);
        }
        const std::uint64_t total = 12 + 8 + text.size() + (binary.empty() ? 0 : 8 + binary.size());
        if (total > UINT32_MAX) {
            return {};
        }
        std::vector<std::uint8_t> out;
        out.reserve(28 + text.size() + binary.size());
        auto word = [&out](std::uint32_t value) {
            for (int shift = 0; shift < 32; shift += 8) {
                out.push_back(static_cast<std::uint8_t>(value >> shift));
            }
        };
        word(0x46546C67);  // "glTF"
        word(2);
        word(static_cast<std::uint32_t>(total));
        word(static_cast<std::uint32_t>(text.size()));
        word(0x4E4F534A);  // "JSON"
        out.insert(out.end(), text.begin(), text.end());
        if (!binary.empty()) {
            word(static_cast<std::uint32_t>(binary.size()));
            word(0x004E4942);  // "BIN"
            out.insert(out.end(), binary.begin(), binary.end());
        }
        return out;
    }

    const CCentigrade& scene;
    Json json;
    std::vector<std::uint8_t> binary;
};

}  // namespace

std::vector<std::uint8_t> FormatGlb(const CCentigrade& scene) {
    return GlbBuilder(scene).Build();
}

FileFailure SaveGlb(const std::filesystem::path& path, const CCentigrade& scene) {
    const std::vector<std::uint8_t> bytes = FormatGlb(scene);
    if (bytes.empty()) {
        return {FileStep::TooLargeForFormat, path};
    }
    return WriteFileAtomically(path, bytes);
}
