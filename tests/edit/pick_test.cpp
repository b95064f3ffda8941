#include "edit/pick.h"

#include <gtest/gtest.h>

#include <limits>

#include "edit/gizmo.h"
#include "edit/pick_clip.h"
#include "face_builder.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

// One quad of side 200 at height y, facing up: clockwise seen from above, where
// +x runs right and +z down the screen.
void AddQuad(CModel& m, float y) {
    const int base = static_cast<int>(m.vertices.size());
    m.vertices.emplace_back(-100.0f, y, -100.0f);
    m.vertices.emplace_back(100.0f, y, -100.0f);
    m.vertices.emplace_back(100.0f, y, 100.0f);
    m.vertices.emplace_back(-100.0f, y, 100.0f);
    m.faces.push_back(MakeFace({base, base + 1, base + 2, base + 3}));
}

CModel LoneVertex(const CVector& p) {
    CModel m;
    m.vertices.push_back(p);
    return m;
}

bool PickAt(CCentigrade& scene, ClientPoint p) {
    return Pick(scene, p.x, p.y);
}

TEST(Pick, ClickThreePixelsFromAVertexHitsIt) {
    for (const auto& [dx, dy] : {std::pair{3, 0}, {-3, 0}, {0, 3}, {3, -3}}) {
        CCentigrade scene = TopViewScene(LoneVertex(CVector(30, 0, 20)));
        EXPECT_TRUE(PickAt(scene, ClientOf(scene, CVector(30, 0, 20), dx, dy)));
        EXPECT_TRUE(scene.models[0].vertices[0].selected);
    }
}

TEST(Pick, NonFiniteVerticesAreNeverHit) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    CModel m = LoneVertex(CVector(nan, 0, 0));
    AddQuad(m, 0);
    m.vertices[1] = CVector(nan, nan, nan);
    CCentigrade scene = TopViewScene(m);
    scene.edgeSelectable = true;
    EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(300, 0, 300))));
    scene.toolMode = ToolRangeSelect;
    scene.rubberBand[0] = scene.rubberBand[1] = 0;
    scene.rubberBand[2] = 800;
    scene.rubberBand[3] = 600;
    Pick(scene, 0, 0);
    EXPECT_FALSE(scene.models[0].vertices[0].selected);
    EXPECT_FALSE(scene.models[0].vertices[1].selected);
    EXPECT_TRUE(scene.models[0].vertices[2].selected);
}

TEST(Pick, ClickFivePixelsFromAVertexMissesIt) {
    for (const auto& [dx, dy] : {std::pair{5, 0}, {-5, 0}, {0, 5}, {0, -5}}) {
        CCentigrade scene = TopViewScene(LoneVertex(CVector(30, 0, 20)));
        EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(30, 0, 20), dx, dy)));
        EXPECT_FALSE(scene.models[0].vertices[0].selected);
    }
}

TEST(Pick, VertexHiddenBehindAFaceIsStillHitAndBeatsTheFace) {
    CModel m;
    AddQuad(m, 0);
    m.vertices.emplace_back(10.0f, -100.0f, 10.0f);
    CCentigrade scene = TopViewScene(std::move(m));
    const ClientPoint click = ClientOf(scene, CVector(10, -100, 10));
    const PickResult result =
        ResolveHits(CollectHits(scene, ClickPickWindow(scene, click.x, click.y)));
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[1].kind, PickKind::Face);
    EXPECT_LT(result.records[1].depth, result.records[0].depth);
    EXPECT_EQ(result.best.kind, PickKind::Vertex);
    EXPECT_EQ(result.best.element, 4);
}

TEST(Pick, ClickOnAFaceNearItsCornerPicksTheVertex) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(4, 50));
    scene.edgeSelectable = true;
    const CVector& corner = scene.models[0].vertices[6];
    ASSERT_TRUE(PickAt(scene, ClientOf(scene, corner, 2, 2)));
    EXPECT_TRUE(scene.models[0].vertices[6].selected);
    for (const CFace& f : scene.models[0].faces) {
        EXPECT_FALSE(f.selected);
        for (bool e : f.edgeSelected) {
            EXPECT_FALSE(e);
        }
    }
}

TEST(Pick, NearerFaceWins) {
    CModel m;
    AddQuad(m, 0);
    AddQuad(m, 50);
    CCentigrade scene = TopViewScene(std::move(m));
    scene.vertexSelectable = false;
    ASSERT_TRUE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
    EXPECT_FALSE(scene.models[0].faces[0].selected);
    EXPECT_TRUE(scene.models[0].faces[1].selected);
}

TEST(Pick, EqualDepthPicksTheLowerObjectThenTheLowerFace) {
    CModel m;
    AddQuad(m, 0);
    AddQuad(m, 0);
    CCentigrade scene = TopViewScene(m);
    scene.models.push_back(m);
    scene.vertexSelectable = false;
    ASSERT_TRUE(PickAt(scene, ClientOf(scene, CVector(20, 0, 0))));
    EXPECT_TRUE(scene.models[0].faces[0].selected);
    EXPECT_FALSE(scene.models[0].faces[1].selected);
    EXPECT_FALSE(scene.models[1].faces[0].selected);
}

TEST(Pick, FacesSeenFromBehindAreCulled) {
    CModel m;
    AddQuad(m, 0);
    CCentigrade scene = TopViewScene(std::move(m));
    scene.vertexSelectable = false;
    scene.camera.rotation = CVector(-90, 0, 0);
    EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
    scene.camera.rotation = CVector(90, 0, 0);
    EXPECT_TRUE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
}

TEST(Pick, FaceLargerThanTheWindowIsHitInsideIt) {
    CModel m;
    AddQuad(m, 0);
    CCentigrade scene = TopViewScene(std::move(m));
    scene.vertexSelectable = false;
    const PickWindow window = ClickPickWindow(scene, 400, 300);
    const auto hits = CollectHits(scene, window);
    ASSERT_EQ(hits.size(), 1u);
    // The nearest point of the clipped quad, not a corner of the whole quad.
    EXPECT_FLOAT_EQ(hits[0].depth, SelectBufferDepth(WindowOf(scene, CVector(0, 0, 0)).z));
}

TEST(Pick, LineFaceIsPickedAsAnEdgeOnly) {
    CModel m;
    m.vertices.emplace_back(-100.0f, 0.0f, 0.0f);
    m.vertices.emplace_back(100.0f, 0.0f, 0.0f);
    m.faces.push_back(MakeFace({0, 1}));
    CCentigrade scene = TopViewScene(std::move(m));
    scene.vertexSelectable = false;
    EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
    scene.edgeSelectable = true;
    ASSERT_TRUE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
    EXPECT_TRUE(scene.models[0].faces[0].edgeSelected[0]);
    EXPECT_FALSE(scene.models[0].faces[0].selected);
}

TEST(Pick, LockedAndHiddenObjectsAreNeverHit) {
    for (int state : {1, 2, 3}) {
        CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
        scene.models[0].state = state;
        EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
        EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(50, 0, 50))));
    }
}

TEST(Pick, PickObjectModeWithoutSelectableFacesHitsNothing) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.camera.rotation = CVector(-90, 0, 0);  // the generated grid faces -y
    scene.models.push_back(scene.models[0]);
    scene.selectMode = SelectPickObject;
    scene.currentModel = 1;
    scene.faceSelectable = false;
    EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(50, 0, 50))));
    EXPECT_EQ(scene.currentModel, 1);
    scene.faceSelectable = true;
    EXPECT_TRUE(PickAt(scene, ClientOf(scene, CVector(50, 0, 50))));
    EXPECT_EQ(scene.currentModel, 0);
}

TEST(Pick, ToolsWithoutPickShapesHitNothing) {
    for (int tool : {ToolNone, ToolObjectForm, ToolMaterialForm}) {
        CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
        scene.toolMode = tool;
        EXPECT_FALSE(PickAt(scene, ClientOf(scene, CVector(0, 0, 0))));
    }
}

TEST(Pick, RangeWindowIsTheNormalisedRubberBand) {
    CCentigrade scene = TopViewScene(CModel());
    scene.rubberBand[0] = 300;
    scene.rubberBand[1] = 200;
    scene.rubberBand[2] = 100;
    scene.rubberBand[3] = 51;
    const PickWindow w = RangePickWindow(scene);
    EXPECT_EQ(w.x, 200);
    EXPECT_EQ(w.y, 600 - 125);
    EXPECT_EQ(w.width, 200);
    EXPECT_EQ(w.height, 149);
    EXPECT_EQ(scene.rubberBand[0], 100);
    EXPECT_EQ(scene.rubberBand[1], 51);
    EXPECT_EQ(scene.rubberBand[2], 300);
    EXPECT_EQ(scene.rubberBand[3], 200);
}

TEST(Pick, RangeOfOnePointUsesAOnePixelWindow) {
    CCentigrade scene = TopViewScene(CModel());
    for (int& side : scene.rubberBand) {
        side = 40;
    }
    const PickWindow w = RangePickWindow(scene);
    EXPECT_EQ(w.width, 1);
    EXPECT_EQ(w.height, 1);
    scene.rubberBand[2] = 41;
    EXPECT_EQ(RangePickWindow(scene).width, 1);
}

TEST(Pick, RangePickHasNoHitLimit) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(200, 1.0f));
    scene.toolMode = ToolRangeSelect;
    scene.rubberBand[0] = 0;
    scene.rubberBand[1] = 0;
    scene.rubberBand[2] = 800;
    scene.rubberBand[3] = 600;
    ASSERT_TRUE(Pick(scene, 0, 0));
    for (const CVector& v : scene.models[0].vertices) {
        ASSERT_TRUE(v.selected);
    }
    EXPECT_GT(scene.models[0].vertices.size(), 16666u);
}

CCentigrade ManipulatorScene(int tool) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.models[0].vertices[4].selected = true;
    scene.toolMode = tool;
    UpdateGizmo(scene);
    return scene;
}

TEST(Pick, PressOffTheManipulatorLeavesTheHandleUnsetAndTheSelectionAlone) {
    CCentigrade scene = ManipulatorScene(ToolMove);
    scene.hitIndex = HandleY;
    EXPECT_FALSE(Pick(scene, 20, 20));
    EXPECT_EQ(scene.hitIndex, HandleNone);
    EXPECT_TRUE(scene.models[0].vertices[4].selected);
}

TEST(Pick, PressOnAnAxisHandleRecordsItOnly) {
    CCentigrade scene = ManipulatorScene(ToolMove);
    scene.camera.rotation = CVector(0, 0, 0);
    // The x arrow of the manipulator at the grid centre, 90 manipulator units out.
    ASSERT_TRUE(PickAt(scene, ClientOf(scene, CVector(90 * 0.6f, 0, 0))));
    EXPECT_EQ(scene.hitIndex, HandleX);
    EXPECT_TRUE(scene.models[0].vertices[4].selected);
    EXPECT_TRUE(PickAt(scene, ClientOf(scene, CVector(0, 90 * 0.6f, 0))));
    EXPECT_EQ(scene.hitIndex, HandleY);
}

TEST(Pick, CentreHandleWinsOverAnAxisUnderTheWindow) {
    for (int tool : {ToolMove, ToolRotate, ToolScale}) {
        CCentigrade scene = ManipulatorScene(tool);
        // Looking down the x axis: the x handle lies in front of the centre cube.
        scene.camera.rotation = CVector(0, -90, 0);
        const ClientPoint centre = ClientOf(scene, CVector(0, 0, 0));
        const PickResult result =
            ResolveHits(CollectHits(scene, ClickPickWindow(scene, centre.x, centre.y)));
        ASSERT_GE(result.records.size(), 2u) << tool;
        EXPECT_EQ(result.records[0].element, HandleCenter);
        EXPECT_EQ(result.handle, HandleCenter);
        ASSERT_TRUE(Pick(scene, centre.x, centre.y));
        EXPECT_EQ(scene.hitIndex, HandleCenter);
    }
}

TEST(Pick, ScaleHandlesAreOfferedZThenYThenX) {
    CCentigrade scene = ManipulatorScene(ToolScale);
    scene.camera.rotation = CVector(0, 0, 0);
    scene.fov = 150;  // everything within a few pixels of the centre
    const ClientPoint centre = ClientOf(scene, CVector(0, 0, 0));
    const auto records = CollectHits(scene, ClickPickWindow(scene, centre.x, centre.y));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].element, HandleCenter);
    EXPECT_EQ(records[1].element, HandleZ);
    EXPECT_EQ(records[2].element, HandleY);
    EXPECT_EQ(records[3].element, HandleX);
}

TEST(Pick, MissWithoutShiftClearsTheSelectionInNormalMode) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.models[0].vertices[0].selected = true;
    scene.keyFlag = true;
    EXPECT_FALSE(Pick(scene, 5, 5));
    EXPECT_TRUE(scene.models[0].vertices[0].selected);
    scene.selectMode = SelectBelt;
    scene.keyFlag = false;
    EXPECT_FALSE(Pick(scene, 5, 5));
    EXPECT_TRUE(scene.models[0].vertices[0].selected);
    scene.selectMode = SelectConnected;
    EXPECT_FALSE(Pick(scene, 5, 5));
    EXPECT_FALSE(scene.models[0].vertices[0].selected);
}

TEST(Pick, SelectBufferDepthUsesTheZeroToTwoScale) {
    EXPECT_EQ(SelectBufferDepth(0.0), 0.0f);
    EXPECT_FLOAT_EQ(SelectBufferDepth(0.5), 1.0f);
    EXPECT_EQ(SelectBufferDepth(1.0), 2.0f);
}

TEST(Pick, ViewWithoutAreaHitsNothing) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(2, 100));
    scene.viewHeight = 0;
    EXPECT_FALSE(Pick(scene, 400, 0));
}

}  // namespace
