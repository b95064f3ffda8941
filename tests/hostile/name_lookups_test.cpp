// Documents that name thousands of files in a crowded folder: each folder is
// listed once per open, each name looked up and each file decoded once, so
// such an open costs well under a second.
#include <gtest/gtest.h>

#include <functional>

#include "hostile_files.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFilesInFolder = 2000;
constexpr int kNames = 20000;

std::string Numbered(const char* prefix, int i, const char* suffix) {
    return prefix + std::to_string(i) + suffix;
}

std::string MqoMaterials(const std::function<std::string(int)>& texture) {
    std::string mqo =
        "Metasequoia Document\nFormat Text Ver 1.0\nMaterial " + std::to_string(kNames) + " {\n";
    for (int i = 0; i < kNames; ++i) {
        mqo += "\t\"m\" tex(\"" + texture(i) + "\")\n";
    }
    return mqo + "}\nEof\n";
}

struct CrowdedDocument {
    const char* what;
    std::function<fs::path(const TempFolder&)> make;
};

}  // namespace

TEST(NameLookups, ThousandsOfNamesInACrowdedFolderOpenWithinASecond) {
    const CrowdedDocument documents[] = {
        {"20,000 missing textures of a .mqo",
         [](const TempFolder& f) {
             return f.Write("missing.mqo",
                            MqoMaterials([](int i) { return Numbered("missing", i, ".bmp"); }));
         }},
        {"20,000 materials of a .mqo naming one texture",
         [](const TempFolder& f) {
             PaddedBmp(f.Path() / "one.bmp", 4 << 20);
             return f.Write("shared.mqo", MqoMaterials([](int) { return std::string("ONE.bmp"); }));
         }},
        {"20,000 missing textures of a .qvl",
         [](const TempFolder& f) {
             CCentigrade scene;
             for (int i = 0; i < kNames; ++i) {
                 scene.materials.emplace_back(i).texture = Numbered("missing", i, ".bmp");
             }
             SaveNativeDocument(f.Path() / "missing.qvl", scene);
             return f.Path() / "missing.qvl";
         }},
        {"10,000 lines naming a missing material library",
         [](const TempFolder& f) {
             std::string obj;
             for (int i = 0; i < kNames / 2; ++i) {
                 obj += "mtllib nothere.mtl\n";
             }
             return f.Write("mtllib.obj", obj + "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
         }},
        {"20,000 missing textures of a material library",
         [](const TempFolder& f) {
             std::string mtl;
             for (int i = 0; i < kNames; ++i) {
                 mtl += "newmtl m" + std::to_string(i) + "\nmap_Kd " +
                        Numbered("missing", i, ".bmp") + "\n";
             }
             f.Write("library.mtl", mtl);
             return f.Write("library.obj",
                            "mtllib library.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
         }},
    };
    // One crowded folder for all: creating thousands of files is slow on some disks.
    TempFolder folder;
    for (int i = 0; i < kFilesInFolder; ++i) {
        folder.Write(Numbered("file", i, ".txt"), "");
    }
    for (const CrowdedDocument& d : documents) {
        const fs::path document = d.make(folder);
        const BoundedRun info =
            RunWithinBounds({"info", document}, d.what, {TimeBound(5) + TimeBound(10)});
        EXPECT_LE(info.cpuSeconds, TimeBound(1)) << d.what;
    }
}
