// The headless session: every refusal names its reason and changes nothing;
// every command that runs reports what it changed.
#include "commands/session.h"

#include <gtest/gtest.h>

#include <random>

#include "scene/cp932.h"
#include "session_scene.h"

namespace {

struct RefusalCase {
    const char* command;
    Values values;
    Reason reason;
    const char* detail;  // a part of the refusal's detail
};

TEST(CommandSession, RefusalsNameTheReasonAndChangeNothing) {
    const RefusalCase cases[] = {
        {"edit.frobnicate", {}, Reason::UnknownCommand, "edit.frobnicate"},
        {"file.save", {}, Reason::NeedsWindow, "file.save"},
        {"edit.move", {{"by", "up"}}, Reason::WrongType, "by: expected three numbers"},
        {"edit.move", {{"by", std::vector<int>{1, 2}}}, Reason::WrongType, "got a list of 2"},
        {"edit.move", {{"bogus", 1}}, Reason::UnknownParameter, "bogus (the command takes by)"},
        {"edit.rotate", {{"degrees", 5}}, Reason::MissingParameter, "axis"},
        {"edit.rotate",
         {{"axis", "w"}, {"degrees", 5}},
         Reason::OutOfRange,
         "axis: \"w\" is not one of x|y|z"},
        {"edit.scale", {{"by", CVector(2, 0, 1)}}, Reason::OutOfRange, "by[1]"},
        {"material.set", {{"power", 150}}, Reason::OutOfRange, "power: 150 is outside 0 to 100"},
        {"material.set", {}, Reason::NothingToChange, "red"},
        {"object.mirror_axis", {{"axis", 2.5}}, Reason::WrongType, "axis: expected an integer"},
        {"select.elements",
         {{"faces", std::vector<int>{1, 6}}},
         Reason::NoSuchElement,
         "faces[1]: 6, but the object has 6 faces"},
        {"select.elements",
         {{"edges", std::vector<Value>{std::vector<int>{0, 4}}}},
         Reason::NoSuchElement,
         "edges[0]: corner 4, but face 0 has 4 edges"},
        {"select.elements", {{"object", 2}}, Reason::NoSuchObject, "object: 2"},
        {"object.current", {{"object", 2}}, Reason::NoSuchObject, "object: 2"},
        {"object.rename", {{"name", "\xF0\x9F\x98\x80"}}, Reason::UnsavableText, "name"},
        {"edit.undo", {}, Reason::NothingToUndo, ""},
        {"edit.paste", {}, Reason::NoClipboardFaces, ""},
        {"face.delete", {}, Reason::NoSelectedFaces, ""},
        {"face.paint",
         {{"faces", std::vector<int>{0}}, {"material", 2}},
         Reason::NoSuchMaterial,
         "material: 2"},
    };
    for (const RefusalCase& c : cases) {
        CommandSession session;
        Fill(session);
        const std::uint64_t revision = session.Scene().models[0].revision;
        const CommandOutcome outcome = session.Run(c.command, c.values);
        ASSERT_TRUE(outcome.refusal) << c.command;
        EXPECT_EQ(outcome.refusal->reason, c.reason) << c.command;
        EXPECT_NE(outcome.refusal->detail.find(c.detail), std::string::npos)
            << c.command << ": " << outcome.refusal->detail;
        EXPECT_EQ(session.Scene().models[0].revision, revision) << c.command;
        EXPECT_EQ(session.History().Count(), 0u) << c.command;
        EXPECT_FALSE(session.Modified()) << c.command;
    }
}

TEST(CommandSession, ALockedObjectIsNotSelectedOrPainted) {
    CommandSession session;
    Fill(session);
    session.Scene().models[0].state = 1;
    for (const char* command : {"select.elements", "face.paint", "face.delete"}) {
        const CommandOutcome outcome =
            session.Run(command, {{"object", 0}, {"faces", std::vector<int>{0}}});
        ASSERT_TRUE(outcome.refusal) << command;
        EXPECT_EQ(outcome.refusal->reason, Reason::ObjectNotEditable) << command;
    }
}

CommandOutcome MustRun(CommandSession& session, std::string_view id, const Values& values = {}) {
    CommandOutcome outcome = session.Run(id, values);
    EXPECT_FALSE(outcome.refusal) << id << ": " << outcome.refusal->Message();
    return outcome;
}

TEST(CommandSession, SelectionReportsItsSpansAndCounts) {
    CommandSession session;
    Fill(session);
    CommandOutcome outcome = MustRun(session, "select.elements",
                                     {{"faces", std::vector<int>{2}},
                                      {"edges", std::vector<Value>{std::vector<int>{4, 1}}},
                                      {"vertices", std::vector<int>{7}},
                                      {"mode", "add"}});
    ASSERT_EQ(outcome.report.objects.size(), 1u);
    const ObjectChange& change = outcome.report.objects[0];
    EXPECT_EQ(change.object, 0u);
    EXPECT_EQ(change.aspects, kObjectSelection);
    EXPECT_EQ(change.selection.faces.first, 2u);
    EXPECT_EQ(change.selection.faces.end, 5u);
    EXPECT_EQ(change.selection.vertices.first, 7u);
    EXPECT_TRUE(outcome.report.manipulator);
    EXPECT_EQ(outcome.report.history, HistoryMove::None);
    EXPECT_FALSE(outcome.report.modified);
    EXPECT_EQ(session.State().selected, (SelectionCounts{1, 5, 1, 1}));

    MustRun(session, "select.elements", {{"faces", std::vector<int>{2}}, {"mode", "remove"}});
    EXPECT_EQ(session.State().selected, (SelectionCounts{1, 1, 0}));
    // Replacing drops the selection of every object.
    outcome =
        MustRun(session, "select.elements", {{"object", 1}, {"faces", std::vector<int>{0, 3}}});
    EXPECT_EQ(outcome.report.objects.size(), 2u);
    EXPECT_EQ(session.State().selected, (SelectionCounts{0, 8, 2, 2}));
    outcome = MustRun(session, "select.none");
    EXPECT_EQ(session.State().selected, (SelectionCounts{}));
    EXPECT_EQ(outcome.report.objects.size(), 2u);
}

TEST(CommandSession, StepsAreReportedRecordedUndoneAndRedone) {
    CommandSession session;
    Fill(session);
    MustRun(session, "select.elements", {{"faces", std::vector<int>{0}}});
    CommandOutcome outcome = MustRun(session, "edit.move", {{"by", CVector(0, 0, -1)}});
    EXPECT_EQ(outcome.report.history, HistoryMove::Recorded);
    EXPECT_EQ(outcome.report.step, "移動");
    EXPECT_TRUE(outcome.report.modified);
    ASSERT_EQ(outcome.report.objects.size(), 1u);
    EXPECT_TRUE(outcome.report.objects[0].aspects & kObjectPositions);
    // Face 0 of the cube uses vertices 0 to 3.
    EXPECT_EQ(outcome.report.objects[0].positions.first, 0u);
    EXPECT_EQ(outcome.report.objects[0].positions.end, 4u);
    EXPECT_FALSE(outcome.report.manipulator);
    EXPECT_EQ(session.Scene().models[0].vertices[0].z, -2.0f);
    EXPECT_EQ(session.State().undoName, "移動");

    outcome = MustRun(session, "edit.undo");
    EXPECT_EQ(outcome.report.history, HistoryMove::Undone);
    EXPECT_EQ(outcome.report.step, "移動");
    EXPECT_FALSE(outcome.report.modified);
    EXPECT_EQ(session.Scene().models[0].vertices[0].z, -1.0f);
    outcome = MustRun(session, "edit.redo");
    EXPECT_EQ(outcome.report.history, HistoryMove::Redone);
    EXPECT_TRUE(outcome.report.modified);
    EXPECT_EQ(session.Scene().models[0].vertices[0].z, -2.0f);

    // Nothing affected: no step, and the document stays as it was.
    MustRun(session, "select.none");
    outcome = MustRun(session, "edit.move", {{"by", CVector(1, 0, 0)}});
    EXPECT_EQ(outcome.report.history, HistoryMove::None);
    EXPECT_TRUE(outcome.report.objects.empty());
}

struct ReportCase {
    const char* command;
    Values values;
    bool (*expected)(const ChangeReport&);
};

TEST(CommandSession, EachKindOfEditSaysWhatItChanged) {
    const ReportCase cases[] = {
        {"object.rename",
         {{"name", "立方体"}},
         [](const ChangeReport& r) {
             return r.objects.size() == 1 && r.objects[0].aspects == kObjectName &&
                    r.step == "オブジェクトの変更";
         }},
        {"object.smoothing",
         {{"object", 1}, {"degrees", 30}},
         [](const ChangeReport& r) {
             return r.objects.size() == 1 && r.objects[0].object == 1 &&
                    (r.objects[0].aspects & kObjectSettings);
         }},
        {"object.lock",
         {},
         [](const ChangeReport& r) {
             return r.objects.size() == 1 && (r.objects[0].aspects & kObjectState) &&
                    r.history == HistoryMove::None && !r.modified;
         }},
        {"object.current",
         {{"object", 1}},
         [](const ChangeReport& r) { return r.currentObject && r.objects.empty(); }},
        {"material.set",
         {{"red", 0.5}, {"diffuse", 0.25}},
         [](const ChangeReport& r) {
             return r.materialsChanged == std::vector<std::size_t>{0} && r.step == "材質の変更";
         }},
        {"material.current",
         {{"material", 1}},
         [](const ChangeReport& r) { return r.currentMaterial && r.materialsChanged.empty(); }},
        {"material.properties",
         {{"material", 1}},
         [](const ChangeReport& r) { return r.currentMaterial && r.tool; }},
        {"face.paint",
         {{"faces", std::vector<int>{1, 2}}, {"material", 1}},
         [](const ChangeReport& r) {
             return r.objects.size() == 1 && r.objects[0].aspects == kObjectTopology &&
                    r.step == "材質塗り";
         }},
        {"face.delete",
         {{"object", 1}, {"faces", std::vector<int>{0}}},
         [](const ChangeReport& r) {
             return r.objects.size() == 1 && r.objects[0].object == 1 &&
                    (r.objects[0].aspects & kObjectTopology) && r.step == "面削除";
         }},
        {"tool.move", {}, [](const ChangeReport& r) { return r.tool && !r.modified; }},
        {"select.mode", {{"mode", "belt"}}, [](const ChangeReport& r) { return r.selectMode; }},
        {"selectable.edges", {}, [](const ChangeReport& r) { return r.selectable; }},
        {"display.vertices", {{"on", true}}, [](const ChangeReport& r) { return r.display; }},
        {"display.faces", {{"on", true}}, [](const ChangeReport& r) { return !r.Visible(); }},
        {"view.top", {}, [](const ChangeReport& r) { return r.camera && !r.modified; }},
        {"view.frame_all", {}, [](const ChangeReport& r) { return r.camera; }},
        {"edit.centre",
         {{"at", CVector(1, 2, 3)}},
         [](const ChangeReport& r) { return r.manipulator && r.objects.empty(); }},
    };
    for (const ReportCase& c : cases) {
        CommandSession session;
        Fill(session);
        const CommandOutcome outcome = MustRun(session, c.command, c.values);
        EXPECT_TRUE(c.expected(outcome.report)) << c.command;
    }
}

// An orphan another object brought (a document gives every vertex `used`)
// loses the flag at the deletion, as a click's deletion drops it; the objects
// whose flags did not change are not reported, and undo gives the flag back.
TEST(CommandSession, DeletingFacesUnflagsTheOrphansOfEveryObject) {
    CommandSession session;
    Fill(session);
    CModel& grid = session.Scene().models[1];
    grid.vertices.emplace_back(5.0f, 0.0f, 5.0f);
    const std::size_t orphan = grid.vertices.size() - 1;
    CModel third = MakeCube(2);
    third.id = ++session.Scene().modelSerial;
    session.Scene().models.push_back(std::move(third));

    const CommandOutcome outcome =
        MustRun(session, "face.delete", {{"object", 0}, {"faces", std::vector<int>{0}}});
    EXPECT_FALSE(session.Scene().models[1].vertices[orphan].used);
    ASSERT_EQ(outcome.report.objects.size(), 2u);
    EXPECT_EQ(outcome.report.objects[0].object, 0u);
    EXPECT_EQ(outcome.report.objects[1].object, 1u);
    EXPECT_FALSE(outcome.report.objects[0].aspects & kObjectPositions);
    MustRun(session, "edit.undo");
    EXPECT_TRUE(session.Scene().models[1].vertices[orphan].used);
    EXPECT_EQ(session.Scene().models[0].faces.size(), 6u);
}

TEST(CommandSession, CopyCutAndPasteGoThroughTheSessionsClipboard) {
    CommandSession session;
    Fill(session);
    MustRun(session, "select.elements", {{"faces", std::vector<int>{0, 1}}});
    CommandOutcome outcome = MustRun(session, "edit.copy");
    EXPECT_TRUE(outcome.report.clipboard);
    EXPECT_TRUE(session.State().clipboardHasFaces);
    outcome = MustRun(session, "edit.paste");
    EXPECT_EQ(outcome.report.objectsAdded, std::vector<std::size_t>{2});
    EXPECT_EQ(outcome.report.step, "貼り付け");
    ASSERT_EQ(session.Scene().models.size(), 3u);
    EXPECT_EQ(session.Scene().models[2].faces.size(), 2u);

    // The pasted faces are the selection now.
    outcome = MustRun(session, "edit.cut");
    EXPECT_TRUE(outcome.report.clipboard);
    EXPECT_EQ(session.Scene().models[0].faces.size(), 6u);
    EXPECT_EQ(session.Scene().models[2].faces.size(), 0u);
    outcome = MustRun(session, "edit.undo");
    EXPECT_EQ(session.Scene().models[2].faces.size(), 2u);
    outcome = MustRun(session, "edit.undo");
    EXPECT_EQ(outcome.report.objectsRemoved, std::vector<std::size_t>{2});

    session.SetClipboard("Metasequoia Document\r\nFormat Text Ver 1.0\r\nObject \"a\" {\r\n");
    outcome = session.Run("edit.paste");
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->reason, Reason::ClipboardUnreadable);
}

// A range pick takes a face by all its edges; the view shows it selected, so
// Cut and Copy carry it. A paste selects the pasted faces alone, makes their
// object current, and has no texture to complain of when none is named.
TEST(CommandSession, FacesTakenByTheirEdgesAreCutCopiedAndPastedAsSelection) {
    CommandSession session;
    Fill(session);
    CModel& cube = session.Scene().models[0];
    for (std::size_t f : {0, 1}) {
        for (bool& edge : cube.faces[f].edgeSelected) {
            edge = true;
        }
    }
    cube.faces[2].edgeSelected[0] = true;  // one edge does not take a face
    cube.TouchSelection();
    EXPECT_EQ(session.State().selected.faces, 0u);
    EXPECT_EQ(session.State().selected.takenFaces, 2u);

    MustRun(session, "edit.cut");
    EXPECT_EQ(session.Scene().models[0].faces.size(), 4u);
    EXPECT_NE(session.Clipboard().find("Material"), std::string::npos);
    const CommandOutcome outcome = MustRun(session, "edit.paste");
    EXPECT_TRUE(outcome.textureFailures.empty());
    const CCentigrade& scene = session.Scene();
    ASSERT_EQ(scene.models.size(), 3u);
    EXPECT_EQ(scene.models[2].faces.size(), 2u);
    EXPECT_EQ(scene.currentModel, 2);
    for (const CFace& face : scene.models[2].faces) {
        EXPECT_TRUE(face.selected);
    }
    EXPECT_EQ(session.State().selected.takenFaces, 2u);
    EXPECT_EQ(session.State().selected.edges, 8u);

    session.SetClipboard(
        "Metasequoia Document\r\nFormat Text Ver 1.0\r\nMaterial 1 {\r\n\"m\" "
        "col(1.000 1.000 1.000 1.000) tex(\"absent.png\")\r\n}\r\nObject \"t\" {\r\n"
        "vertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n}\r\nface 1 {\r\n3 V(0 1 2) M(0)\r\n}\r\n}"
        "\r\nEof\r\n");
    EXPECT_EQ(MustRun(session, "edit.paste").textureFailures.size(), 1u);
}

// The normals of every object, bit for bit, against a computation from scratch.
void ExpectNormalsOfTheCoordinates(const CCentigrade& scene, std::string_view after) {
    const auto same = [](const CVector& a, const CVector& b) {
        return a.x == b.x && a.y == b.y && a.z == b.z;
    };
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        const CModel& model = scene.models[m];
        CModel fresh = model;
        fresh.vertexInfo.clear();
        fresh.ComputeNormals(1);
        for (std::size_t f = 0; f < model.faces.size(); ++f) {
            ASSERT_TRUE(model.HasCornerNormals(f)) << after;
            ASSERT_TRUE(same(model.faces[f].normal, fresh.faces[f].normal))
                << after << ": object " << m << " face " << f;
            for (std::size_t c = 0; c < model.faces[f].indices.size(); ++c) {
                ASSERT_TRUE(same(model.CornerNormal(f, c), fresh.CornerNormal(f, c)))
                    << after << ": object " << m << " face " << f << " corner " << c;
            }
        }
    }
}

// Undo and redo of a turn of everything take back the normals of the
// coordinates they bring back, unless something else changed the objects.
TEST(CommandSession, NormalsAfterUndoAndRedoAreThoseOfTheCoordinates) {
    CommandSession session;
    Fill(session);
    CCentigrade& scene = session.Scene();
    std::mt19937 random(5);
    std::uniform_real_distribution<float> height(-0.4f, 0.4f);
    for (CVector& v : scene.models[1].vertices) {
        v.y = height(random);
    }
    scene.ComputeAllNormals();
    const auto run = [&](std::string_view id, const Values& values = {}) {
        MustRun(session, id, values);
        ExpectNormalsOfTheCoordinates(scene, id);
    };
    const Values turn = {{"axis", "x"}, {"degrees", 30}};
    const Values firstFace = {{"object", 1}, {"faces", std::vector<int>{0}}};

    // Each time everything turns first, and the normals from before wait for the undo.
    const auto turnAll = [&] {
        run("select.all");
        run("edit.rotate", turn);
    };
    turnAll();
    run("edit.undo");
    run("edit.redo");
    // A vertex the turn left moved outside the history, as the Python
    // module's views do: the undo cannot bring back the coordinates from before.
    run("select.elements", {{"object", 1}, {"vertices", std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8}}});
    run("edit.rotate", turn);
    scene.models[1].vertices[4].y += 0.5f;
    scene.models[1].TouchPositions(4, 5);
    run("edit.undo");
    run("edit.redo");
    // A move of one face between, updated around it.
    turnAll();
    run("select.elements", firstFace);
    run("edit.move", {{"by", CVector(0, 1, 0)}});
    run("edit.undo");
    run("edit.undo");
    run("edit.redo");
    // Another smoothing angle, and back.
    turnAll();
    run("object.smoothing", {{"object", 1}, {"degrees", 5}});
    run("edit.undo");
    run("edit.undo");
    run("edit.redo");
    // Faces cut and put back.
    turnAll();
    run("select.elements", firstFace);
    run("edit.cut");
    run("edit.undo");
    run("edit.undo");
    run("edit.redo");
}

TEST(CommandSession, NamesAreStoredInTheScenesCodePage) {
    CommandSession session;
    Fill(session);
    MustRun(session, "object.rename", {{"object", 1}, {"name", "格子"}});
    MustRun(session, "material.rename", {{"name", "木目"}});
    EXPECT_EQ(session.Scene().models[1].name, Utf8ToCp932("格子"));
    EXPECT_EQ(session.Scene().materials[0].name, Utf8ToCp932("木目"));
}

}  // namespace
