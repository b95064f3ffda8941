#include <cstdio>
#include <optional>

#include "cli/commands.h"
#include "cli/scene_json.h"
#include "exchange/document_files.h"
#include "exchange/loader_mqo.h"
#include "exchange/shown_names.h"
#include "scene/centigrade.h"

namespace {

void PrintSummary(const CCentigrade& scene, const DocumentLoadResult& loaded) {
    std::printf("objects: %zu, materials: %zu, repairs: %d, conversions: %d\n", scene.models.size(),
                scene.materials.size(), loaded.repairs, loaded.conversions);
    for (const CModel& m : scene.models) {
        std::printf("  object %d \"%s\": %zu vertices, %zu faces, facet %g, state %d\n", m.id,
                    ShownName(m.name).c_str(), m.vertices.size(), m.faces.size(),
                    static_cast<double>(m.facet), m.state);
    }
    for (const CMaterial& m : scene.materials) {
        std::printf("  material %d \"%s\"%s%s\n", m.id, ShownName(m.name).c_str(),
                    m.texture.empty() ? "" : " texture ", ShownName(m.texture).c_str());
    }
}

}  // namespace

int RunInfo(const Arguments& args) {
    const char* path = nullptr;
    bool json = false;
    bool geometry = false;
    for (const std::string& a : args) {
        if (a == "--json") {
            json = true;
        } else if (a == "--geometry") {
            geometry = true;
        } else if (!path && !a.starts_with("--")) {
            path = a.c_str();
        } else {
            return Fail(2, "usage: quorvel-cli info FILE [--json] [--geometry]");
        }
    }
    if (!path) {
        return Fail(2, "usage: quorvel-cli info FILE [--json] [--geometry]");
    }
    CCentigrade& scene = CommandScene();
    DocumentLoadResult loaded;
    try {
        // The summary counts records; only the geometry shows the face
        // normals, which the normal computation (half of opening a large
        // mesh) sets.
        loaded = geometry ? OpenDocumentFile(path, scene) : ReadDocumentFile(path, scene);
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    ReportTextureFailures(loaded.textureFailures);
    if (json || geometry) {
        std::optional<int> importResult;
        if (loaded.imported) {
            importResult = loaded.importResult;
        }
        auto summary = SceneToJson(scene, loaded.repairs, geometry, importResult);
        if (loaded.imported) {
            summary["conversions"] = loaded.conversions;
        }
        PrintJson(summary);
    } else {
        PrintSummary(scene, loaded);
    }
    std::fflush(stdout);
    if (loaded.importResult != 0) {
        return Fail(1, std::string(path) + ": read stopped early (import result " +
                           std::to_string(loaded.importResult) + ", " +
                           std::string(MqoResultText(loaded.importResult)) + ")");
    }
    return 0;
}
