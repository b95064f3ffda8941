// "quorvel-cli run": a script of commands per case and the scene it leaves,
// and the scripts it refuses, naming the line and the reason and writing nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_fixture.h"
#include "exchange/document_files.h"
#include "scene/centigrade.h"

namespace {

using Json = nlohmann::json;

class RunTest : public CliTest {
protected:
    // A cube of side 2 (object 0, faces 0 to 5, vertex i at (±1, ±1, ±1) by
    // its bits) and a 2 × 2 grid (object 1), two materials.
    fs::path SaveScene() {
        CCentigrade scene = MakeSceneWith(MakeCube(2));
        CModel grid = MakeQuadGrid(2);
        grid.id = ++scene.modelSerial;
        scene.models.push_back(std::move(grid));
        scene.materials.emplace_back(scene.materialSerial++);
        scene.ComputeAllNormals();
        const fs::path path = folder_ / "in.qvl";
        SaveNativeDocument(path, scene);
        return path;
    }

    fs::path WriteScript(const std::string& lines) {
        const fs::path path = folder_ / "script.jsonl";
        std::ofstream(path, std::ios::binary) << lines;
        return path;
    }

    // Runs the script on the scene of SaveScene into out.qvl.
    CliRun RunScript(const std::string& lines, const std::string& options = "") {
        return Cli("run " + SaveScene().string() + " " + Out().string() + " " +
                   WriteScript(lines).string() + options);
    }

    fs::path Out() const { return folder_ / "out.qvl"; }

    CCentigrade ReadOut() {
        CCentigrade scene;
        OpenDocumentFile(Out(), scene);
        return scene;
    }
};

bool Near(float a, float b) {
    return std::fabs(a - b) < 1e-5f;
}

bool At(const CVector& v, float x, float y, float z) {
    return Near(v.x, x) && Near(v.y, y) && Near(v.z, z);
}

struct ScriptCase {
    const char* name;
    const char* script;
    std::function<bool(const CCentigrade&)> expected;
};

// One script per command that changes what a document stores, and the scene
// it leaves.
std::vector<ScriptCase> ScriptCases() {
    return {
        {"move the vertices of a selected face",
         R"({"command": "select.elements", "faces": [0]}
{"command": "edit.move", "by": [0, 0, -1]})",
         [](const CCentigrade& s) {
             return At(s.models[0].vertices[0], -1, -1, -2) &&
                    At(s.models[0].vertices[3], 1, 1, -2) && At(s.models[0].vertices[4], -1, -1, 1);
         }},
        {"a coordinate goes to directly selected vertices only",
         R"({"command": "select.elements", "vertices": [0], "faces": [5]}
{"command": "edit.move_to", "x": 5, "z": -3})",
         [](const CCentigrade& s) {
             return At(s.models[0].vertices[0], 5, -1, -3) &&
                    At(s.models[0].vertices[1], 1, -1, -1);
         }},
        {"rotate about z around a given centre",
         R"({"command": "select.elements", "faces": [0, 1, 2, 3, 4, 5]}
{"command": "edit.rotate", "axis": "z", "degrees": 90, "centre": [0, 0, 0]})",
         [](const CCentigrade& s) { return At(s.models[0].vertices[1], 1, 1, -1); }},
        {"scale about the centre placed before",
         R"({"command": "select.elements", "faces": [5]}
{"command": "edit.centre", "at": [1, 0, 0]}
{"command": "edit.scale", "by": [1, 3, 1]})",
         [](const CCentigrade& s) {
             return At(s.models[0].vertices[1], 1, -3, -1) &&
                    At(s.models[0].vertices[0], -1, -1, -1);
         }},
        {"paint faces with the second material",
         R"({"command": "face.paint", "faces": [2, 4], "material": 1})",
         [](const CCentigrade& s) {
             return s.models[0].faces[2].material == 1 && s.models[0].faces[4].material == 1 &&
                    s.models[0].faces[3].material == 0;
         }},
        {"paint the selected faces with the current material",
         R"({"command": "material.current", "material": 1}
{"command": "select.elements", "object": 1, "faces": [3]}
{"command": "object.current", "object": 1}
{"command": "face.paint"})",
         [](const CCentigrade& s) {
             return s.models[1].faces[3].material == 1 && s.models[1].faces[2].material == 0;
         }},
        {"delete faces by index", R"({"command": "face.delete", "faces": [5, 0]})",
         [](const CCentigrade& s) {
             return s.models[0].faces.size() == 4 && s.models[0].faces[0].indices[0] == 4;
         }},
        {"delete the selected faces",
         R"({"command": "select.elements", "object": 1, "faces": [0, 1]}
{"command": "face.delete"})",
         [](const CCentigrade& s) {
             return s.models[0].faces.size() == 6 && s.models[1].faces.size() == 2;
         }},
        {"cut and paste a face into an object of its own",
         R"({"command": "select.elements", "faces": [0]}
{"command": "edit.cut"}
{"command": "edit.paste"})",
         [](const CCentigrade& s) {
             return s.models.size() == 3 && s.models[0].faces.size() == 5 &&
                    s.models[2].faces.size() == 1;
         }},
        {"copy and paste leaves the original",
         R"({"command": "select.elements", "faces": [0, 1]}
{"command": "edit.copy"}
{"command": "edit.paste"})",
         [](const CCentigrade& s) {
             return s.models.size() == 3 && s.models[0].faces.size() == 6 &&
                    s.models[2].faces.size() == 2;
         }},
        {"undo takes back the move, redo does it again",
         R"({"command": "select.elements", "faces": [0]}
{"command": "edit.move", "by": [0, 0, -1]}
{"command": "edit.move", "by": [0, 0, -1]}
{"command": "edit.undo"}
{"command": "edit.undo"}
{"command": "edit.redo"})",
         [](const CCentigrade& s) { return At(s.models[0].vertices[0], -1, -1, -2); }},
        {"rename, smoothing angle and mirror axis of an object",
         R"({"command": "object.rename", "object": 1, "name": "格子"}
{"command": "object.smoothing", "degrees": 30}
{"command": "object.mirror_axis", "object": 1, "axis": 3})",
         [](const CCentigrade& s) {
             return s.models[1].name == "\x8a\x69\x8e\x71" && s.models[0].facet == 30.0f &&
                    s.models[1].mirrorAxis == 3;
         }},
        {"hide one object and lock another",
         R"({"command": "object.visibility", "visible": false}
{"command": "object.lock", "object": 1}
{"command": "object.lock", "object": 1, "locked": true})",
         [](const CCentigrade& s) { return s.models[0].state == 3 && s.models[1].state == 1; }},
        {"the fields of a material",
         R"({"command": "material.set", "material": 1, "red": 0.5, "power": 50}
{"command": "material.rename", "material": 1, "name": "木目"}
{"command": "material.texture", "material": 1, "texture": "missing.bmp"})",
         [](const CCentigrade& s) {
             const CMaterial& m = s.materials[1];
             return m.red == 0.5f && m.power == 50.0f && m.name == "\x96\xd8\x96\xda" &&
                    m.texture == "missing.bmp" && s.materials[0].red == 0.8f;
         }},
        {"a view preset turns the stored camera", R"({"command": "view.top"})",
         [](const CCentigrade& s) {
             return At(s.camera.rotation, 90, 0, 0) && At(s.camera.position, 0, 0, -2000);
         }},
        {"framing the scene zooms the stored camera", R"({"command": "view.frame_all"})",
         [](const CCentigrade& s) { return s.zoom > 1000.0f; }},
        {"modelling: extrude a face, add a cube, merge the grid into it",
         R"({"command": "select.elements", "faces": [0]}
{"command": "face.extrude", "distance": 1}
{"command": "create.cube", "size": 4, "segments": 2}
{"command": "object.merge", "objects": [1]})",
         [](const CCentigrade& s) {
             return s.models.size() == 2 && s.models[0].vertices.size() == 12 &&
                    s.models[0].faces.size() == 10 && s.models[1].faces.size() == 24 + 4;
         }},
        {"tools, modes and flags leave the document as it was",
         R"({"command": "tool.move"}
{"command": "tool.delete_face"}
{"command": "select.mode", "mode": "connected"}
{"command": "selectable.edges", "on": true}
{"command": "display.axis"}
{"command": "select.none"}
{"command": "object.properties", "object": 1}
{"command": "material.properties"})",
         [](const CCentigrade& s) {
             return s.models.size() == 2 && s.models[0].faces.size() == 6 &&
                    At(s.models[0].vertices[0], -1, -1, -1);
         }},
    };
}

TEST_F(RunTest, EachScriptLeavesItsScene) {
    for (const ScriptCase& c : ScriptCases()) {
        fs::remove(Out());
        const CliRun run = RunScript(c.script);
        ASSERT_EQ(run.status, 0) << c.name << "\n" << run.err;
        EXPECT_TRUE(c.expected(ReadOut())) << c.name;
    }
}

TEST_F(RunTest, DumpPrintsTheSceneAndTheSessionAfterEachCommand) {
    const CliRun run = RunScript(R"({"command": "select.elements", "faces": [1]}

{"command": "tool.scale"}
)",
                                 " --dump");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<Json> dumps;
    std::size_t start = 0;
    for (std::size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1) {
        dumps.push_back(Json::parse(run.out.substr(start, end - start)));
    }
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(dumps[0]["objects"][0]["vertices"].size(), 8u);
    EXPECT_EQ(dumps[0]["session"]["selected"],
              Json::parse(R"({"vertices":0,"edges":4,"faces":1})"));
    EXPECT_EQ(dumps[0]["session"]["tool"], 0);
    EXPECT_EQ(dumps[1]["session"]["tool"], ToolScale);
    EXPECT_EQ(dumps[1]["session"]["centre"], Json::parse("[0,0,1]"));
}

// Hiding changes what is drawn and selected, not what the document stores.
TEST_F(RunTest, HiddenFacesDropTheirSelectionAndAreSavedVisible) {
    const CliRun run = RunScript(R"({"command": "select.all"}
{"command": "view.hide"}
)",
                                 " --dump");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::size_t firstEnd = run.out.find('\n');
    ASSERT_NE(firstEnd, std::string::npos) << run.out;
    const Json all = Json::parse(run.out.substr(0, firstEnd));
    const Json hidden = Json::parse(run.out.substr(firstEnd + 1));
    EXPECT_EQ(all["session"]["selected"]["faces"], 10);
    EXPECT_EQ(hidden["session"]["selected"], Json::parse(R"({"vertices":0,"edges":0,"faces":0})"));
    const CCentigrade saved = ReadOut();
    ASSERT_EQ(saved.models.size(), 2u);
    EXPECT_EQ(saved.models[0].faces.size(), 6u);
    for (const CModel& model : saved.models) {
        for (const CFace& face : model.faces) {
            EXPECT_FALSE(face.hidden);
        }
    }
}

struct BadScript {
    const char* script;
    const char* message;  // after "script.jsonl:"
};

TEST_F(RunTest, ABadScriptNamesTheLineAndTheReasonAndWritesNothing) {
    const BadScript cases[] = {
        {"{\"command\": \"tool.move\"}\n{\"command\": \"edit.frobnicate\"}",
         "2: edit.frobnicate: unknown command"},
        {"\n{\"command\": \"edit.move\", \"by\": \"up\"}",
         "2: edit.move: wrong kind of value: by: expected three numbers [x, y, z], got a string"},
        {"{\"command\": \"edit.move\", \"by\": [0, 1, null]}",
         "1: edit.move: wrong kind of value: by[2]: expected a number"},
        {"{\"command\": \"edit.move\", \"distance\": 3}",
         "1: edit.move: unknown parameter: distance (the command takes by)"},
        {"{\"command\": \"edit.rotate\", \"degrees\": 3}",
         "1: edit.rotate: missing parameter: axis"},
        {"{\"command\": \"file.save\"}", "1: file.save: this command needs the program's window"},
        {"{\"command\": \"select.elements\", \"faces\": [6]}",
         "1: select.elements: no such vertex, edge or face: faces[0]: 6, but the object has 6 "
         "faces; nothing written"},
        {"{\"command\": \"tool.move\"}\n{\"command\": \"edit.undo\"}",
         "2: edit.undo: nothing to undo; nothing written"},
        {"{\"command\": \"face.extrude\"}",
         "1: face.extrude: no face is selected; nothing written"},
        {"{\"command\": \"edit.move\"", "1: not a JSON object"},
        {"[\"edit.move\"]", "1: expected an object with a \"command\" string"},
    };
    for (const BadScript& c : cases) {
        fs::remove(Out());
        const CliRun run = RunScript(c.script);
        EXPECT_EQ(run.status, 2) << c.script;
        EXPECT_NE(run.err.find(std::string("script.jsonl:") + c.message), std::string::npos)
            << c.script << "\n"
            << run.err;
        EXPECT_FALSE(fs::exists(Out())) << c.script;
    }
}

TEST_F(RunTest, FilesThatCannotBeReadOrWrittenExitWithOne) {
    const fs::path script = WriteScript("{\"command\": \"view.front\"}\n");
    const fs::path in = SaveScene();
    EXPECT_EQ(Cli("run " + (folder_ / "missing.qvl").string() + " " + Out().string() + " " +
                  script.string())
                  .status,
              1);
    EXPECT_EQ(Cli("run " + in.string() + " " + Out().string() + " " +
                  (folder_ / "missing.jsonl").string())
                  .status,
              1);
    EXPECT_EQ(Cli("run " + in.string() + " " + (folder_ / "no" / "out.qvl").string() + " " +
                  script.string())
                  .status,
              1);
    EXPECT_EQ(Cli("run " + in.string() + " " + Out().string()).status, 2);
    EXPECT_EQ(
        Cli("run " + in.string() + " " + Out().string() + " " + script.string() + " --all").status,
        2);
}

TEST_F(RunTest, CommandsListsWhatAScriptCanRun) {
    const CliRun run = Cli("commands");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("edit.move  move the affected vertices\n    by: [x, y, z] = [0, 0, 0]"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("face.extrude  extrude the selected faces of the current object\n"
                           "    distance: number = 0"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("file.save"), std::string::npos);
    for (const char* id :
         {"select.all", "select.invert", "select.more", "select.less", "select.linked",
          "select.by_material", "select.loop", "select.ring", "view.hide",
          "view.hide_others", "view.reveal", "view.frame_selected", "view.xray"}) {
        EXPECT_NE(run.out.find(std::string(id) + "  "), std::string::npos) << id;
    }
}

}  // namespace
