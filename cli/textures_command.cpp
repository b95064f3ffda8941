// quorvel-cli textures FILE [--json]: for every material of a document, each
// file it names (texture, alpha plane, bump), where it was found (beside the
// document, in TEXTURE/ beside the program, or inside a ".mqoz" archive) or
// why not, and the picture decoded from it.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/scene_json.h"
#include "exchange/document_files.h"
#include "exchange/mqoz_folder.h"
#include "exchange/shown_names.h"
#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/texture_files.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

using Json = nlohmann::ordered_json;

// What became of one file name of a material.
struct MapReport {
    const char* kind = "";   // "texture", "alphaPlane", "bump"
    const char* label = "";  // how the text output introduces it
    std::string name;        // CP932, as the document holds it
    bool found = false;
    bool inArchive = false;
    std::string file;  // the file decoded (inside the archive: the entry's name)
    int width = 0;
    int height = 0;
    int bits = 0;
    std::string refusal;   // why the name gives no picture
    std::string attempts;  // files tried before the one that was decoded, with their refusals
};

class MapResolver {
public:
    MapResolver(const CCentigrade& scene, MqozFolder* archive) : scene_(scene), archive_(archive) {}

    void Resolve(MapReport& report) {
        if (report.name.size() > kMaxTextureNameLength) {
            report.refusal =
                "refused: name longer than " + std::to_string(kMaxTextureNameLength) + " bytes";
            return;
        }
        if (archive_ && !IsAbsoluteTextureName(report.name)) {
            const std::string entry = TextureNameToPath(report.name);
            const MqozFolder::Texture texture = archive_->ExtractTexture(entry);
            if (!texture.refusal.empty()) {
                report.refusal = "refused: " + texture.refusal;
                return;
            }
            if (!texture.file.empty()) {
                report.inArchive = true;
                Decode(report, texture.file,
                       texture.file.lexically_relative(archive_->Folder()).string());
                return;
            }
        }
        const auto files =
            finder_.TextureCandidates(report.name, scene_.DocumentFolder(), GetModuleFolder());
        if (files.empty()) {
            report.refusal = std::string("missing: not found") +
                             (IsAbsoluteTextureName(report.name)
                                  ? ""
                                  : " beside the document or in TEXTURE/ beside the program");
            return;
        }
        for (const std::filesystem::path& file : files) {
            if (Decode(report, file, file.string())) {
                return;
            }
        }
        report.refusal = "missing: no usable file";
    }

private:
    bool Decode(MapReport& report, const std::filesystem::path& file, const std::string& shown) {
        DibStream image;
        if (const ImageStatus status = DecodeImageFile(file, image); !status) {
            report.attempts += "-> " + shown + ": " + DescribeImageStatus(status) + "; ";
            if (report.inArchive) {
                report.refusal = "refused: " + DescribeImageStatus(status);
            }
            return false;
        }
        report.found = true;
        report.file = shown;
        report.width = image.Width();
        report.height = image.AbsHeight();
        report.bits = image.BitCount();
        return true;
    }

    const CCentigrade& scene_;
    MqozFolder* archive_;
    FileFinder finder_;
};

std::vector<MapReport> MapsOf(const CMaterial& m) {
    std::vector<MapReport> maps;
    const std::pair<const char*, const char*> kinds[] = {
        {"texture", ""}, {"alphaPlane", "alpha plane "}, {"bump", "bump "}};
    const std::string* names[] = {&m.texture, &m.alphaPlane, &m.bump};
    for (std::size_t k = 0; k < 3; ++k) {
        if (!names[k]->empty()) {
            MapReport& map = maps.emplace_back();
            map.kind = kinds[k].first;
            map.label = kinds[k].second;
            map.name = *names[k];
        }
    }
    return maps;
}

void PrintMap(const CMaterial& m, const MapReport& map) {
    std::printf("material %d \"%s\": %s\"%s\" %s", m.id, ShownName(m.name).c_str(), map.label,
                ShownName(map.name).c_str(), EscapeControlCharacters(map.attempts).c_str());
    if (map.found) {
        std::printf("-> %s%s: %dx%d, %d bits\n", map.inArchive ? "in the archive: " : "",
                    EscapeControlCharacters(map.file).c_str(), map.width, map.height, map.bits);
    } else {
        std::printf("%s\n", EscapeControlCharacters(map.refusal).c_str());
    }
}

Json MapJson(const MapReport& map) {
    Json j;
    j["kind"] = map.kind;
    j["name"] = Cp932ToUtf8(map.name);
    j["found"] = map.found;
    if (map.found) {
        j["inArchive"] = map.inArchive;
        j["file"] = map.file;
        j["width"] = map.width;
        j["height"] = map.height;
        j["bits"] = map.bits;
    } else {
        j["refusal"] = map.refusal;
    }
    return j;
}

}  // namespace

int RunTextures(const Arguments& args) {
    const char* path = nullptr;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json") {
            json = true;
        } else if (!path && !a.starts_with("--")) {
            path = a.c_str();
        } else {
            return Fail(2, "usage: quorvel-cli textures FILE [--json]");
        }
    }
    if (!path) {
        return Fail(2, "usage: quorvel-cli textures FILE [--json]");
    }
    CCentigrade& scene = CommandScene();
    std::unique_ptr<MqozFolder> archive;
    try {
        OpenDocumentFile(path, scene);
        // The archive's textures are looked for where the open found them: inside it.
        if (LowerExtension(path) == "mqoz") {
            archive = std::make_unique<MqozFolder>(path);
        }
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    MapResolver resolver(scene, archive.get());
    bool allUsable = true;
    Json materials = Json::array();
    for (const CMaterial& m : scene.materials) {
        if (!json && m.texture.empty()) {
            std::printf("material %d \"%s\": no texture\n", m.id, ShownName(m.name).c_str());
        }
        std::vector<MapReport> maps = MapsOf(m);
        Json mapsJson = Json::array();
        for (MapReport& map : maps) {
            resolver.Resolve(map);
            allUsable = allUsable && map.found;
            if (json) {
                mapsJson.push_back(MapJson(map));
            } else {
                PrintMap(m, map);
            }
        }
        if (json) {
            materials.push_back({{"id", m.id}, {"name", Cp932ToUtf8(m.name)}, {"maps", mapsJson}});
        }
    }
    if (json) {
        PrintJson(Json{{"materials", materials}});
    }
    return allUsable ? 0 : 1;
}
