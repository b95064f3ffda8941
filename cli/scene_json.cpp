#include "cli/scene_json.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

using Json = nlohmann::ordered_json;

// nlohmann prints doubles; the double nearest the float's shortest decimal form
// prints as that form (0.8, not 0.800000011920929) and still reads back as the float.
Json Number(float f) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, f);
    *end = '\0';
    double d = std::strtod(text, nullptr);
    return Json(d);
}

Json ObjectJson(const CModel& m, bool geometry) {
    Json o;
    o["id"] = m.id;
    o["name"] = Cp932ToUtf8(m.name);
    o["facet"] = Number(m.facet);
    o["mirrorAxis"] = m.mirrorAxis;
    o["state"] = m.state;
    o["vertexCount"] = m.vertices.size();
    o["faceCount"] = m.faces.size();
    if (!geometry) {
        return o;
    }
    Json vertices = Json::array();
    for (const CVector& v : m.vertices) {
        vertices.push_back(VectorToJson(v));
    }
    o["vertices"] = std::move(vertices);
    Json faces = Json::array();
    for (const CFace& f : m.faces) {
        Json face;
        face["material"] = f.material;
        face["indices"] = Json::array();
        for (int i : f.indices) {
            face["indices"].push_back(i);
        }
        face["uvs"] = Json::array();
        for (const CUV& uv : f.uvs) {
            face["uvs"].push_back(Json::array({Number(uv.u), Number(uv.v)}));
        }
        face["normal"] = VectorToJson(f.normal);
        faces.push_back(std::move(face));
    }
    o["faces"] = std::move(faces);
    return o;
}

Json MaterialJson(const CMaterial& m) {
    Json o;
    o["id"] = m.id;
    o["name"] = Cp932ToUtf8(m.name);
    o["color"] = Json::array({Number(m.red), Number(m.green), Number(m.blue), Number(m.alpha)});
    o["diffuse"] = Number(m.diffuse);
    o["ambient"] = Number(m.ambient);
    o["emissive"] = Number(m.emissive);
    o["specular"] = Number(m.specular);
    o["power"] = Number(m.power);
    o["texture"] = Cp932ToUtf8(m.texture);
    o["alphaPlane"] = Cp932ToUtf8(m.alphaPlane);
    o["bump"] = Cp932ToUtf8(m.bump);
    return o;
}

}  // namespace

void PrintJson(const Json& json) {
    const std::string text = json.dump();
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (static_cast<unsigned char>(text[i]) == 0xC2 && next >= 0x80 && next <= 0x9F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", next);
            escaped += escape;
            ++i;
        } else {
            escaped += text[i];
        }
    }
    std::printf("%s\n", escaped.c_str());
}

Json VectorToJson(const CVector& v) {
    return Json::array({Number(v.x), Number(v.y), Number(v.z)});
}

Json SceneToJson(const CCentigrade& scene, int repairs, bool geometry,
                 std::optional<int> importResult) {
    Json root;
    root["modelSerial"] = scene.modelSerial;
    root["materialSerial"] = scene.materialSerial;
    root["smooth"] = scene.smooth;
    root["zoom"] = Number(scene.zoom);
    root["camera"] = {{"position", VectorToJson(scene.camera.position)},
                      {"rotation", VectorToJson(scene.camera.rotation)},
                      {"scale", VectorToJson(scene.camera.scale)}};
    root["repairs"] = repairs;
    if (importResult) {
        root["importResult"] = *importResult;
    }
    Json objects = Json::array();
    for (const CModel& m : scene.models) {
        objects.push_back(ObjectJson(m, geometry));
    }
    root["objects"] = std::move(objects);
    Json materials = Json::array();
    for (const CMaterial& m : scene.materials) {
        materials.push_back(MaterialJson(m));
    }
    root["materials"] = std::move(materials);
    return root;
}
