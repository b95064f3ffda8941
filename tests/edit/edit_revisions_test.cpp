// Each edit names exactly the kinds of object contents it changed, so that the
// caches built from them refresh only those.
#include <gtest/gtest.h>

#include <functional>

#include "edit/drag.h"
#include "edit/face_tools.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "edit/transforms.h"
#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

// Which revisions of one object an edit bumped.
struct Kinds {
    bool positions = false;
    bool selection = false;
    bool topology = false;
    bool normals = false;

    friend bool operator==(const Kinds&, const Kinds&) = default;
};

constexpr Kinds kNone{};
constexpr Kinds kPositions{true, false, false, false};
constexpr Kinds kSelection{false, true, false, false};
constexpr Kinds kTopologyAndMarks{false, true, true, false};
constexpr Kinds kTopology{false, false, true, false};
constexpr Kinds kNormals{false, false, false, true};
constexpr Kinds kAll{true, true, true, true};

std::ostream& operator<<(std::ostream& out, const Kinds& k) {
    return out << "{positions " << k.positions << ", selection " << k.selection << ", topology "
               << k.topology << ", normals " << k.normals << "}";
}

Kinds Bumped(const CModel& before, const CModel& after) {
    return {before.positionsRevision != after.positionsRevision,
            before.selectionRevision != after.selectionRevision,
            before.topologyRevision != after.topologyRevision,
            before.normalsRevision != after.normalsRevision};
}

PickResult FaceHit(int object, int face) {
    PickResult result;
    result.best = {PickKind::Face, object, face, 0.5f};
    result.records = {result.best};
    return result;
}

void Drag(CCentigrade& scene, bool release) {
    DragSession drag;
    drag.Begin(scene);
    drag.Apply(scene, {DragOperation::Move, {1, 2, 3}});
    drag.Apply(scene, {DragOperation::RotateYThenX, {4, 5, 0}});
    if (release) {
        drag.Finish(scene);
    }
}

struct EditCase {
    const char* name;
    std::function<void(CCentigrade&)> edit;
    Kinds first;   // of the object with a selected vertex
    Kinds second;  // of the object with nothing selected
};

class EditRevisions : public testing::TestWithParam<EditCase> {};

TEST_P(EditRevisions, BumpExactlyTheKindsChanged) {
    CCentigrade scene = MakeSceneWith(MakeCube(10));
    scene.models.push_back(MakeCube(4));
    scene.ComputeAllNormals();
    scene.models[0].vertices[2].selected = true;
    const std::vector<CModel> before = scene.models;

    GetParam().edit(scene);

    EXPECT_EQ(Bumped(before[0], scene.models[0]), GetParam().first);
    EXPECT_EQ(Bumped(before[1], scene.models[1]), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditRevisions,
    testing::Values(
        EditCase{"Move", [](CCentigrade& s) { MoveSelection(s, 1, 0, 0); }, kPositions, kNone},
        EditCase{"RotateX", [](CCentigrade& s) { RotateSelectionX(s, 30); }, kPositions, kNone},
        EditCase{"ScaleBy", [](CCentigrade& s) { ScaleSelectionBy(s, 1, 0, 0); }, kPositions,
                 kNone},
        EditCase{"TypedX", [](CCentigrade& s) { SetSelectionX(s, 5); }, kPositions, kNone},
        EditCase{"DragStep",
                 [](CCentigrade& s) {
                     ApplyDragStep(s, {DragOperation::ScaleBy, {1, 1, 1}});
                 },
                 kPositions, kNone},
        EditCase{"DragSteps", [](CCentigrade& s) { Drag(s, false); }, kPositions, kNone},
        EditCase{"DragAndRelease", [](CCentigrade& s) { Drag(s, true); },
                 Kinds{true, false, false, true}, kNone},
        EditCase{"ClickFace", [](CCentigrade& s) { ProcessHits(s, FaceHit(1, 0)); }, kSelection,
                 kSelection},
        EditCase{"ClearSelection", [](CCentigrade& s) { ClearSelection(s); }, kSelection,
                 kSelection},
        EditCase{"PaintFace", [](CCentigrade& s) { PaintFace(s, 1, 0); }, kNone, kTopology},
        EditCase{"DeleteFace", [](CCentigrade& s) { DeleteFace(s, 0, 0); }, kTopologyAndMarks,
                 kNone},
        EditCase{"Normals", [](CCentigrade& s) { s.ComputeAllNormals(); }, kNormals, kNormals},
        EditCase{"Everything", [](CCentigrade& s) { s.models[1].Touch(); }, kNone, kAll}),
    [](const testing::TestParamInfo<EditCase>& info) { return info.param.name; });

TEST(PositionChanges, ASpanHoldsWhileTheSameVerticesMove) {
    CModel model = MakeQuadGrid(4);
    const std::uint64_t built = model.positionsRevision;
    EXPECT_EQ(model.PositionChangesSince(built).end, 0u) << "nothing moved yet";

    model.TouchPositions(3, 7);
    const std::uint64_t oneStep = model.positionsRevision;
    model.TouchPositions(3, 7);
    model.TouchPositions(4, 6);
    for (std::uint64_t seen : {built, oneStep}) {
        EXPECT_EQ(model.PositionChangesSince(seen).first, 3u);
        EXPECT_EQ(model.PositionChangesSince(seen).end, 7u);
    }

    // Other vertices moved: a cache that saw the earlier steps needs everything.
    model.TouchPositions(10, 12);
    EXPECT_EQ(model.PositionChangesSince(oneStep).end, model.vertices.size());
    const VertexSpan latest = model.PositionChangesSince(model.positionsRevision - 1);
    EXPECT_EQ(latest.first, 10u);
    EXPECT_EQ(latest.end, 12u);

    const std::uint64_t beforeTouch = model.positionsRevision;
    model.Touch();
    EXPECT_EQ(model.PositionChangesSince(beforeTouch).first, 0u);
    EXPECT_EQ(model.PositionChangesSince(beforeTouch).end, model.vertices.size());
}

TEST(SelectionChanges, SpansAddUpUntilAWholeTouch) {
    CModel model = MakeQuadGrid(4);
    const std::uint64_t built = model.selectionRevision;
    model.TouchSelection({2, 3}, {});
    const std::uint64_t oneClick = model.selectionRevision;
    model.TouchSelection({}, {5, 6});
    model.TouchSelection({8, 9}, {1, 2});
    for (std::uint64_t seen : {built, oneClick}) {
        const SelectionChanges changed = model.SelectionChangesSince(seen);
        EXPECT_EQ(changed.vertices.first, 2u);
        EXPECT_EQ(changed.vertices.end, 9u);
        EXPECT_EQ(changed.faces.first, 1u);
        EXPECT_EQ(changed.faces.end, 6u);
    }
    EXPECT_TRUE(model.SelectionChangesSince(model.selectionRevision).vertices.Empty());

    model.TouchSelection();
    const std::uint64_t whole = model.selectionRevision;
    model.TouchSelection({0, 1}, {});
    EXPECT_EQ(model.SelectionChangesSince(whole).vertices.end, 1u);
    EXPECT_TRUE(model.SelectionChangesSince(whole).faces.Empty());
    EXPECT_EQ(model.SelectionChangesSince(oneClick).faces.end, model.faces.size());
}

}  // namespace
