// Picks reuse what they kept of each object between clicks: the boxes around
// runs of elements and the trace of the last click's flags. A scene whose
// caches were dropped gives the answer of a pick that keeps nothing.
#include <gtest/gtest.h>

#include <random>

#include "edit/face_tools.h"
#include "edit/pick.h"
#include "pick_reference.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

CCentigrade Uncached(const CCentigrade& scene) {
    CCentigrade copy = scene;
    copy.pickCaches.clear();
    return copy;
}

void ExpectSameFlags(const CCentigrade& a, const CCentigrade& b, int step) {
    ASSERT_EQ(a.models.size(), b.models.size());
    for (std::size_t m = 0; m < a.models.size(); ++m) {
        const CModel& x = a.models[m];
        const CModel& y = b.models[m];
        for (std::size_t i = 0; i < x.vertices.size(); ++i) {
            ASSERT_EQ(x.vertices[i].selected, y.vertices[i].selected) << "step " << step;
            ASSERT_EQ(x.vertices[i].mark, y.vertices[i].mark) << "step " << step;
        }
        for (std::size_t r = 0; r < x.faces.size(); ++r) {
            ASSERT_EQ(x.faces[r].selected, y.faces[r].selected) << "step " << step;
            ASSERT_EQ(x.faces[r].edgeSelected, y.faces[r].edgeSelected) << "step " << step;
        }
    }
    EXPECT_EQ(a.showGizmo, b.showGizmo);
}

// Two bumpy grids, one of them seen edge-on, from below where the faces of
// the grids face.
CCentigrade BumpyScene(std::mt19937& random) {
    CModel grid = MakeQuadGrid(60, 6.0f);
    for (CVector& v : grid.vertices) {
        v.y = static_cast<float>(random() % 40);
    }
    CCentigrade scene = TopViewScene(grid);
    scene.camera.rotation.x = -60;
    CModel second = MakeQuadGrid(25, 9.0f);
    for (CVector& v : second.vertices) {
        std::swap(v.y, v.z);
        v.x += 30;
    }
    scene.models.push_back(second);
    scene.vertexSelectable = true;
    scene.edgeSelectable = true;
    return scene;
}

void RandomChange(CCentigrade& scene, std::mt19937& random) {
    CModel& model = scene.models[random() % scene.models.size()];
    switch (random() % 4) {
        case 0:
            scene.camera.rotation.x = -60 + static_cast<float>(random() % 40) - 20;
            scene.camera.rotation.y += static_cast<float>(random() % 90);
            break;
        case 1: {  // a run of vertices moved, as a drag step moves them
            const std::size_t first = random() % model.vertices.size();
            const std::size_t end = std::min(first + 1 + random() % 300, model.vertices.size());
            for (std::size_t i = first; i < end; ++i) {
                model.vertices[i].y += static_cast<float>(random() % 50) - 25;
            }
            model.TouchPositions(first, end);
            break;
        }
        case 2:
            DeleteFace(scene, static_cast<int>(&model - scene.models.data()),
                       static_cast<int>(random() % model.faces.size()));
            break;
        default:
            scene.selectMode = random() % 4 == 0 ? SelectConnected : SelectNormal;
            scene.keyFlag = random() % 4 == 0;
            scene.vertexSelectable = random() % 2 == 0;
            scene.edgeSelectable = random() % 2 == 0;
            scene.toolMode = random() % 5 == 0 ? ToolRangeSelect : ToolSelect;
            break;
    }
}

TEST(PickCache, CachedPicksMatchUncachedOnesAfterCameraMovesAndEdits) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        CCentigrade scene = BumpyScene(random);
        for (int step = 0; step < 80; ++step) {
            RandomChange(scene, random);
            // Around the middle of a face, or a few pixels off.
            const CModel& target = scene.models[random() % scene.models.size()];
            const CFace& face = target.faces[random() % target.faces.size()];
            CVector middle(0, 0, 0);
            for (int v : face.indices) {
                middle += target.vertices[static_cast<std::size_t>(v)];
            }
            const float n = static_cast<float>(face.indices.size());
            const ClientPoint near =
                ClientOf(scene, CVector(middle.x / n, middle.y / n, middle.z / n),
                         static_cast<int>(random() % 9) - 4, static_cast<int>(random() % 9) - 4);
            const int x = near.x;
            const int y = near.y;
            const PickWindow window = {static_cast<double>(x), 600.0 - y,
                                       static_cast<double>(1 + random() % 40),
                                       static_cast<double>(1 + random() % 40)};
            ASSERT_EQ(CollectHits(scene, window), ReferenceHits(scene, window))
                << "seed " << seed << " step " << step;

            scene.rubberBand[0] = x;
            scene.rubberBand[1] = y;
            scene.rubberBand[2] = x + static_cast<int>(random() % 100);
            scene.rubberBand[3] = y + static_cast<int>(random() % 100);
            CCentigrade reference = Uncached(scene);
            EXPECT_EQ(Pick(scene, x, y), Pick(reference, x, y));
            ExpectSameFlags(scene, reference, step);
        }
    }
}

// Objects an open or an import added are ones the pick has kept nothing of.
// A click on them, hit or missed, with every tool, select mode, set of
// selectable elements and Shift state, answers as a pick that keeps nothing.
TEST(PickCache, ClicksOnObjectsThePickHasNotSeen) {
    CCentigrade opened = TopViewScene(MakeQuadGrid(4, 50));
    opened.camera.rotation = CVector(-90, 0, 0);  // the grid faces down
    CModel second = MakeQuadGrid(2, 50);
    for (CVector& v : second.vertices) {
        v.x += 300;
    }
    opened.models.push_back(second);
    ASSERT_TRUE(opened.pickCaches.empty());
    // A click before the import saw the first object alone.
    CCentigrade imported = opened;
    imported.models.pop_back();
    const ClientPoint vertex = ClientOf(opened, opened.models[0].vertices[6]);
    ASSERT_TRUE(Pick(imported, vertex.x, vertex.y));
    imported.models.push_back(second);

    const ClientPoint nothing{5, 5};
    int step = 0;
    for (const CCentigrade* start : {&opened, &imported}) {
        for (int tool = ToolNone; tool <= ToolPaintMaterial; ++tool) {
            for (int mode = SelectNormal; mode <= SelectBrush; ++mode) {
                for (int selectable = 0; selectable < 16; ++selectable) {
                    for (const ClientPoint& at : {vertex, nothing}) {
                        CCentigrade scene = *start;
                        scene.toolMode = tool;
                        scene.selectMode = mode;
                        scene.vertexSelectable = (selectable & 1) != 0;
                        scene.edgeSelectable = (selectable & 2) != 0;
                        scene.faceSelectable = (selectable & 4) != 0;
                        scene.keyFlag = (selectable & 8) != 0;
                        scene.rubberBand[0] = scene.rubberBand[1] = 0;
                        scene.rubberBand[2] = at.x;
                        scene.rubberBand[3] = at.y;
                        CCentigrade reference = Uncached(scene);
                        ASSERT_EQ(Pick(scene, at.x, at.y), Pick(reference, at.x, at.y))
                            << "tool " << tool << " mode " << mode << " selectable " << selectable;
                        ExpectSameFlags(scene, reference, step++);
                    }
                }
            }
        }
    }
}

}  // namespace
