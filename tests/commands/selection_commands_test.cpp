// The selection commands of the 選択 menu leave the scene exactly as their
// edit functions called directly do, and are no steps of the history.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "commands/command_table.h"
#include "commands/session.h"
#include "edit/edge_loops.h"
#include "edit/frame_selection.h"
#include "edit/gizmo.h"
#include "edit/hide.h"
#include "edit/select_all.h"
#include "edit/select_grow.h"
#include "support/mesh_generators.h"

namespace {

// A 4 × 4 grid (object 0) whose lower half has the second material, face 5
// selected with its edges and face 15 hidden, and a cube (object 1) with one
// selected vertex.
CCentigrade MakeFixture() {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4));
    scene.materials.emplace_back(scene.materialSerial++);
    CModel& grid = scene.models[0];
    for (std::size_t f = 8; f < grid.faces.size(); ++f) {
        grid.faces[f].material = scene.materials[1].id;
    }
    grid.faces[5].selected = true;
    grid.faces[5].SetAllEdges(true);
    grid.faces[15].hidden = true;
    CModel cube = MakeCube(2);
    cube.id = ++scene.modelSerial;
    cube.vertices[3].selected = true;
    scene.models.push_back(std::move(cube));
    scene.ComputeAllNormals();
    UpdateGizmo(scene);
    return scene;
}

bool SameVector(const CVector& a, const CVector& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// The flags the selection commands change, the manipulator and the camera.
void ExpectSameSelection(const CCentigrade& got, const CCentigrade& expected,
                         const std::string& id) {
    ASSERT_EQ(got.models.size(), expected.models.size()) << id;
    for (std::size_t m = 0; m < got.models.size(); ++m) {
        const CModel& a = got.models[m];
        const CModel& b = expected.models[m];
        ASSERT_EQ(a.vertices.size(), b.vertices.size()) << id;
        for (std::size_t v = 0; v < a.vertices.size(); ++v) {
            EXPECT_EQ(a.vertices[v].selected, b.vertices[v].selected)
                << id << ": object " << m << " vertex " << v;
        }
        ASSERT_EQ(a.faces.size(), b.faces.size()) << id;
        for (std::size_t f = 0; f < a.faces.size(); ++f) {
            EXPECT_EQ(a.faces[f].selected, b.faces[f].selected)
                << id << ": object " << m << " face " << f;
            EXPECT_TRUE(a.faces[f].edgeSelected == b.faces[f].edgeSelected)
                << id << ": object " << m << " face " << f;
            EXPECT_EQ(a.faces[f].hidden, b.faces[f].hidden)
                << id << ": object " << m << " face " << f;
        }
    }
    EXPECT_TRUE(SameVector(got.gizmo, expected.gizmo)) << id;
    EXPECT_EQ(got.showGizmo, expected.showGizmo) << id;
    EXPECT_TRUE(SameVector(got.camera.position, expected.camera.position)) << id;
    EXPECT_EQ(got.zoom, expected.zoom) << id;
}

struct DirectCase {
    const char* id;
    Values values;
    std::function<void(CCentigrade&)> direct;
};

TEST(SelectionMenu, LeaveWhatTheEditFunctionsLeave) {
    const std::vector<DirectCase> cases = {
        {"select.all", {}, SelectAll},
        {"select.invert", {}, InvertSelection},
        {"select.more", {}, GrowSelection},
        {"select.less", {}, ShrinkSelection},
        {"select.linked", {}, SelectLinked},
        {"select.by_material",
         {{"material", 1}},
         [](CCentigrade& s) { SelectByMaterial(s, s.materials[1].id, SelectionUpdate::Replace); }},
        {"select.by_material",
         {{"mode", "add"}},
         [](CCentigrade& s) { SelectByMaterial(s, s.materials[0].id, SelectionUpdate::Add); }},
        {"select.loop",
         {{"object", 0}, {"face", 6}, {"corner", 1}},
         [](CCentigrade& s) {
             SelectEdgeLoop(s, {0, 6, 1}, SelectionUpdate::Replace);
         }},
        {"select.ring",
         {{"face", 6}, {"corner", 1}, {"mode", "add"}},
         [](CCentigrade& s) {
             SelectEdgeRing(s, {0, 6, 1}, SelectionUpdate::Add);
         }},
        // Without an edge: through every selected edge.
        {"select.loop", {}, [](CCentigrade& s) { SelectEdgeLoops(s, SelectionUpdate::Replace); }},
        {"select.ring",
         {{"mode", "add"}},
         [](CCentigrade& s) { SelectEdgeRings(s, SelectionUpdate::Add); }},
        {"view.hide", {}, HideSelected},
        {"view.hide_others", {}, HideUnselected},
        {"view.reveal", {}, RevealHidden},
        {"view.frame_selected", {}, [](CCentigrade& s) { FrameSelection(s); }},
    };
    for (const DirectCase& c : cases) {
        CommandSession session;
        session.Scene() = MakeFixture();
        CCentigrade expected = MakeFixture();
        c.direct(expected);
        const CommandOutcome outcome = session.Run(c.id, c.values);
        ASSERT_FALSE(outcome.refusal) << c.id << ": " << outcome.refusal->Message();
        ExpectSameSelection(session.Scene(), expected, c.id);
        EXPECT_EQ(session.History().Count(), 0u) << c.id;
        EXPECT_FALSE(session.Modified()) << c.id;
        EXPECT_EQ(outcome.report.history, HistoryMove::None) << c.id;
    }
}

struct RefusedEdge {
    Values values;
    Reason reason;
    const char* detail;
};

// A loop or ring from an edge a click could not take changes nothing.
TEST(SelectionMenu, LoopsAndRingsRefuseEdgesThatDoNotExist) {
    const RefusedEdge cases[] = {
        {{{"face", 16}, {"corner", 0}}, Reason::NoSuchElement, "face 16, but the object has 16"},
        {{{"face", -1}, {"corner", 0}}, Reason::NoSuchElement, "face -1"},
        {{{"face", 6}, {"corner", 4}}, Reason::NoSuchElement, "corner 4, but face 6 has 4 edges"},
        {{{"face", 15}, {"corner", 0}}, Reason::NoSuchElement, "face 15 is hidden"},
        {{{"object", 2}, {"face", 0}, {"corner", 0}}, Reason::NoSuchObject, "object: 2"},
        {{{"face", 6}}, Reason::MissingParameter, "corner"},
        {{{"corner", 1}}, Reason::MissingParameter, "face"},
    };
    for (const char* id : {"select.loop", "select.ring"}) {
        for (const RefusedEdge& c : cases) {
            CommandSession session;
            session.Scene() = MakeFixture();
            const CommandOutcome outcome = session.Run(id, c.values);
            ASSERT_TRUE(outcome.refusal) << id << " " << c.detail;
            EXPECT_EQ(outcome.refusal->reason, c.reason) << id << " " << c.detail;
            EXPECT_NE(outcome.refusal->detail.find(c.detail), std::string::npos)
                << id << ": " << outcome.refusal->detail;
            ExpectSameSelection(session.Scene(), MakeFixture(), id);
        }
    }
}

TEST(SelectionMenu, FramingNeedsASelection) {
    CommandSession session;
    session.Scene() = MakeFixture();
    ASSERT_TRUE(session.Run("select.none").Done());
    const CommandOutcome outcome = session.Run("view.frame_selected");
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->reason, Reason::NothingSelected);
}

TEST(SelectionMenu, XrayIsACheckableToggle) {
    const CommandSpec* xray = CommandTable::Global().Find("view.xray");
    ASSERT_NE(xray, nullptr);
    EXPECT_TRUE(xray->checkable);
    CommandSession session;
    EXPECT_FALSE(xray->Checked(session.State()));
    ASSERT_TRUE(session.Run("view.xray").Done());
    EXPECT_TRUE(session.Scene().xray);
    EXPECT_TRUE(xray->Checked(session.State()));
    ASSERT_TRUE(session.Run("view.xray", {{"on", true}}).Done());
    EXPECT_TRUE(session.Scene().xray);
    ASSERT_TRUE(session.Run("view.xray").Done());
    EXPECT_FALSE(xray->Checked(session.State()));
    EXPECT_FALSE(session.Modified());
}

}  // namespace
