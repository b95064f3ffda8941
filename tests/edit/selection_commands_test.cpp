// Select all, none, invert, by material, grow, shrink, linked and frame
// selected on small meshes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "edit/frame_selection.h"
#include "edit/gizmo.h"
#include "edit/select_all.h"
#include "edit/select_grow.h"
#include "support/mesh_generators.h"
#include "test_meshes.h"
#include "view_helpers.h"

namespace {

using Indices = std::set<int>;

// On the 4 × 4 grid vertex (x, z) is z * 5 + x and face (x, z) is z * 4 + x.
int G(int x, int z) {
    return z * 5 + x;
}
int F(int x, int z) {
    return z * 4 + x;
}

// The vertices (x, z), x and z in [low, high].
Indices VertexBlock(int low, int high) {
    Indices block;
    for (int z = low; z <= high; ++z) {
        for (int x = low; x <= high; ++x) {
            block.insert(G(x, z));
        }
    }
    return block;
}

Indices FaceBlock(int low, int high) {
    Indices block;
    for (int z = low; z <= high; ++z) {
        for (int x = low; x <= high; ++x) {
            block.insert(F(x, z));
        }
    }
    return block;
}

Indices Complement(const Indices& of, int count) {
    Indices rest;
    for (int i = 0; i < count; ++i) {
        if (of.count(i) == 0) {
            rest.insert(i);
        }
    }
    return rest;
}

Indices SelectedFaces(const CModel& m) {
    Indices faces;
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        if (m.faces[r].selected) {
            faces.insert(static_cast<int>(r));
        }
    }
    return faces;
}

// The faces whose edge flags are all set.
Indices FacesWithAllEdges(const CModel& m) {
    Indices faces;
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        const auto& edges = m.faces[r].edgeSelected;
        if (std::all_of(edges.begin(), edges.end(), [](bool e) { return e; })) {
            faces.insert(static_cast<int>(r));
        }
    }
    return faces;
}

int EdgeFlagCount(const CModel& m) {
    int count = 0;
    for (const CFace& f : m.faces) {
        count += static_cast<int>(std::count(f.edgeSelected.begin(), f.edgeSelected.end(), true));
    }
    return count;
}

Indices SelectedVertices(const CModel& m) {
    Indices vertices;
    for (std::size_t v = 0; v < m.vertices.size(); ++v) {
        if (m.vertices[v].selected) {
            vertices.insert(static_cast<int>(v));
        }
    }
    return vertices;
}

// Selects faces as a click does and places the manipulator.
void ClickFaces(CCentigrade& scene, const Indices& faces) {
    for (int r : faces) {
        CFace& f = scene.models[0].faces[static_cast<std::size_t>(r)];
        f.selected = true;
        f.SetAllEdges(true);
    }
    UpdateGizmo(scene);
}

// The marks and the manipulator must be what UpdateGizmo makes of the flags.
void ExpectManipulatorFollows(const CCentigrade& scene, const std::string& what) {
    CCentigrade rebuilt = scene;
    UpdateGizmo(rebuilt);
    EXPECT_EQ(scene.showGizmo, rebuilt.showGizmo) << what;
    EXPECT_EQ(scene.gizmo.x, rebuilt.gizmo.x) << what;
    EXPECT_EQ(scene.gizmo.y, rebuilt.gizmo.y) << what;
    EXPECT_EQ(scene.gizmo.z, rebuilt.gizmo.z) << what;
    for (std::size_t o = 0; o < scene.models.size(); ++o) {
        for (std::size_t v = 0; v < scene.models[o].vertices.size(); ++v) {
            ASSERT_EQ(scene.models[o].vertices[v].mark, rebuilt.models[o].vertices[v].mark)
                << what << " object " << o << " vertex " << v;
        }
    }
}

struct CommandCase {
    const char* name;
    std::function<void(CCentigrade&)> setUp;
    std::function<void(CCentigrade&)> command;
    Indices faces;     // with their flag and every edge flag set
    Indices vertices;  // selected
};

void KindsOnly(CCentigrade& scene, bool vertices, bool edges, bool faces) {
    scene.vertexSelectable = vertices;
    scene.edgeSelectable = edges;
    scene.faceSelectable = faces;
}

const Indices kAllFaces = FaceBlock(0, 3);
const Indices kAllVertices = VertexBlock(0, 4);

std::vector<CommandCase> CommandCases() {
    const auto oneFace = [](CCentigrade& s) { ClickFaces(s, {F(1, 1)}); };
    // The 7 faces away from the corners of face (1, 1).
    const Indices restOfFace = Complement(FaceBlock(0, 2), 16);
    return {
        {"all", [](CCentigrade&) {}, SelectAll, kAllFaces, kAllVertices},
        {"all without vertices",
         [](CCentigrade& s) { KindsOnly(s, false, false, true); },
         SelectAll,
         kAllFaces,
         {}},
        {"all skips an unused vertex",
         [](CCentigrade& s) {
             s.models[0].vertices.emplace_back(0.0f, 0.0f, 0.0f);
             s.models[0].vertices.back().used = false;
         },
         SelectAll, kAllFaces, kAllVertices},
        {"none", oneFace, SelectNone, {}, {}},
        {"invert one face", oneFace, InvertSelection, restOfFace,
         Complement({G(1, 1), G(2, 1), G(1, 2), G(2, 2)}, 25)},
        {"invert twice",
         [](CCentigrade& s) {
             ClickFaces(s, {F(1, 1)});
             InvertSelection(s);
         },
         InvertSelection,
         {F(1, 1)},
         {G(1, 1), G(2, 1), G(1, 2), G(2, 2)}},
        {"invert faces alone",
         [](CCentigrade& s) {
             KindsOnly(s, false, false, true);
             ClickFaces(s, {F(1, 1)});
         },
         InvertSelection,
         restOfFace,
         {}},
        {"invert nothing", [](CCentigrade&) {}, InvertSelection, kAllFaces, kAllVertices},
        {"grow one face", oneFace, GrowSelection, FaceBlock(0, 2), VertexBlock(0, 3)},
        {"grow twice",
         [](CCentigrade& s) {
             ClickFaces(s, {F(1, 1)});
             GrowSelection(s);
         },
         GrowSelection, kAllFaces, kAllVertices},
        {"grow one vertex into its ring",
         [](CCentigrade& s) {
             KindsOnly(s, true, false, false);
             s.models[0].vertices[static_cast<std::size_t>(G(2, 2))].selected = true;
         },
         GrowSelection,
         {},
         VertexBlock(1, 3)},
        {"shrink keeps faces on the mesh border",
         [](CCentigrade& s) { ClickFaces(s, FaceBlock(0, 2)); }, ShrinkSelection, FaceBlock(0, 1),
         VertexBlock(0, 2)},
        {"shrink everything changes nothing", [](CCentigrade& s) { SelectAll(s); }, ShrinkSelection,
         kAllFaces, kAllVertices},
        {"shrink vertices alone",
         [](CCentigrade& s) {
             KindsOnly(s, true, false, false);
             for (int v : VertexBlock(1, 4)) {
                 s.models[0].vertices[static_cast<std::size_t>(v)].selected = true;
             }
         },
         ShrinkSelection,
         {},
         VertexBlock(2, 4)},
        {"linked from a vertex", [](CCentigrade& s) { s.models[0].vertices[0].selected = true; },
         SelectLinked, kAllFaces, kAllVertices},
    };
}

TEST(SelectionCommands, ResultsOnAGrid) {
    for (const CommandCase& c : CommandCases()) {
        CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
        c.setUp(scene);
        c.command(scene);
        const CModel& grid = scene.models[0];
        EXPECT_EQ(SelectedFaces(grid), c.faces) << c.name;
        EXPECT_EQ(FacesWithAllEdges(grid), c.faces) << c.name;
        EXPECT_EQ(EdgeFlagCount(grid), 4 * static_cast<int>(c.faces.size())) << c.name;
        EXPECT_EQ(SelectedVertices(grid), c.vertices) << c.name;
        ExpectManipulatorFollows(scene, c.name);
    }
}

Indices Span(int first, int last) {
    Indices span;
    for (int i = first; i <= last; ++i) {
        span.insert(i);
    }
    return span;
}

Indices operator+(Indices a, const Indices& b) {
    a.insert(b.begin(), b.end());
    return a;
}

struct MeshCommandCase {
    const char* name;
    std::function<CModel()> mesh;
    std::function<void(CCentigrade&)> setUp;
    std::function<void(CCentigrade&)> command;
    Indices faces;
    Indices vertices;
};

// Faces of an 8 × 3 capped cylinder: the wall rows 0 to 23, the bottom cap 24
// to 31, the top cap 32 to 39; vertex ring r is 8r to 8r + 7, the poles 32 and
// 33. An 8 × 4 sphere: the north fan is faces 0 to 7 around vertex 0.
std::vector<MeshCommandCase> MeshCommandCases() {
    return {
        {"grow from a pole", [] { return UvSphere(8, 4); },
         [](CCentigrade& s) { s.models[0].vertices[0].selected = true; }, GrowSelection, Span(0, 7),
         Span(0, 8)},
        {"shrink the wall of a capped cylinder", [] { return CappedCylinder(8, 3); },
         [](CCentigrade& s) { ClickFaces(s, Span(0, 23)); }, ShrinkSelection, Span(8, 15),
         Span(8, 23)},
        {"invert a cap", [] { return CappedCylinder(8, 3); },
         [](CCentigrade& s) { ClickFaces(s, Span(24, 31)); }, InvertSelection,
         Span(8, 23) + Span(32, 39), Span(8, 31) + Indices{33}},
        {"linked across a non-manifold edge", Fin, [](CCentigrade& s) { ClickFaces(s, {0}); },
         SelectLinked, Span(0, 8), Span(0, 19)},
        {"grow from a triangle in a grid", GridWithSplitQuad,
         [](CCentigrade& s) { ClickFaces(s, {9}); }, GrowSelection, Complement({6}, 10),
         Complement({12}, 16)},
    };
}

TEST(SelectionCommands, ResultsOnPolesCapsTrianglesAndFins) {
    for (const MeshCommandCase& c : MeshCommandCases()) {
        CCentigrade scene = MakeSceneWith(c.mesh());
        c.setUp(scene);
        c.command(scene);
        const CModel& m = scene.models[0];
        EXPECT_EQ(SelectedFaces(m), c.faces) << c.name;
        EXPECT_EQ(FacesWithAllEdges(m), c.faces) << c.name;
        EXPECT_EQ(SelectedVertices(m), c.vertices) << c.name;
        ExpectManipulatorFollows(scene, c.name);
    }
}

TEST(SelectionCommands, EdgesAloneTakeEdgesWithBothEnds) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    KindsOnly(scene, false, true, false);
    SelectAll(scene);
    EXPECT_EQ(EdgeFlagCount(scene.models[0]), 64);
    EXPECT_TRUE(SelectedFaces(scene.models[0]).empty());
    // Invert from one edge: every edge but those touching its two ends.
    SelectNone(scene);
    scene.models[0].faces[0].SetEdgeSelected(0, true);  // (0, 0)-(0, 1)
    UpdateGizmo(scene);
    InvertSelection(scene);
    const CModel& grid = scene.models[0];
    EXPECT_FALSE(grid.faces[0].IsEdgeSelected(0));
    EXPECT_FALSE(grid.faces[0].IsEdgeSelected(1));  // (0, 1)-(1, 1)
    EXPECT_TRUE(grid.faces[0].IsEdgeSelected(2));   // (1, 1)-(1, 0)
    ExpectManipulatorFollows(scene, "invert edges");
}

TEST(SelectionCommands, ActOnEditableObjectsAndVisibleFacesAlone) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    scene.models.push_back(MakeQuadGrid(2, 10));
    scene.models.push_back(MakeQuadGrid(2, 10));
    scene.models[1].state = 1;
    scene.models[2].state = 2;
    scene.models[0].faces[static_cast<std::size_t>(F(3, 3))].hidden = true;
    scene.models[0].TouchTopology();
    for (const auto& command : {SelectAll, InvertSelection, GrowSelection, SelectLinked}) {
        SelectNone(scene);
        scene.models[0].vertices[0].selected = true;
        command(scene);
        EXPECT_TRUE(SelectedFaces(scene.models[1]).empty());
        EXPECT_TRUE(SelectedVertices(scene.models[2]).empty());
        EXPECT_FALSE(scene.models[0].faces[static_cast<std::size_t>(F(3, 3))].selected);
        // Vertex (4, 4) belongs to the hidden face alone.
        EXPECT_FALSE(scene.models[0].vertices[static_cast<std::size_t>(G(4, 4))].selected);
    }
    scene.models[1].vertices[0].selected = true;
    SelectNone(scene);
    EXPECT_TRUE(SelectedVertices(scene.models[1]).empty());
}

TEST(SelectionCommands, ByMaterialReplacesOrAdds) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(4, 10));
    CModel& grid = scene.models[0];
    Indices painted;
    for (int r = 0; r < 16; r += 3) {
        grid.faces[static_cast<std::size_t>(r)].material = 1;
        painted.insert(r);
    }
    grid.faces[15].hidden = true;
    painted.erase(15);
    ClickFaces(scene, {1});
    SelectByMaterial(scene, 1, SelectionUpdate::Replace);
    EXPECT_EQ(SelectedFaces(grid), painted);
    ExpectManipulatorFollows(scene, "by material");
    SelectNone(scene);
    ClickFaces(scene, {1});
    SelectByMaterial(scene, 1, SelectionUpdate::Add);
    painted.insert(1);
    EXPECT_EQ(SelectedFaces(grid), painted);
}

TEST(SelectionCommands, LinkedStopsAtOtherShellsAndHiddenFaces) {
    CModel strip = MakeQuadGrid(1, 10);
    for (int part = 1; part <= 2; ++part) {
        CModel next = MakeQuadGrid(1, 10);
        const int base = static_cast<int>(strip.vertices.size());
        for (CVector v : next.vertices) {
            v.x += 10.0f * static_cast<float>(part);
            strip.vertices.push_back(v);
        }
        for (CFace f : next.faces) {
            for (int& i : f.indices) {
                i += base;
            }
            strip.faces.push_back(f);
        }
    }
    // Faces 0 and 1 share no vertex (separate shells); join 1 and 2 by face 3.
    strip.faces.push_back(strip.faces[1]);
    strip.faces[3].indices = {5, 6, 8, 7};
    CCentigrade scene = MakeSceneWith(std::move(strip));
    ClickFaces(scene, {1});
    SelectLinked(scene);
    EXPECT_EQ(SelectedFaces(scene.models[0]), (Indices{1, 2, 3}));
    SelectNone(scene);
    scene.models[0].faces[3].hidden = true;
    scene.models[0].TouchTopology();
    ClickFaces(scene, {1});
    SelectLinked(scene);
    EXPECT_EQ(SelectedFaces(scene.models[0]), (Indices{1}));
}

// What changed is named by spans of the revisions, and nothing when nothing did.
TEST(SelectionCommands, NameTheirChangesBySpans) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(50, 10));
    CModel& grid = scene.models[0];
    ClickFaces(scene, {25 * 50 + 25});
    std::uint64_t seen = grid.selectionRevision;
    GrowSelection(scene);
    const SelectionChanges grown = grid.SelectionChangesSince(seen);
    EXPECT_EQ(grown.faces.first, 24u * 50 + 24);
    EXPECT_EQ(grown.faces.end, 26u * 50 + 27);
    EXPECT_LE(grown.vertices.end - grown.vertices.first, 3u * 51 + 4);
    SelectAll(scene);
    seen = grid.selectionRevision;
    SelectAll(scene);
    EXPECT_EQ(grid.selectionRevision, seen);
    ShrinkSelection(scene);
    EXPECT_EQ(grid.selectionRevision, seen);
}

TEST(FrameSelection, FramesTheSelectedFaceAndCentresAPoint) {
    CCentigrade scene = TopViewScene(MakeQuadGrid(4, 10));
    const CAnimation camera = scene.camera;
    EXPECT_FALSE(FrameSelection(scene));
    EXPECT_EQ(scene.camera.position.x, camera.position.x);
    EXPECT_EQ(scene.zoom, 100.0f);

    ClickFaces(scene, {F(3, 3)});
    ASSERT_TRUE(FrameSelection(scene));
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int v : {G(3, 3), G(4, 3), G(3, 4), G(4, 4)}) {
        const WindowCoord w =
            WindowOf(scene, scene.models[0].vertices[static_cast<std::size_t>(v)]);
        minX = std::min(minX, w.x);
        maxX = std::max(maxX, w.x);
        minY = std::min(minY, w.y);
        maxY = std::max(maxY, w.y);
    }
    EXPECT_NEAR((minX + maxX) / 2, 400, 1);
    EXPECT_NEAR((minY + maxY) / 2, 300, 1);
    // The square fills 90% of the view's height, less its depth's share.
    EXPECT_GT(maxY - minY, 0.8 * 600);
    EXPECT_LE(maxY - minY, 0.9 * 600 + 1);

    SelectNone(scene);
    const float zoom = scene.zoom;
    scene.models[0].vertices[0].selected = true;
    UpdateGizmo(scene);
    ASSERT_TRUE(FrameSelection(scene));
    EXPECT_EQ(scene.zoom, zoom);
    const WindowCoord w = WindowOf(scene, scene.models[0].vertices[0]);
    EXPECT_NEAR(w.x, 400, 0.5);
    EXPECT_NEAR(w.y, 300, 0.5);
}

}  // namespace
