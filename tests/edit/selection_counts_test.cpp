#include "edit/selection_counts.h"

#include <gtest/gtest.h>

#include <random>

#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

SelectionCounts ScanSelection(const CCentigrade& scene) {
    SelectionCounts counts;
    for (const CModel& model : scene.models) {
        if (!model.IsEditable()) {
            continue;
        }
        for (const CVector& v : model.vertices) {
            counts.vertices += v.selected ? 1 : 0;
        }
        for (const CFace& face : model.faces) {
            counts.faces += face.selected ? 1 : 0;
            counts.takenFaces += IsFaceTaken(face) ? 1 : 0;
            for (bool edge : face.edgeSelected) {
                counts.edges += edge ? 1 : 0;
            }
        }
    }
    return counts;
}

// Flags changed under spans, under whole touches, with faces removed and
// objects locked: the kept counts are always those of a scan.
TEST(SelectionCounter, FollowsEveryKindOfSelectionChange) {
    std::mt19937 random(7);
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(6));
    scene.models.push_back(MakeQuadGrid(3));
    SelectionCounter counter;
    for (int step = 0; step < 600; ++step) {
        CModel& model = scene.models[random() % scene.models.size()];
        const std::size_t face = random() % model.faces.size();
        const std::size_t vertex = random() % model.vertices.size();
        switch (random() % 7) {
            case 0:
                model.faces[face].selected = !model.faces[face].selected;
                model.TouchSelection({}, {face, face + 1});
                break;
            case 1:
                model.faces[face].SetEdgeSelected(1, !model.faces[face].IsEdgeSelected(1));
                model.TouchSelection({}, {face, face + 1});
                break;
            case 2:
                model.vertices[vertex].selected = !model.vertices[vertex].selected;
                model.TouchSelection({vertex, vertex + 1}, {});
                break;
            case 3:
                for (CFace& f : model.faces) {
                    f.selected = random() % 8 == 0;
                    f.SetAllEdges(random() % 8 == 0);
                }
                model.TouchSelection();
                break;
            case 4:
                if (model.faces.size() > 1) {
                    model.faces.erase(model.faces.begin() + static_cast<std::ptrdiff_t>(face));
                    model.TouchTopology();
                }
                break;
            case 5:
                if (scene.models.size() > 1 && random() % 4 == 0) {
                    scene.models.erase(scene.models.begin());
                } else {
                    scene.models.push_back(MakeQuadGrid(2));
                }
                break;
            default:
                model.state = model.state == 0 ? 1 : 0;
                break;
        }
        ASSERT_EQ(counter.Count(scene), ScanSelection(scene)) << "step " << step;
    }
}

}  // namespace
