// The flood and the belt walk against their literal recursive forms.
#include <gtest/gtest.h>

#include <random>

#include "edit/belt.h"
#include "edit/flood.h"
#include "edit/vertex_faces.h"
#include "face_builder.h"
#include "selection_reference.h"
#include "support/mesh_generators.h"
#include "test_meshes.h"

namespace {

void Append(CModel& to, const CModel& from, const CVector& offset) {
    const int base = static_cast<int>(to.vertices.size());
    for (CVector v : from.vertices) {
        v += offset;
        to.vertices.push_back(v);
    }
    for (CFace f : from.faces) {
        for (int& i : f.indices) {
            i += base;
        }
        to.faces.push_back(f);
    }
}

CModel TwoShells() {
    CModel m = MakeCube(10);
    Append(m, MakeCube(10), CVector(50, 0, 0));
    Append(m, MakeQuadGrid(3, 5), CVector(0, 50, 0));
    return m;
}

// Triangles, line faces and quads sharing vertices, with a stray line.
CModel Mixed() {
    CModel m;
    for (int i = 0; i < 12; ++i) {
        m.vertices.emplace_back(static_cast<float>(i), static_cast<float>(i % 3), 0.0f);
    }
    m.faces.push_back(MakeFace({0, 1, 2}));
    m.faces.push_back(MakeFace({2, 3}));
    m.faces.push_back(MakeFace({3, 4, 5, 6}));
    m.faces.push_back(MakeFace({6, 5, 7}));
    m.faces.push_back(MakeFace({8, 9}));
    m.faces.push_back(MakeFace({9, 10, 11, 8}));
    m.faces.push_back(MakeFace({4, 3, 10, 11}));
    return m;
}

void Scramble(CModel& m, std::mt19937& random) {
    std::bernoulli_distribution coin(0.3);
    for (CFace& f : m.faces) {
        f.selected = coin(random);
        f.visited = coin(random);
        for (bool& e : f.edgeSelected) {
            e = coin(random);
        }
    }
}

void ExpectSameFlags(const CModel& a, const CModel& b, const std::string& what) {
    ASSERT_EQ(a.faces.size(), b.faces.size());
    for (std::size_t i = 0; i < a.faces.size(); ++i) {
        EXPECT_EQ(a.faces[i].selected, b.faces[i].selected) << what << " face " << i;
        EXPECT_EQ(a.faces[i].visited, b.faces[i].visited) << what << " face " << i;
        EXPECT_EQ(a.faces[i].edgeSelected, b.faces[i].edgeSelected) << what << " face " << i;
    }
}

void CompareEverywhere(const CModel& mesh, std::mt19937& random, const std::string& name) {
    for (std::size_t face = 0; face < mesh.faces.size(); ++face) {
        for (bool state : {true, false}) {
            CModel fast = mesh;
            Scramble(fast, random);
            CModel literal = fast;
            FloodSelect(fast, static_cast<int>(face), state);
            LiteralFloodSelect(literal, static_cast<int>(face), state);
            ExpectSameFlags(fast, literal, name + " flood from " + std::to_string(face));

            for (std::size_t edge = 0; edge < mesh.faces[face].indices.size(); ++edge) {
                fast = mesh;
                Scramble(fast, random);
                literal = fast;
                SelectRing(fast, static_cast<int>(face), static_cast<int>(edge), state);
                LiteralSelectRing(literal, static_cast<int>(face), static_cast<int>(edge), state);
                ExpectSameFlags(
                    fast, literal,
                    name + " belt " + std::to_string(face) + "/" + std::to_string(edge));
            }
        }
    }
}

TEST(FloodAndBelt, MatchTheLiteralWalksOnShellsStripsAndFins) {
    std::mt19937 random(5);
    CompareEverywhere(TwoShells(), random, "shells");
    CompareEverywhere(Mixed(), random, "mixed");
    CompareEverywhere(Fin(), random, "fin");
    CompareEverywhere(MakeCylinder(6, 3, 10, 10), random, "cylinder");
    CompareEverywhere(MakeQuadGrid(4), random, "grid");
}

TEST(FloodAndBelt, FloodFromAVertexStopsAtVisitedFacesLikeTheLiteralWalk) {
    std::mt19937 random(17);
    for (int i = 0; i < 200; ++i) {
        CModel fast = RandomMesh(random);
        Scramble(fast, random);
        CModel literal = fast;
        const int vertex = static_cast<int>(random() % fast.vertices.size());
        FloodFromVertex(fast, vertex, i % 2 == 0);
        LiteralFloodFromVertex(literal, vertex, i % 2 == 0);
        ExpectSameFlags(fast, literal, "mesh " + std::to_string(i));
    }
}

TEST(FloodAndBelt, WalkOnItsOwnMatchesTheLiteralWalk) {
    std::mt19937 random(23);
    for (int i = 0; i < 200; ++i) {
        CModel fast = RandomMesh(random);
        Scramble(fast, random);
        CModel literal = fast;
        const int start = static_cast<int>(random() % fast.faces.size());
        const int previous = static_cast<int>(random() % fast.faces.size());
        const int a = static_cast<int>(random() % fast.vertices.size());
        const int b = static_cast<int>(random() % fast.vertices.size());
        WalkBelt(fast, start, previous, a, b, true);
        LiteralWalkBelt(literal, start, previous, a, b, true);
        ExpectSameFlags(fast, literal, "mesh " + std::to_string(i));
    }
}

TEST(FloodAndBelt, MatchTheLiteralWalksOnRandomMeshes) {
    std::mt19937 random(11);
    for (int i = 0; i < 60; ++i) {
        CompareEverywhere(RandomMesh(random), random, "random " + std::to_string(i));
    }
}

TEST(FloodAndBelt, StaleFaceListsAreRebuiltAfterDeletionsAndAppends) {
    std::mt19937 random(3);
    CModel mesh = TwoShells();
    mesh.ComputeNormals(1);
    CModel deletedInside = mesh;
    deletedInside.faces.erase(deletedInside.faces.begin() + 2);
    CompareEverywhere(deletedInside, random, "after deleting face 2");
    CModel deletedLast = mesh;
    deletedLast.faces.pop_back();
    CompareEverywhere(deletedLast, random, "after deleting the last face");
    CModel appended = mesh;
    appended.faces.push_back(MakeFace({0, 13, 14, 1}));
    CompareEverywhere(appended, random, "after appending a face");
    mesh.vertexInfo.clear();
    CompareEverywhere(mesh, random, "without lists");
}

TEST(FloodAndBelt, FaceListChecksCatchEveryDeletion) {
    CModel mesh = Fin();
    mesh.ComputeNormals(1);
    const auto allConsistent = [](const CModel& m) {
        for (std::size_t v = 0; v < m.vertices.size(); ++v) {
            if (!VertexFaceListIsConsistent(m, static_cast<int>(v))) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(VertexFacesLookCurrent(mesh));
    EXPECT_TRUE(allConsistent(mesh));
    for (std::size_t face = 0; face < mesh.faces.size(); ++face) {
        CModel deleted = mesh;
        deleted.faces.erase(deleted.faces.begin() + static_cast<std::ptrdiff_t>(face));
        EXPECT_FALSE(VertexFacesLookCurrent(deleted) && allConsistent(deleted)) << face;
    }
    CModel appended = mesh;
    appended.faces.push_back(MakeFace({0, 1, 2}));
    EXPECT_FALSE(VertexFacesLookCurrent(appended));
    RebuildVertexFaces(appended);
    EXPECT_TRUE(VertexFacesLookCurrent(appended));
    EXPECT_TRUE(allConsistent(appended));
}

TEST(FloodAndBelt, ConnectedSelectionStaysWithinOneShell) {
    CModel m = TwoShells();
    FloodSelect(m, 7, true);
    for (std::size_t i = 0; i < m.faces.size(); ++i) {
        const bool secondCube = i >= 6 && i < 12;
        EXPECT_EQ(m.faces[i].selected, secondCube) << i;
        EXPECT_EQ(m.faces[i].visited, secondCube) << i;
        for (bool e : m.faces[i].edgeSelected) {
            EXPECT_EQ(e, secondCube) << i;
        }
    }
}

TEST(FloodAndBelt, BeltAroundACylinderStopsAtTheStartingQuad) {
    CModel m = MakeCylinder(8, 3, 10, 10);
    // Face 9 is in the middle ring; its edge 1 runs up the wall, so the belt
    // runs around the ring.
    SelectRing(m, 9, 1, true);
    for (std::size_t i = 0; i < m.faces.size(); ++i) {
        const bool onRing = i >= 8 && i < 16;
        for (bool e : m.faces[i].edgeSelected) {
            EXPECT_EQ(e, onRing) << i;
        }
        EXPECT_FALSE(m.faces[i].selected);
    }
}

TEST(FloodAndBelt, BeltOnATriangleSetsOnlyItsOwnEdges) {
    CModel m = Mixed();
    SelectRing(m, 3, 0, true);
    for (std::size_t i = 0; i < m.faces.size(); ++i) {
        for (bool e : m.faces[i].edgeSelected) {
            EXPECT_EQ(e, i == 3) << i;
        }
    }
}

TEST(FloodAndBelt, BeltBranchesAtAnEdgeSharedByThreeQuads) {
    CModel m = Fin();
    SelectRing(m, 0, 0, true);
    for (std::size_t i = 0; i < m.faces.size(); ++i) {
        for (bool e : m.faces[i].edgeSelected) {
            EXPECT_TRUE(e) << i;
        }
    }
}

TEST(FloodAndBelt, LongBeltsAndFloodsNeedNoDeepRecursion) {
    CModel m = MakeCylinder(4, 60000, 10, 60000);
    // Edge 0 of face 0 runs around the bottom ring: the belt climbs the first
    // column of quads through all rings.
    SelectRing(m, 0, 0, true);
    EXPECT_TRUE(m.faces[m.faces.size() - 4].edgeSelected[0]);
    EXPECT_FALSE(m.faces[1].edgeSelected[0]);
    FloodSelect(m, 0, true);
    EXPECT_TRUE(m.faces.back().selected);
}

}  // namespace
