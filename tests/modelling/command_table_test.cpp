// Every command on every small mesh with all its faces selected: the counts
// it leaves, the face rule and flags after it, the same result with and
// without a PriorState, and undo and redo bit for bit.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "history/edit_history.h"
#include "history/geometry_step.h"
#include "modelling/duplicate_faces.h"
#include "modelling/extrude.h"
#include "modelling/face_create.h"
#include "modelling/flip.h"
#include "modelling/merge_by_distance.h"
#include "modelling/mirror.h"
#include "modelling/quadrangulate.h"
#include "modelling/separate.h"
#include "modelling/subdivide.h"
#include "modelling/triangulate.h"
#include "modelling/vertex_clean.h"
#include "modelling/vertex_delete.h"
#include "modelling/weld.h"
#include "modelling_meshes.h"
#include "scene_compare.h"

namespace {

using Run = std::function<ModellingResult(CCentigrade&, PriorState*)>;

// What a command leaves of object 0: its vertex and face counts, or that it
// refused, or that it had nothing to change.
struct Counts {
    int vertices;
    int faces;
};
constexpr Counts kRefused{-1, -1};
constexpr Counts kUnchanged{-2, -2};

struct CommandRow {
    const char* name;
    Run run;
    // In the order of kAllTestMeshes: Quad, Cube, Grid, Cylinder, Fan, WithUvs, Orphans.
    Counts expected[7];
};

const CommandRow kRows[] = {
    {"face_create",
     [](CCentigrade& s, PriorState* p) { return CreateFace(s, {}, p); },
     {{4, 2}, kRefused, kRefused, kRefused, kRefused, kRefused, {5, 2}}},
    {"extrude",
     [](CCentigrade& s, PriorState* p) {
         return ExtrudeFaces(s, {1.0f, false}, p);
     },
     {{8, 5}, kUnchanged, {28, 21}, kUnchanged, {10, 13}, {12, 8}, {8, 4}}},
    {"extrude_individual",
     [](CCentigrade& s, PriorState* p) {
         return ExtrudeFaces(s, {1.0f, true}, p);
     },
     {{8, 5}, {32, 30}, {52, 45}, {74, 78}, {14, 13}, {14, 10}, {8, 4}}},
    {"weld",
     [](CCentigrade& s, PriorState* p) { return WeldVertices(s, p); },
     {{4, 0}, {8, 0}, {16, 0}, {14, 0}, {5, 0}, {6, 0}, {5, 0}}},
    {"merge_by_distance",
     [](CCentigrade& s, PriorState* p) { return MergeByDistance(s, {}, p); },
     {kUnchanged, kUnchanged, kUnchanged, kUnchanged, kUnchanged, kUnchanged, kUnchanged}},
    {"flip",
     [](CCentigrade& s, PriorState* p) { return FlipFaces(s, p); },
     {{4, 1}, {8, 6}, {16, 9}, {14, 18}, {5, 4}, {6, 2}, {5, 1}}},
    {"triangulate",
     [](CCentigrade& s, PriorState* p) { return TriangulateFaces(s, p); },
     {{4, 2}, {8, 12}, {16, 18}, {14, 24}, kUnchanged, {6, 4}, kUnchanged}},
    {"quadrangulate",
     [](CCentigrade& s, PriorState* p) { return QuadrangulateFaces(s, {}, p); },
     {kUnchanged, kUnchanged, kUnchanged, {14, 12}, kUnchanged, kUnchanged, kUnchanged}},
    {"subdivide",
     [](CCentigrade& s, PriorState* p) { return SubdivideFaces(s, p); },
     {{9, 4}, {26, 24}, {49, 36}, {50, 72}, {13, 14}, {15, 8}, {8, 4}}},
    {"delete_vertices",
     [](CCentigrade& s, PriorState* p) { return DeleteVertices(s, p); },
     {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {2, 0}}},
    {"clean_vertices",
     [](CCentigrade& s, PriorState* p) { return CleanVertices(s, p); },
     {kUnchanged, kUnchanged, kUnchanged, kUnchanged, kUnchanged, kUnchanged, {3, 1}}},
    {"separate",
     [](CCentigrade& s, PriorState* p) { return SeparateFaces(s, p); },
     {{4, 0}, {8, 0}, {16, 0}, {14, 0}, {5, 0}, {6, 0}, {5, 0}}},
    {"duplicate_faces",
     [](CCentigrade& s, PriorState* p) { return DuplicateFaces(s, p); },
     {{8, 2}, {16, 12}, {32, 18}, {28, 36}, {10, 8}, {12, 4}, {8, 2}}},
    {"mirror_copy",
     [](CCentigrade& s, PriorState* p) {
         return MirrorFaces(s, {Axis::X, CVector(), true, true}, p);
     },
     {{6, 2}, {16, 12}, {32, 18}, {26, 36}, {7, 7}, {10, 4}, {6, 2}}},
    {"mirror_in_place",
     [](CCentigrade& s, PriorState* p) {
         return MirrorFaces(s, {Axis::X, CVector(), false, true}, p);
     },
     {{4, 1}, {8, 6}, {16, 9}, {14, 18}, {5, 4}, {6, 2}, {5, 1}}},
};

struct Case {
    const CommandRow* row;
    std::size_t mesh;
};

class CommandTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandTable, LeavesTheCountsAndUndoesBitForBit) {
    const CommandRow& row = *GetParam().row;
    const TestMesh mesh = kAllTestMeshes[GetParam().mesh];
    const Counts expected = row.expected[GetParam().mesh];
    CCentigrade scene = SceneOf(mesh);
    SelectAllFaces(scene);
    const CCentigrade before = scene;
    CCentigrade unrecorded = scene;

    EditHistory history;
    const ModellingResult result = RecordGeometryEdit(
        history, scene, row.name, [&](PriorState& prior) { return row.run(scene, &prior); });
    const ModellingResult plain = row.run(unrecorded, nullptr);
    EXPECT_EQ(plain.refusal, result.refusal);
    EXPECT_TRUE(SameScene(scene, unrecorded)) << "a PriorState changes the result";

    if (expected.vertices == kRefused.vertices) {
        EXPECT_TRUE(result.Refused());
    } else if (expected.vertices == kUnchanged.vertices) {
        EXPECT_FALSE(result.Refused()) << TextOf(result.refusal).english;
        EXPECT_FALSE(result.Changed());
    }
    if (result.Refused() || !result.Changed()) {
        EXPECT_EQ(history.Count(), 0u);
        EXPECT_TRUE(SameScene(before, scene));
        return;
    }
    ASSERT_GE(expected.vertices, 0) << "changed the scene";
    EXPECT_TRUE(Valid(scene, result));
    EXPECT_EQ(scene.models[0].vertices.size(), static_cast<std::size_t>(expected.vertices));
    EXPECT_EQ(scene.models[0].faces.size(), static_cast<std::size_t>(expected.faces));
    ASSERT_EQ(history.Count(), 1u);
    EXPECT_EQ(history.UndoName(), row.name);

    const CCentigrade after = scene;
    history.Undo(scene);
    EXPECT_TRUE(SameScene(before, scene));
    history.Redo(scene);
    EXPECT_TRUE(SameScene(after, scene));
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const CommandRow& row : kRows) {
        for (std::size_t m = 0; m < std::size(kAllTestMeshes); ++m) {
            cases.push_back({&row, m});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryMesh, CommandTable, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.row->name) + "_" +
                                    NameOf(kAllTestMeshes[info.param.mesh]);
                         });

}  // namespace
