// The modelling commands through the session: each one changes the scene as
// one step that undo takes back bit for bit, and each refusal leaves the
// scene as it was, with the reason scripts read.
#include <gtest/gtest.h>

#include <functional>

#include "commands/command_table.h"
#include "commands/session.h"
#include "scene_compare.h"
#include "session_scene.h"

namespace {

void Select(CommandSession& session, const char* what, std::vector<int> indices) {
    ASSERT_TRUE(session.Run("select.elements", {{what, indices}}).Done());
}

using Prepare = std::function<void(CommandSession&)>;

const Prepare kFaceZero = [](CommandSession& s) { Select(s, "faces", {0}); };
const Prepare kNothing = [](CommandSession&) {};

struct ChangeCase {
    const char* command;
    Values values;
    Prepare setup;
};

TEST(ModellingCommands, EachChangesTheSceneAsOneStepThatUndoTakesBack) {
    const ChangeCase cases[] = {
        {"create.plane", {{"segments", 2}}, kNothing},
        {"create.cube", {{"size", 3.0}, {"centre", CVector(1, 2, 3)}}, kNothing},
        {"create.cylinder", {{"segments", 5}, {"rings", 2}}, kNothing},
        {"create.sphere", {}, kNothing},
        {"create.cone", {{"segments", 3}}, kNothing},
        {"face.create",
         {},
         [](CommandSession& s) {
             Select(s, "vertices", {0, 1, 2});
         }},
        {"face.extrude", {{"distance", 1.5}}, kFaceZero},
        {"face.extrude", {{"distance", 1.0}, {"individual", true}}, kFaceZero},
        {"vertex.weld",
         {},
         [](CommandSession& s) {
             Select(s, "vertices", {0, 1});
         }},
        {"vertex.merge_by_distance", {{"distance", 2.5}}, kNothing},
        {"face.flip", {}, kFaceZero},
        {"face.triangulate", {}, kFaceZero},
        {"face.quadrangulate",
         {},
         [](CommandSession& s) {
             Select(s, "faces", {0, 1, 2, 3, 4, 5});
             ASSERT_TRUE(s.Run("face.triangulate").Done());
         }},
        {"face.subdivide", {}, kFaceZero},
        {"vertex.delete", {}, [](CommandSession& s) { Select(s, "vertices", {0}); }},
        {"vertex.clean",
         {},
         [](CommandSession& s) { s.Scene().models[0].vertices.push_back(CVector(9, 9, 9)); }},
        {"object.separate", {}, kFaceZero},
        {"object.duplicate_faces", {}, kFaceZero},
        {"object.merge", {{"objects", std::vector<int>{1}}}, kNothing},
        {"edit.mirror", {{"axis", "y"}, {"centre", CVector(0, 5, 0)}}, kFaceZero},
        {"edit.mirror", {{"copy", false}}, kFaceZero},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.command);
        CommandSession session;
        Fill(session);
        c.setup(session);
        const CCentigrade before = session.Scene();
        const std::size_t steps = session.History().Count();

        const CommandOutcome outcome = session.Run(c.command, c.values);
        ASSERT_TRUE(outcome.Done()) << outcome.refusal->Message();
        EXPECT_FALSE(SameScene(before, session.Scene(), false));
        EXPECT_EQ(session.History().Count(), steps + 1);
        EXPECT_TRUE(session.Modified());
        for (const CModel& model : session.Scene().models) {
            EXPECT_TRUE(model.HasAllCornerNormals()) << model.name;
        }

        ASSERT_TRUE(session.Run("edit.undo").Done());
        EXPECT_TRUE(SameScene(before, session.Scene()));
    }
}

struct RefusalCase {
    const char* command;
    Values values;
    Prepare setup;
    Reason reason;
};

TEST(ModellingCommands, RefusalsLeaveTheSceneAsItWas) {
    const Prepare locked = [](CommandSession& s) {
        Select(s, "faces", {0});
        s.Scene().models[0].state = 1;
    };
    const RefusalCase cases[] = {
        {"face.extrude", {}, kNothing, Reason::NoSelectedFaces},
        {"face.subdivide", {}, kNothing, Reason::NoSelectedFaces},
        {"vertex.weld", {}, kNothing, Reason::NoSelectedVertices},
        {"face.create",
         {},
         [](CommandSession& s) {
             Select(s, "faces", {0, 1});
         },
         Reason::WrongVertexCount},
        {"face.flip", {}, locked, Reason::ObjectNotEditable},
        {"object.separate",
         {},
         [](CommandSession& s) { s.Scene().currentModel = -1; },
         Reason::NoCurrentObject},
        {"object.merge", {{"objects", std::vector<int>{}}}, kNothing, Reason::NoObjectToMerge},
        {"object.merge", {{"objects", std::vector<int>{0}}}, kNothing, Reason::NoSuchObject},
        {"create.cube", {{"size", -1.0}}, kNothing, Reason::OutOfRange},
        {"create.sphere", {{"rings", 1}}, kNothing, Reason::OutOfRange},
        {"face.quadrangulate", {{"angle", 181.0}}, kNothing, Reason::OutOfRange},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.command);
        CommandSession session;
        Fill(session);
        c.setup(session);
        const CCentigrade before = session.Scene();

        const CommandOutcome outcome = session.Run(c.command, c.values);
        ASSERT_TRUE(outcome.refusal);
        EXPECT_EQ(DescribeReason(outcome.refusal->reason).code, DescribeReason(c.reason).code);
        EXPECT_TRUE(SameScene(before, session.Scene()));
        EXPECT_EQ(session.History().Count(), 0u);
        EXPECT_FALSE(session.Modified());
    }
}

TEST(ModellingCommands, ShapesHaveTheirOwnMenuAndTheOthersAnEditableObject) {
    const CommandTable& table = CommandTable::Global();
    for (const char* id :
         {"create.plane", "create.cube", "create.cylinder", "create.sphere", "create.cone"}) {
        const CommandSpec* spec = table.Find(id);
        ASSERT_TRUE(spec) << id;
        EXPECT_EQ(spec->menu.bar, "create") << id;
        EXPECT_FALSE(spec->enabled) << id;
    }
    CommandSession session;
    const CommandOutcome outcome = session.Run("face.flip");
    ASSERT_TRUE(outcome.refusal);
    EXPECT_EQ(outcome.refusal->reason, Reason::NoEditableObject);
}

}  // namespace

TEST(ModellingCommands, ExtrudeHandsTheNewFacesToTheMoveManipulator) {
    CommandSession session;
    Fill(session);
    Select(session, "faces", {0});
    ASSERT_TRUE(session.Run("face.extrude", {{"distance", 2.0}}).Done());
    const CCentigrade& scene = session.Scene();
    EXPECT_EQ(scene.toolMode, ToolMove);
    EXPECT_TRUE(scene.showGizmo);
    double x = 0, y = 0, z = 0;
    int corners = 0;
    const CModel& model = scene.models[static_cast<std::size_t>(scene.currentModel)];
    for (const CFace& face : model.faces) {
        if (face.selected) {
            for (int index : face.indices) {
                const CVector& v = model.vertices[static_cast<std::size_t>(index)];
                x += v.x;
                y += v.y;
                z += v.z;
                ++corners;
            }
        }
    }
    ASSERT_GT(corners, 0);
    EXPECT_NEAR(scene.gizmo.x, x / corners, 1e-4);
    EXPECT_NEAR(scene.gizmo.y, y / corners, 1e-4);
    EXPECT_NEAR(scene.gizmo.z, z / corners, 1e-4);
}
