// Exports of names the formats cannot hold, and exports that fail: every
// written file reads back to the same scene (but for what the one-line
// notice says), and a failed OBJ export leaves the user's files alone.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "hostile_files.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"

namespace fs = std::filesystem;

namespace {

fs::path SceneNamed(const fs::path& path, const std::string& name, int cells = 1) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells));
    scene.models[0].name = name;
    scene.materials[0].name = name;
    SaveNativeDocument(path, scene);
    return path;
}

nlohmann::json ReadBack(const fs::path& file) {
    const BoundedRun info = RunWithinBounds({"info", file, "--json"}, file.string());
    EXPECT_EQ(info.status, 0) << file << ": " << info.err;
    return info.status == 0 ? nlohmann::json::parse(info.out) : nlohmann::json();
}

}  // namespace

TEST(WrittenNames, NamesAFormatCannotHoldAreReplacedSaidAndReadBack) {
    struct Name {
        std::string scene;  // CP932, as the scene holds it
        const char* asMqo;  // UTF-8, as read back
        const char* asObj;  // UTF-8, as read back; nullptr: the notice says nothing
    };
    const Name names[] = {
        {"my \"best\" part", "my 'best' part", "my_\"best\"_part"},
        {"two\nlines", "two lines", "two_lines"},
        {"tab\there", "tab here", "tab_here"},
        {"\x1B]0;title\x07", " ]0;title ", "_]0;title_"},
        {"ends on a lead byte \x82", "ends on a lead byte ?", "ends_on_a_lead_byte_?"},
        {"}", "'}'", nullptr},
    };
    for (const Name& name : names) {
        TempFolder folder;
        const fs::path source = SceneNamed(folder.Path() / "a.qvl", name.scene);
        for (const char* ext : {"mqo", "obj"}) {
            const bool mqo = std::string(ext) == "mqo";
            const fs::path target = folder.Path() / (std::string("out.") + ext);
            const BoundedRun convert = RunWithinBounds({"convert", source, target}, name.scene);
            ASSERT_EQ(convert.status, 0) << name.scene << ": " << convert.err;
            const bool said = convert.err.find(mqo ? "double quotes and control characters in names"
                                                   : "blanks and control characters in names") !=
                              std::string::npos;
            EXPECT_EQ(said, mqo || name.asObj) << name.scene << " as ." << ext << convert.err;
            const std::string written = mqo ? name.asMqo : name.asObj ? name.asObj : name.scene;
            const nlohmann::json read = ReadBack(target);
            ASSERT_EQ(read["objects"].size(), 1u) << name.scene << " as ." << ext;
            EXPECT_EQ(read["objects"][0]["name"], written) << ext;
            EXPECT_EQ(read["objects"][0]["faceCount"], 1);
            EXPECT_EQ(read["materials"][0]["name"], written) << ext;
        }
    }
}

TEST(WrittenNames, AnObjExportKeepsItsFilesOrTheUsersAsTheyWere) {
    struct Export {
        const char* what;
        const char* target;
        std::uint64_t fileSizeLimit;  // a disk that fills up
        int status;
        const char* library;  // the library written beside it, when it succeeds
    };
    const Export exports[] = {
        {"a disk that fills up during the .obj", "out.obj", 16 << 10, 1, nullptr},
        {"a file name with a line break", "two\nlines.obj", 0, 1, nullptr},
        {"a file name with blanks", "my model.obj", 0, 0, "my_model.mtl"},
    };
    for (const Export& e : exports) {
        TempFolder folder;
        const fs::path source = SceneNamed(folder.Path() / "a.qvl", "grid", 40);
        const fs::path target = folder.Path() / e.target;
        const fs::path oldLibrary = fs::path(target).replace_extension(".mtl");
        if (e.status != 0) {
            folder.Write(target.filename(), "the user's obj");
            folder.Write(oldLibrary.filename(), "the user's mtl");
        }
        const BoundedRun convert =
            RunWithinBounds({"convert", source, target}, e.what, {TimeBound(5), e.fileSizeLimit});
        EXPECT_EQ(convert.status, e.status) << e.what << ": " << convert.err;
        if (e.status != 0) {
            EXPECT_EQ(ReadFile(target), "the user's obj") << e.what;
            EXPECT_EQ(ReadFile(oldLibrary), "the user's mtl") << e.what;
            // Nothing else either: no temporary file of the export is left.
            EXPECT_EQ(Leftovers(folder.Path()), "a.qvl " + oldLibrary.filename().string() + " " +
                                                    target.filename().string() + " ")
                << e.what;
            continue;
        }
        EXPECT_NE(ReadFile(target).find(std::string("mtllib ") + e.library + "\n"),
                  std::string::npos);
        const nlohmann::json read = ReadBack(target);
        ASSERT_EQ(read["materials"].size(), 1u) << e.what;
        EXPECT_EQ(read["materials"][0]["name"], "grid") << e.what;
    }
}
