// What quorvel-cli says about hostile files: render draws nothing and fails on
// a file that is no document or a damaged one; names reach the terminal with
// their control characters escaped; textures reports every file a material
// names, inside an archive too.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "hostile_files.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"

namespace fs = std::filesystem;

TEST(CliOutput, RenderDrawsOnlyDocumentsItReadCompletely) {
    const std::string good = MqoWithMaterial("");
    const struct {
        const char* what;
        std::string text;
        int status;
        const char* says;
    } files[] = {
        {"a document", good, 0, ""},
        {"text that is no document", "hello\n", 1, "not a Metasequoia document"},
        {"a document cut inside a chunk", good.substr(0, good.find("face")), 1,
         "ends inside a chunk"},
        {"a face without its V group", good.substr(0, good.find("3 V")) + "3 X(0 1 2)\n", 1,
         "damaged structure"},
    };
    for (const auto& f : files) {
        TempFolder folder;
        const fs::path picture = folder.Path() / "a.png";
        const BoundedRun render =
            RunWithinBounds({"render", folder.Write("a.mqo", f.text), picture}, f.what);
        EXPECT_EQ(render.status, f.status) << f.what << ": " << render.err;
        EXPECT_NE(render.err.find(f.says), std::string::npos) << f.what << ": " << render.err;
        EXPECT_EQ(fs::exists(picture), f.status == 0) << f.what;
    }
}

TEST(CliOutput, ControlCharactersOfNamesReachNoTerminal) {
    TempFolder folder;
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(1));
    scene.models[0].name = "\x1B]0;owned\x07";
    scene.materials[0].name = "\x1B]0;owned\x07";
    scene.materials[0].texture = "\x1B]0;owned\x07.bmp";
    const fs::path document = folder.Path() / "a.qvl";
    SaveNativeDocument(document, scene);
    for (const std::vector<std::string>& command : {std::vector<std::string>{"info", document},
                                                    {"info", document, "--json"},
                                                    {"textures", document},
                                                    {"textures", document, "--json"}}) {
        const BoundedRun run = RunWithinBounds(command, command[0]);
        for (const std::string* text : {&run.out, &run.err}) {
            EXPECT_EQ(text->find('\x1B'), std::string::npos) << command[0] << ": " << *text;
            EXPECT_EQ(text->find('\x07'), std::string::npos) << command[0] << ": " << *text;
        }
        EXPECT_NE(
            run.out.find(command.size() == 3 ? "\\u001b]0;owned\\u0007" : "\\x1B]0;owned\\x07"),
            std::string::npos)
            << command[0] << ": " << run.out;
    }
    // A file name holding the C1 control CSI (U+009B) in UTF-8, named in a refusal.
    const BoundedRun missing = RunWithinBounds({"info", (folder.Path() / "\xC2\x9B"
                                                                         "2J.qvl")
                                                            .string()},
                                               "C1");
    EXPECT_EQ(missing.err.find("\xC2\x9B"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("\\u009B2J.qvl"), std::string::npos) << missing.err;
}

TEST(CliOutput, TexturesReportsEveryFileAMaterialNamesInsideAnArchiveToo) {
    TempFolder folder;
    PaddedBmp(folder.Path() / "beside.bmp", 100);
    // A second material with a second texture inside, unpacked after the first.
    std::string document =
        MqoWithMaterial("tex(\"maps\\inner.bmp\") aplane(\"beside.bmp\") bump(\"gone.bmp\")");
    document.replace(document.find("Material 1 {\n"), 13,
                     "Material 2 {\n\t\"n\" tex(\"second.bmp\")\n");
    const std::string bmp = ReadFile(folder.Path() / "beside.bmp");
    const fs::path archive =
        MakeArchive(folder.Path() / "a.mqoz",
                    {{"doc.mqo", document}, {"maps/inner.bmp", bmp}, {"second.bmp", bmp}});
    const BoundedRun info = RunWithinBounds({"info", archive}, "info");
    EXPECT_EQ(info.err, "") << "every texture inside is found";
    const BoundedRun text = RunWithinBounds({"textures", archive}, "textures");
    EXPECT_EQ(text.status, 1);
    for (const std::string& line : std::vector<std::string>{
             "\"maps\\inner.bmp\" -> in the archive: maps/inner.bmp: 1x1, 24 bits",
             "alpha plane \"beside.bmp\" -> " + (folder.Path() / "beside.bmp").string() +
                 ": 1x1, 24 bits",
             "bump \"gone.bmp\" missing: not found"}) {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << " in\n" << text.out;
    }
    const BoundedRun json = RunWithinBounds({"textures", archive, "--json"}, "textures --json");
    const nlohmann::json maps = nlohmann::json::parse(json.out)["materials"][1]["maps"];
    ASSERT_EQ(maps.size(), 3u) << json.out;
    EXPECT_EQ(maps[0]["kind"], "texture");
    EXPECT_EQ(maps[0]["inArchive"], true);
    EXPECT_EQ(maps[1]["kind"], "alphaPlane");
    EXPECT_EQ(maps[1]["width"], 1);
    EXPECT_EQ(maps[2]["kind"], "bump");
    EXPECT_EQ(maps[2]["found"], false);
}
