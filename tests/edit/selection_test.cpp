#include <gtest/gtest.h>

#include "edit/edge_numbering.h"
#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "face_builder.h"
#include "support/mesh_generators.h"

namespace {

PickResult Hit(PickKind kind, int object, int element) {
    PickResult r;
    r.best = {kind, object, element, 0.5f};
    r.records.push_back(r.best);
    return r;
}

CCentigrade GridScene(int tool = ToolSelect, int mode = SelectNormal) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(3, 10));
    scene.toolMode = tool;
    scene.selectMode = mode;
    return scene;
}

CFace& Face(CCentigrade& scene, int i) {
    return scene.models[0].faces[static_cast<std::size_t>(i)];
}
CVector& Vertex(CCentigrade& scene, int i) {
    return scene.models[0].vertices[static_cast<std::size_t>(i)];
}

int SelectedEdgeCount(const CCentigrade& scene) {
    int count = 0;
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            for (bool e : f.edgeSelected) {
                count += e ? 1 : 0;
            }
        }
    }
    return count;
}

TEST(Selection, ClickReplacesAndShiftClickTogglesVertices) {
    CCentigrade scene = GridScene();
    ProcessHits(scene, Hit(PickKind::Vertex, 0, 1));
    ProcessHits(scene, Hit(PickKind::Vertex, 0, 2));
    EXPECT_FALSE(Vertex(scene, 1).selected);
    EXPECT_TRUE(Vertex(scene, 2).selected);
    scene.keyFlag = true;
    ProcessHits(scene, Hit(PickKind::Vertex, 0, 5));
    EXPECT_TRUE(Vertex(scene, 2).selected);
    EXPECT_TRUE(Vertex(scene, 5).selected);
    ProcessHits(scene, Hit(PickKind::Vertex, 0, 5));
    EXPECT_FALSE(Vertex(scene, 5).selected);
    EXPECT_TRUE(Vertex(scene, 2).selected);
}

TEST(Selection, ShiftClickOnAFaceInvertsEachEdgeOnItsOwn) {
    CCentigrade scene = GridScene();
    Face(scene, 4).SetEdgeSelected(1, true);
    scene.keyFlag = true;
    ProcessHits(scene, Hit(PickKind::Face, 0, 4));
    EXPECT_TRUE(Face(scene, 4).selected);
    EXPECT_EQ(Face(scene, 4).edgeSelected, (SmallArray<bool, 4>{true, false, true, true}));
    scene.keyFlag = false;
    ProcessHits(scene, Hit(PickKind::Face, 0, 3));
    EXPECT_FALSE(Face(scene, 4).selected);
    EXPECT_TRUE(Face(scene, 3).selected);
    EXPECT_EQ(Face(scene, 3).edgeSelected, (SmallArray<bool, 4>{true, true, true, true}));
    EXPECT_EQ(SelectedEdgeCount(scene), 4);
}

TEST(Selection, ClickOnAnEdgeSelectsOnlyTheFlagOfTheFaceHit) {
    CCentigrade scene = GridScene();
    // Edge numbers run four per quad: number 6 is edge 2 of face 1.
    ProcessHits(scene, Hit(PickKind::Edge, 0, 6));
    EXPECT_TRUE(Face(scene, 1).IsEdgeSelected(2));
    EXPECT_EQ(SelectedEdgeCount(scene), 1);
    EXPECT_FALSE(Face(scene, 1).selected);
    scene.keyFlag = true;
    ProcessHits(scene, Hit(PickKind::Edge, 0, 6));
    EXPECT_EQ(SelectedEdgeCount(scene), 0);
}

TEST(Selection, EdgeNumbersSkipFacesOfOtherSizes) {
    CModel m;
    m.vertices.resize(6);
    for (std::initializer_list<int> corners :
         {std::initializer_list<int>{0, 1}, {0}, {0, 1, 2}, {0, 1, 2, 3}, {0, 1, 2, 3, 4}}) {
        CFace f;
        f.indices.assign(corners.begin(), corners.end());
        m.faces.push_back(f);
    }
    EXPECT_EQ(LocateEdge(m, 0).face, 0);
    EXPECT_EQ(LocateEdge(m, 1).face, 2);
    EXPECT_EQ(LocateEdge(m, 3).corner, 2);
    EXPECT_EQ(LocateEdge(m, 4).face, 3);
    EXPECT_EQ(LocateEdge(m, 7).corner, 3);
    EXPECT_EQ(LocateEdge(m, 8).face, -1);
}

TEST(Selection, ConnectedModeTogglesByTheClickedFaceAndNeverClearsFirst) {
    CCentigrade scene = GridScene(ToolSelect, SelectConnected);
    CModel second = MakeQuadGrid(1);
    scene.models.push_back(second);
    scene.models[1].vertices[0].selected = true;
    ProcessHits(scene, Hit(PickKind::Face, 0, 4));
    for (const CFace& f : scene.models[0].faces) {
        EXPECT_TRUE(f.selected);
    }
    EXPECT_FALSE(scene.models[1].faces[0].selected);
    EXPECT_TRUE(scene.models[1].vertices[0].selected);
    ProcessHits(scene, Hit(PickKind::Face, 0, 0));
    for (const CFace& f : scene.models[0].faces) {
        EXPECT_FALSE(f.selected);
    }
    // Only face hits act in this mode.
    ProcessHits(scene, Hit(PickKind::Vertex, 0, 0));
    EXPECT_FALSE(Face(scene, 0).selected);
}

TEST(Selection, BeltModeWalksFromTheClickedEdgeAndToggles) {
    CCentigrade scene = GridScene(ToolSelect, SelectBelt);
    // Edge 1 of face 4 (the centre quad) runs along x; the belt crosses it and
    // runs along z through faces 1, 4 and 7.
    ProcessHits(scene, Hit(PickKind::Edge, 0, 4 * 4 + 1));
    for (int i = 0; i < 9; ++i) {
        const bool onBelt = i % 3 == 1;
        for (bool e : Face(scene, i).edgeSelected) {
            EXPECT_EQ(e, onBelt) << i;
        }
    }
    ProcessHits(scene, Hit(PickKind::Edge, 0, 4 * 4 + 1));
    EXPECT_EQ(SelectedEdgeCount(scene), 0);
}

TEST(Selection, BeltModeIgnoresLineFaces) {
    CCentigrade scene = GridScene(ToolSelect, SelectBelt);
    const CFace line = MakeFace({0, 1});
    scene.models[0].faces.push_back(line);
    ProcessHits(scene, Hit(PickKind::Edge, 0, 9 * 4));
    EXPECT_EQ(SelectedEdgeCount(scene), 0);
}

TEST(Selection, PickObjectModeChangesOnlyTheCurrentObject) {
    CCentigrade scene = GridScene(ToolSelect, SelectPickObject);
    scene.models.push_back(MakeQuadGrid(1));
    Face(scene, 2).selected = true;
    ProcessHits(scene, Hit(PickKind::Face, 1, 0));
    EXPECT_EQ(scene.currentModel, 1);
    EXPECT_TRUE(Face(scene, 2).selected);
    EXPECT_FALSE(scene.models[1].faces[0].selected);
}

TEST(Selection, BrushModeChangesNothing) {
    CCentigrade scene = GridScene(ToolSelect, SelectBrush);
    Face(scene, 2).selected = true;
    ProcessHits(scene, Hit(PickKind::Face, 0, 3));
    EXPECT_TRUE(Face(scene, 2).selected);
    EXPECT_FALSE(Face(scene, 3).selected);
}

TEST(Selection, HandleHitSetsOnlyTheHandle) {
    CCentigrade scene = GridScene(ToolMove);
    Vertex(scene, 3).selected = true;
    Vertex(scene, 3).mark = true;
    PickResult r = Hit(PickKind::Handle, kNoObject, HandleZ);
    r.handle = HandleZ;
    ProcessHits(scene, r);
    EXPECT_EQ(scene.hitIndex, HandleZ);
    EXPECT_TRUE(Vertex(scene, 3).selected);
    EXPECT_TRUE(Vertex(scene, 3).mark);
}

PickResult RangeOver(std::initializer_list<int> vertices) {
    PickResult r;
    for (int v : vertices) {
        r.records.push_back({PickKind::Vertex, 0, v, 0.5f});
    }
    r.best = r.records.front();
    return r;
}

TEST(Selection, RangeWithOnlyFacesSelectableTakesWholeFacesAsEdges) {
    CCentigrade scene = GridScene(ToolRangeSelect);
    scene.vertexSelectable = false;
    // Vertices 0, 4, 5, 1 are the corners of face 0; 2 is one more corner of face 1.
    ProcessHits(scene, RangeOver({0, 1, 4, 5, 2}));
    EXPECT_FALSE(Vertex(scene, 0).selected);
    EXPECT_FALSE(Face(scene, 0).selected);
    EXPECT_EQ(Face(scene, 0).edgeSelected, (SmallArray<bool, 4>{true, true, true, true}));
    EXPECT_EQ(SelectedEdgeCount(scene), 4);
    UpdateGizmo(scene);
    EXPECT_TRUE(Vertex(scene, 0).mark);
    EXPECT_FALSE(Vertex(scene, 2).mark);
}

TEST(Selection, RangeWithOnlyEdgesSelectableTakesEdgesWithBothEnds) {
    CCentigrade scene = GridScene(ToolRangeSelect);
    scene.vertexSelectable = false;
    scene.faceSelectable = false;
    scene.edgeSelectable = true;
    const CFace line = MakeFace({0, 1});
    scene.models[0].faces.push_back(line);
    ProcessHits(scene, RangeOver({0, 1, 2}));
    // Face 0 is (0, 4, 5, 1): its edge 3 runs 1 -> 0. Face 1 is (1, 5, 6, 2).
    EXPECT_TRUE(Face(scene, 0).IsEdgeSelected(3));
    EXPECT_TRUE(Face(scene, 1).IsEdgeSelected(3));
    EXPECT_EQ(SelectedEdgeCount(scene), 2);
    EXPECT_FALSE(scene.models[0].faces.back().IsEdgeSelected(0));
}

TEST(Selection, RangeWithShiftAddsAndWithoutReplaces) {
    CCentigrade scene = GridScene(ToolRangeSelect);
    Vertex(scene, 15).selected = true;
    scene.keyFlag = true;
    ProcessHits(scene, RangeOver({0}));
    EXPECT_TRUE(Vertex(scene, 15).selected);
    EXPECT_TRUE(Vertex(scene, 0).selected);
    scene.keyFlag = false;
    ProcessHits(scene, RangeOver({1}));
    EXPECT_FALSE(Vertex(scene, 15).selected);
    EXPECT_FALSE(Vertex(scene, 0).selected);
    EXPECT_TRUE(Vertex(scene, 1).selected);
}

TEST(Selection, RangeTakesVerticesOfNoFace) {
    CCentigrade scene = GridScene(ToolRangeSelect);
    scene.models[0].vertices.emplace_back(500.0f, 0.0f, 0.0f);
    ProcessHits(scene, RangeOver({16}));
    EXPECT_TRUE(Vertex(scene, 16).selected);
}

TEST(Selection, ClearSelectionLeavesMarksAndVisitedAlone) {
    CCentigrade scene = GridScene();
    scene.models[0].state = 1;
    Vertex(scene, 1).selected = true;
    Vertex(scene, 1).mark = true;
    Face(scene, 1).selected = true;
    Face(scene, 1).visited = true;
    Face(scene, 1).SetAllEdges(true);
    ClearSelection(scene);
    EXPECT_FALSE(Vertex(scene, 1).selected);
    EXPECT_FALSE(Face(scene, 1).selected);
    EXPECT_EQ(SelectedEdgeCount(scene), 0);
    EXPECT_TRUE(Vertex(scene, 1).mark);
    EXPECT_TRUE(Face(scene, 1).visited);
    ClearMarks(scene);
    EXPECT_FALSE(Vertex(scene, 1).mark);
}

}  // namespace
