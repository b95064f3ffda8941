#include "edit/selected_faces.h"

#include <gtest/gtest.h>

#include <random>

#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

bool ScanForSelectedFace(const CCentigrade& scene) {
    for (const CModel& model : scene.models) {
        for (const CFace& face : model.faces) {
            if (model.IsEditable() && face.selected) {
                return true;
            }
        }
    }
    return false;
}

// Flags changed under spans, under whole touches, with faces removed and
// objects locked: the kept answer is always the one of a scan.
TEST(SelectedFaceTracker, FollowsEveryKindOfSelectionChange) {
    std::mt19937 random(7);
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(6));
    scene.models.push_back(MakeQuadGrid(3));
    SelectedFaceTracker tracker;
    for (int step = 0; step < 400; ++step) {
        CModel& model = scene.models[random() % scene.models.size()];
        const std::size_t face = random() % model.faces.size();
        switch (random() % 5) {
            case 0:
            case 1:
                model.faces[face].selected = !model.faces[face].selected;
                model.TouchSelection({}, {face, face + 1});
                break;
            case 2:
                for (CFace& f : model.faces) {
                    f.selected = random() % 8 == 0;
                }
                model.TouchSelection();
                break;
            case 3:
                if (model.faces.size() > 1) {
                    model.faces.erase(model.faces.begin() + static_cast<std::ptrdiff_t>(face));
                    model.TouchTopology();
                }
                break;
            default:
                model.state = model.state == 0 ? 1 : 0;
                break;
        }
        ASSERT_EQ(tracker.AnySelected(scene), ScanForSelectedFace(scene)) << "step " << step;
    }
}

}  // namespace
