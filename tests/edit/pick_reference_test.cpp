// The fast pick against the exhaustive one on random scenes, views and clicks.
#include <gtest/gtest.h>

#include <random>

#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "pick_reference.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

class RandomScenes {
public:
    explicit RandomScenes(unsigned seed) : random_(seed) {}

    float Uniform(float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random_);
    }
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

    CModel Soup(int vertexCount, int faceCount) {
        CModel m;
        for (int i = 0; i < vertexCount; ++i) {
            m.vertices.emplace_back(Uniform(-300, 300), Uniform(-300, 300), Uniform(-300, 300));
        }
        for (int i = 0; i < faceCount; ++i) {
            CFace f;
            const int corners = Between(2, 4);
            for (int c = 0; c < corners; ++c) {
                f.indices.push_back(Between(0, vertexCount - 1));
            }
            f.edgeSelected.resize(f.indices.size(), false);
            m.faces.push_back(f);
        }
        return m;
    }

    // A grid of many small faces, most of them far from the pick window.
    CModel BumpyGrid() {
        CModel m = MakeQuadGrid(60, 9.0f);
        for (CVector& v : m.vertices) {
            v.y = Uniform(-3, 3);
        }
        return m;
    }

    CCentigrade Scene() {
        CCentigrade scene = TopViewScene(Soup(60, 80));
        scene.models.push_back(BumpyGrid());
        scene.models.push_back(Soup(40, 50));
        for (CModel& m : scene.models) {
            m.state = Chance(0.8) ? 0 : Between(1, 3);
            for (std::size_t r = 3; r < m.faces.size(); r += 7) {
                m.faces[r].hidden = true;
            }
        }
        scene.camera.rotation = CVector(Uniform(-180, 180), Uniform(-180, 180), Uniform(-180, 180));
        scene.camera.position =
            CVector(Uniform(-200, 200), Uniform(-200, 200), Uniform(-2500, -150));
        scene.zoom = Uniform(20, 400);
        scene.fov = Uniform(5, 60);
        return scene;
    }

    void Settings(CCentigrade& scene) {
        scene.toolMode = Between(ToolNone, ToolPaintMaterial);
        scene.selectMode = Between(SelectNormal, SelectBrush);
        scene.vertexSelectable = Chance(0.6);
        scene.edgeSelectable = Chance(0.6);
        scene.faceSelectable = Chance(0.6);
        scene.showGizmo = Chance(0.7);
        scene.gizmo = CVector(Uniform(-100, 100), Uniform(-100, 100), Uniform(-100, 100));
        for (int& side : scene.rubberBand) {
            side = Between(-20, 820);
        }
    }

    // Near a vertex of the scene most of the time, so that there is something to hit.
    ClientPoint Click(const CCentigrade& scene) {
        if (Chance(0.3)) {
            return {Between(-20, 820), Between(-20, 620)};
        }
        const CModel& m = scene.models[static_cast<std::size_t>(Between(0, 2))];
        const CVector& v = m.vertices[static_cast<std::size_t>(
            Between(0, static_cast<int>(m.vertices.size()) - 1))];
        return ClientOf(scene, v, Between(-6, 6), Between(-6, 6));
    }

private:
    std::mt19937 random_;
};

TEST(PickReference, FastPickEqualsExhaustivePickOnRandomScenes) {
    RandomScenes random(20261208);
    int withHits = 0;
    for (int sceneNumber = 0; sceneNumber < 12; ++sceneNumber) {
        CCentigrade scene = random.Scene();
        for (int pick = 0; pick < 25; ++pick) {
            random.Settings(scene);
            PickWindow window;
            if (scene.toolMode == ToolRangeSelect) {
                window = RangePickWindow(scene);
            } else {
                const ClientPoint click = random.Click(scene);
                window = ClickPickWindow(scene, click.x, click.y);
            }
            const auto fast = CollectHits(scene, window);
            const auto reference = ReferenceHits(scene, window);
            ASSERT_EQ(fast, reference) << "scene " << sceneNumber << " pick " << pick;
            withHits += fast.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(withHits, 50);
}

void ExpectSameSelection(const CCentigrade& a, const CCentigrade& b, const std::string& what) {
    EXPECT_EQ(a.gizmo.x, b.gizmo.x) << what;
    EXPECT_EQ(a.gizmo.y, b.gizmo.y) << what;
    EXPECT_EQ(a.gizmo.z, b.gizmo.z) << what;
    EXPECT_EQ(a.showGizmo, b.showGizmo) << what;
    EXPECT_EQ(a.hitIndex, b.hitIndex) << what;
    for (std::size_t o = 0; o < a.models.size(); ++o) {
        for (std::size_t i = 0; i < a.models[o].vertices.size(); ++i) {
            const CVector& u = a.models[o].vertices[i];
            const CVector& v = b.models[o].vertices[i];
            ASSERT_TRUE(u.selected == v.selected && u.mark == v.mark) << what << " vertex " << i;
        }
        for (std::size_t i = 0; i < a.models[o].faces.size(); ++i) {
            const CFace& f = a.models[o].faces[i];
            const CFace& g = b.models[o].faces[i];
            ASSERT_TRUE(f.selected == g.selected && f.edgeSelected == g.edgeSelected &&
                        f.material == g.material)
                << what << " face " << i;
        }
    }
}

// Pick folds some steps into its scan; the result must be that of collecting
// the hits, then applying them (or the miss rule) and placing the manipulator.
TEST(PickReference, PickEqualsCollectingThenApplyingTheHits) {
    RandomScenes random(99);
    const int tools[] = {ToolSelect,      ToolSelect, ToolSelect,
                         ToolRangeSelect, ToolMove,   ToolPaintMaterial};
    int hits = 0;
    for (int sceneNumber = 0; sceneNumber < 3; ++sceneNumber) {
        CCentigrade scene = random.Scene();
        scene.materials.emplace_back(1);
        for (int pick = 0; pick < 40; ++pick) {
            random.Settings(scene);
            scene.toolMode = tools[random.Between(0, 5)];
            scene.keyFlag = random.Chance(0.3);
            scene.currentMaterial = 1;
            const ClientPoint click = random.Click(scene);

            CCentigrade expected = scene;
            const PickWindow window = expected.toolMode == ToolRangeSelect
                                          ? RangePickWindow(expected)
                                          : ClickPickWindow(expected, click.x, click.y);
            auto records = CollectHits(expected, window);
            expected.hitIndex = HandleNone;
            const bool hit = !records.empty();
            if (hit) {
                ProcessHits(expected, ResolveHits(std::move(records)));
                UpdateGizmo(expected);
            } else if (!expected.keyFlag && ((expected.toolMode == ToolSelect &&
                                              (expected.selectMode == SelectNormal ||
                                               expected.selectMode == SelectConnected)) ||
                                             expected.toolMode == ToolRangeSelect)) {
                ClearSelection(expected);
            }
            ASSERT_EQ(Pick(scene, click.x, click.y), hit);
            hits += hit ? 1 : 0;
            const std::string what =
                "scene " + std::to_string(sceneNumber) + " pick " + std::to_string(pick);
            ExpectSameSelection(scene, expected, what);
            EXPECT_EQ(scene.currentModel, expected.currentModel) << what;
            for (std::size_t i = 0; i < 4; ++i) {
                EXPECT_EQ(scene.rubberBand[i], expected.rubberBand[i]) << what;
            }
        }
    }
    EXPECT_GT(hits, 30);
}

TEST(PickReference, WholeViewRangeOverEveryKindMatches) {
    RandomScenes random(7);
    CCentigrade scene = random.Scene();
    scene.camera.position.z = -2000;
    scene.toolMode = ToolRangeSelect;
    scene.rubberBand[0] = 0;
    scene.rubberBand[1] = 0;
    scene.rubberBand[2] = 800;
    scene.rubberBand[3] = 600;
    const PickWindow window = RangePickWindow(scene);
    EXPECT_EQ(CollectHits(scene, window), ReferenceHits(scene, window));
    // A click window as wide as the view offers every kind on the same scene.
    scene.toolMode = ToolSelect;
    scene.edgeSelectable = true;
    EXPECT_EQ(CollectHits(scene, window), ReferenceHits(scene, window));
}

}  // namespace
