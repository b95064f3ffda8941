// A range pick takes what the view shows; see-through, everything inside.
#include <gtest/gtest.h>

#include <functional>

#include "edit/pick.h"
#include "support/mesh_generators.h"
#include "test_meshes.h"
#include "view_helpers.h"

namespace {

// Turns every face so that the view draws it from the side `outside` points
// to from its centre.
CModel FacingOut(CModel m, const std::function<CVector(const CVector&)>& outside) {
    m.ComputeFaceNormals();
    for (CFace& f : m.faces) {
        CVector centre;
        for (int v : f.indices) {
            centre += m.vertices[static_cast<std::size_t>(v)];
        }
        const float n = static_cast<float>(f.indices.size());
        const CVector out = outside(CVector(centre.x / n, centre.y / n, centre.z / n));
        // A face is drawn from the side its computed normal points away from.
        if (CVector::Dot(f.normal, out) > 0) {
            std::swap(f.indices[1], f.indices[f.indices.size() - 1]);
        }
    }
    return m;
}

CVector Up(const CVector&) {
    return CVector(0, 1, 0);
}

CModel Moved(CModel m, const CVector& by) {
    for (CVector& v : m.vertices) {
        v += by;
    }
    return m;
}

void RangeOverTheView(CCentigrade& scene) {
    scene.toolMode = ToolRangeSelect;
    scene.rubberBand[0] = 0;
    scene.rubberBand[1] = 0;
    scene.rubberBand[2] = static_cast<int>(scene.viewWidth);
    scene.rubberBand[3] = static_cast<int>(scene.viewHeight);
    scene.Pick(0, 0);
}

int SelectedCount(const CModel& m) {
    int count = 0;
    for (const CVector& v : m.vertices) {
        count += v.selected ? 1 : 0;
    }
    return count;
}

// Object 0 a roof of 4 × 4 quads 160 units across facing the top view;
// object 1 a floor of 2 × 2 quads 50 units below it, its middle vertex 4
// under the roof's middle, and a vertex 9 beside the roof.
CCentigrade RoofOverFloor() {
    CCentigrade scene = TopViewScene(FacingOut(MakeQuadGrid(4, 40), Up));
    CModel floor = Moved(FacingOut(MakeQuadGrid(2, 40), Up), CVector(0, -50, 0));
    floor.vertices.emplace_back(150.0f, -50.0f, 0.0f);
    scene.models.push_back(std::move(floor));
    return scene;
}

struct VisibilityCase {
    const char* name;
    std::function<void(CCentigrade&)> setUp;
    bool middleTaken;
    int roofTaken;  // -1: the roof cannot be picked
};

TEST(RangeVisibility, FacesInFrontHideWhatLiesBehind) {
    const VisibilityCase cases[] = {
        {"hidden by the roof", [](CCentigrade&) {}, false, 25},
        {"see-through", [](CCentigrade& s) { s.xray = true; }, true, 25},
        {"a locked roof still hides", [](CCentigrade& s) { s.models[0].state = 1; }, false, -1},
        {"a hidden roof does not", [](CCentigrade& s) { s.models[0].state = 2; }, true, -1},
        {"faces not shown hide nothing", [](CCentigrade& s) { s.showFaces = false; }, true, 25},
        {"a roof seen from behind is not drawn",
         [](CCentigrade& s) { s.models[0] = MakeQuadGrid(4, 40); }, true, 25},
        {"faces of a material the scene lacks are not drawn",
         [](CCentigrade& s) {
             for (CFace& f : s.models[0].faces) {
                 f.material = 7;
             }
         },
         true, 25},
        {"a hole of hidden faces",
         [](CCentigrade& s) {
             for (int face : {5, 6, 9, 10}) {
                 s.models[0].faces[static_cast<std::size_t>(face)].hidden = true;
             }
             s.models[0].TouchTopology();
         },
         true, 24},
    };
    for (const VisibilityCase& c : cases) {
        CCentigrade scene = RoofOverFloor();
        c.setUp(scene);
        RangeOverTheView(scene);
        const CModel& floor = scene.models[1];
        EXPECT_EQ(floor.vertices[4].selected, c.middleTaken) << c.name;
        EXPECT_TRUE(floor.vertices[9].selected) << c.name;
        if (c.roofTaken >= 0) {
            EXPECT_EQ(SelectedCount(scene.models[0]), c.roofTaken) << c.name;
        }
    }
}

// Every vertex lies on the faces around it: none of them may hide it, even
// when the grid is seen at a grazing angle and its faces are smaller than a
// pixel. A vertex just under the grid stays hidden.
TEST(RangeVisibility, VerticesOnTheSurfaceAreSeen) {
    for (const auto& [cells, elevation] : {std::pair{40, 15.0f}, {40, 60.0f}, {300, 25.0f}}) {
        CModel grid = FacingOut(MakeQuadGrid(cells, 200.0f / static_cast<float>(cells)), Up);
        grid.vertices.emplace_back(0.0f, -10.0f, 0.0f);
        CCentigrade scene = TopViewScene(std::move(grid));
        scene.camera.rotation = CVector(elevation, 35, 0);
        RangeOverTheView(scene);
        EXPECT_EQ(SelectedCount(scene.models[0]), (cells + 1) * (cells + 1))
            << cells << " cells at " << elevation;
        EXPECT_FALSE(scene.models[0].vertices.back().selected) << cells << " at " << elevation;
    }
}

TEST(RangeVisibility, TheFarSideOfASphereIsHidden) {
    CModel sphere = UvSphere(16, 8);
    for (CVector& v : sphere.vertices) {
        v = CVector(v.x * 10, v.y * 10, v.z * 10);
    }
    CCentigrade scene = TopViewScene(FacingOut(sphere, [](const CVector& c) { return c; }));
    RangeOverTheView(scene);
    const CModel& seen = scene.models[0];
    // Vertex 0 is the near pole, ring i (1 to 7) starts at 1 + 16 (i − 1).
    EXPECT_TRUE(seen.vertices[0].selected);
    EXPECT_FALSE(seen.vertices.back().selected);
    for (int a = 0; a < 16; ++a) {
        for (int ring : {1, 2, 3}) {
            EXPECT_TRUE(seen.vertices[static_cast<std::size_t>(1 + 16 * (ring - 1) + a)].selected)
                << "ring " << ring << " vertex " << a;
        }
        for (int ring : {5, 6, 7}) {
            EXPECT_FALSE(seen.vertices[static_cast<std::size_t>(1 + 16 * (ring - 1) + a)].selected)
                << "ring " << ring << " vertex " << a;
        }
    }
    scene.xray = true;
    RangeOverTheView(scene);
    EXPECT_EQ(SelectedCount(scene.models[0]), static_cast<int>(seen.vertices.size()));
}

}  // namespace
