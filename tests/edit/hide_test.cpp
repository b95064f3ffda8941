// Hiding and showing faces: what hides with them, what picking and the
// selection modes still reach, and files that never see it.
#include <gtest/gtest.h>

#include <set>

#include "edit/belt.h"
#include "edit/flood.h"
#include "edit/gizmo.h"
#include "edit/hide.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "edit/selection_sets.h"
#include "exchange/mqo_writer.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"
#include "support/test_files.h"
#include "view_helpers.h"

namespace {

// On the 4 × 4 grid vertex (x, z) is z * 5 + x and face (x, z) is z * 4 + x.
int G(int x, int z) {
    return z * 5 + x;
}
int F(int x, int z) {
    return z * 4 + x;
}

// The grid with its faces turned to face the top view.
CModel UpGrid(int cells, float size) {
    CModel m = MakeQuadGrid(cells, size);
    for (CFace& f : m.faces) {
        std::swap(f.indices[1], f.indices[3]);
    }
    return m;
}

std::set<int> HiddenFaces(const CModel& m) {
    std::set<int> faces;
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        if (m.faces[r].hidden) {
            faces.insert(static_cast<int>(r));
        }
    }
    return faces;
}

std::set<int> Hidden(const std::vector<bool>& vertices) {
    std::set<int> hidden;
    for (std::size_t v = 0; v < vertices.size(); ++v) {
        if (vertices[v]) {
            hidden.insert(static_cast<int>(v));
        }
    }
    return hidden;
}

bool AnySelection(const CModel& m, const std::set<int>& faces) {
    for (int r : faces) {
        const CFace& f = m.faces[static_cast<std::size_t>(r)];
        if (f.selected || std::count(f.edgeSelected.begin(), f.edgeSelected.end(), true) > 0) {
            return true;
        }
    }
    return false;
}

void Click(CCentigrade& scene, int face) {
    CFace& f = scene.models[0].faces[static_cast<std::size_t>(face)];
    f.selected = true;
    f.SetAllEdges(true);
    UpdateGizmo(scene);
}

TEST(Hide, SelectedFacesHideWithTheVerticesOnlyTheyUse) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    CModel& grid = scene.models[0];
    // A range over the first two rows of vertices takes the first row of faces.
    for (int x = 0; x <= 4; ++x) {
        grid.vertices[static_cast<std::size_t>(G(x, 0))].selected = true;
        grid.vertices[static_cast<std::size_t>(G(x, 1))].selected = true;
    }
    grid.faces[static_cast<std::size_t>(F(0, 1))].SetEdgeSelected(3, true);  // (1, 1)-(0, 1)
    UpdateGizmo(scene);
    const std::uint64_t topology = grid.topologyRevision;
    HideSelected(scene);
    EXPECT_EQ(HiddenFaces(grid), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(Hidden(HiddenVertices(grid)), (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_NE(grid.topologyRevision, topology);
    // Nothing of the hidden row stays selected, nor its corners on row 1, nor
    // the edge between them.
    for (const CVector& v : grid.vertices) {
        EXPECT_FALSE(v.selected);
    }
    EXPECT_FALSE(AnySelection(grid, {0, 1, 2, 3, 4}));
    EXPECT_FALSE(scene.showGizmo);
}

TEST(Hide, OthersHideAroundTheSelectionWhichStays) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    CModel& grid = scene.models[0];
    Click(scene, F(1, 1));
    grid.vertices[static_cast<std::size_t>(G(4, 4))].selected = true;
    HideUnselected(scene);
    EXPECT_EQ(HiddenFaces(grid).size(), 15u);
    EXPECT_FALSE(grid.faces[static_cast<std::size_t>(F(1, 1))].hidden);
    EXPECT_TRUE(grid.faces[static_cast<std::size_t>(F(1, 1))].selected);
    EXPECT_EQ(Hidden(HiddenVertices(grid)).size(), 21u);
    EXPECT_FALSE(grid.vertices[static_cast<std::size_t>(G(4, 4))].selected);
    EXPECT_TRUE(scene.showGizmo);
}

TEST(Hide, RevealShowsAndAddsWhatWasHidden) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    CModel& grid = scene.models[0];
    Click(scene, F(0, 0));
    HideSelected(scene);
    Click(scene, F(3, 3));
    const std::uint64_t topology = grid.topologyRevision;
    RevealHidden(scene);
    EXPECT_TRUE(HiddenFaces(grid).empty());
    EXPECT_TRUE(HiddenVertices(grid).empty());
    EXPECT_NE(grid.topologyRevision, topology);
    EXPECT_TRUE(grid.faces[static_cast<std::size_t>(F(0, 0))].selected);
    EXPECT_TRUE(grid.faces[static_cast<std::size_t>(F(3, 3))].selected);
    EXPECT_TRUE(grid.vertices[0].selected);
    EXPECT_TRUE(grid.vertices[0].mark);
    // Nothing to show: nothing changes.
    const std::uint64_t shown = grid.revision;
    RevealHidden(scene);
    EXPECT_EQ(grid.revision, shown);
}

TEST(Hide, LeavesLockedAndHiddenObjectsAlone) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(2, 10));
    scene.models.push_back(MakeQuadGrid(2, 10));
    scene.models[0].state = 1;
    scene.models[1].state = 3;
    for (CModel& m : scene.models) {
        m.faces[0].selected = true;
    }
    HideSelected(scene);
    HideUnselected(scene);
    for (const CModel& m : scene.models) {
        EXPECT_TRUE(HiddenFaces(m).empty());
    }
}

TEST(Hide, FilesAreTheSameWhetherFacesAreHiddenOrNot) {
    TempFolder folder;
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    scene.models.push_back(MakeCylinder(6, 2, 10, 10));
    const auto save = [&](const std::string& name) {
        SaveNativeDocument(folder.Path() / (name + ".qvl"), scene);
        SaveMQO(scene, folder.Path() / (name + ".mqo"));
        return ReadFileBytes(folder.Path() / (name + ".qvl")).size() > 0 &&
               ReadFileBytes(folder.Path() / (name + ".mqo")).size() > 0;
    };
    ASSERT_TRUE(save("before"));
    Click(scene, F(1, 1));
    scene.models[1].faces[2].selected = true;
    HideSelected(scene);
    ASSERT_FALSE(HiddenFaces(scene.models[1]).empty());
    ASSERT_TRUE(save("hidden"));
    RevealHidden(scene);
    ASSERT_TRUE(save("revealed"));
    for (const char* extension : {".qvl", ".mqo"}) {
        const Bytes before = ReadFileBytes(folder.Path() / (std::string("before") + extension));
        EXPECT_EQ(ReadFileBytes(folder.Path() / (std::string("hidden") + extension)), before)
            << extension;
        EXPECT_EQ(ReadFileBytes(folder.Path() / (std::string("revealed") + extension)), before)
            << extension;
    }
}

// The grid seen from the top, face (1, 1) hidden, everything selectable.
CCentigrade PickScene() {
    CCentigrade scene = TopViewScene(UpGrid(4, 40));
    scene.edgeSelectable = true;
    Click(scene, F(1, 1));
    HideSelected(scene);
    return scene;
}

CVector FaceCentre(const CModel& m, int face) {
    CVector centre;
    for (int v : m.faces[static_cast<std::size_t>(face)].indices) {
        centre += m.vertices[static_cast<std::size_t>(v)];
    }
    return CVector(centre.x / 4, centre.y / 4, centre.z / 4);
}

TEST(Hide, ClicksPassHiddenFacesEdgesAndVertices) {
    CCentigrade scene = PickScene();
    CModel& grid = scene.models[0];
    grid.vertices.emplace_back(FaceCentre(grid, F(1, 1)));  // inside the hole
    const std::vector<PickHit> hits = [&] {
        const ClientPoint c = ClientOf(scene, FaceCentre(grid, F(1, 1)));
        return CollectHits(scene, ClickPickWindow(scene, c.x, c.y));
    }();
    // Only the loose vertex: neither the hidden face nor its edges.
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].kind, PickKind::Vertex);
    EXPECT_EQ(hits[0].element, 25);

    // Vertex (1, 1) has visible faces around it; a vertex of the hidden face
    // alone is picked nowhere. Hide face (0, 0) too: vertex (0, 0) goes.
    Click(scene, F(0, 0));
    HideSelected(scene);
    const ClientPoint corner = ClientOf(scene, grid.vertices[0]);
    for (const PickHit& hit : CollectHits(scene, ClickPickWindow(scene, corner.x, corner.y))) {
        EXPECT_FALSE(hit.kind == PickKind::Vertex && hit.element == 0);
        EXPECT_FALSE(hit.kind == PickKind::Face &&
                     grid.faces[static_cast<std::size_t>(hit.element)].hidden);
    }
    const ClientPoint shared = ClientOf(scene, grid.vertices[static_cast<std::size_t>(G(1, 1))]);
    EXPECT_TRUE(Pick(scene, shared.x, shared.y));
    EXPECT_TRUE(grid.vertices[static_cast<std::size_t>(G(1, 1))].selected);
}

TEST(Hide, RangesTakeNoHiddenVertexOrFace) {
    for (bool xray : {false, true}) {
        CCentigrade scene = PickScene();
        scene.toolMode = ToolRangeSelect;
        scene.xray = xray;
        scene.rubberBand[2] = 800;
        scene.rubberBand[3] = 600;
        ASSERT_TRUE(Pick(scene, 0, 0));
        const CModel& grid = scene.models[0];
        EXPECT_FALSE(AnySelection(grid, {F(1, 1)}));
        EXPECT_TRUE(grid.faces[static_cast<std::size_t>(F(2, 1))].IsEdgeSelected(0));
        int selected = 0;
        for (const CVector& v : grid.vertices) {
            selected += v.selected ? 1 : 0;
        }
        EXPECT_EQ(selected, 25);
        // Hiding a corner face leaves its own corner out of the next range.
        ClearSelection(scene);
        Click(scene, F(3, 3));
        HideSelected(scene);
        scene.rubberBand[0] = scene.rubberBand[1] = 0;
        scene.rubberBand[2] = 800;
        scene.rubberBand[3] = 600;
        ASSERT_TRUE(Pick(scene, 0, 0));
        EXPECT_FALSE(grid.vertices[static_cast<std::size_t>(G(4, 4))].selected);
        EXPECT_FALSE(AnySelection(grid, {F(1, 1), F(3, 3)}));
    }
}

TEST(Hide, ConnectedAndBeltSelectionPassHiddenFaces) {
    CModel strip = MakeQuadGrid(4, 10);
    strip.faces[static_cast<std::size_t>(F(1, 0))].hidden = true;
    strip.faces[static_cast<std::size_t>(F(1, 1))].hidden = true;
    strip.faces[static_cast<std::size_t>(F(1, 2))].hidden = true;
    strip.faces[static_cast<std::size_t>(F(1, 3))].hidden = true;
    CModel flooded = strip;
    FloodSelect(flooded, F(0, 0), true);
    for (int z = 0; z < 4; ++z) {
        EXPECT_TRUE(flooded.faces[static_cast<std::size_t>(F(0, z))].selected);
        EXPECT_FALSE(flooded.faces[static_cast<std::size_t>(F(1, z))].selected);
        EXPECT_FALSE(flooded.faces[static_cast<std::size_t>(F(2, z))].selected);
    }
    // A belt across row 0 from face (0, 0) stops at the hidden column.
    SelectRing(strip, F(0, 0), 0, true);
    EXPECT_TRUE(strip.faces[static_cast<std::size_t>(F(0, 0))].IsEdgeSelected(2));
    EXPECT_FALSE(AnySelection(strip, {F(1, 0), F(2, 0), F(3, 0)}));
}

}  // namespace
