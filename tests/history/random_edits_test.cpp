// Long random sequences of every kind of step: each undo must give back the
// scene from before its step bit for bit, and each redo the scene after it.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "edit/drag.h"
#include "edit/gizmo.h"
#include "edit/pick.h"
#include "edit/transforms.h"
#include "edit/typed_values.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "history/clipboard.h"
#include "history/edit_history.h"
#include "history/face_steps.h"
#include "history/record_steps.h"
#include "history/step_names.h"
#include "scene/atomic_file.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"
#include "view_helpers.h"

namespace {

struct Recorded {
    CCentigrade before;
    CCentigrade after;
};

class RandomEdits {
public:
    explicit RandomEdits(unsigned seed) : random_(seed) {
        scene = TopViewScene(MakeQuadGrid(6, 100));
        scene.camera.rotation = CVector(-90, 0, 0);  // the grid faces down
        CModel cube = MakeCube(150);
        cube.id = ++scene.modelSerial;
        scene.models.push_back(cube);
        CModel locked = MakeQuadGrid(2, 40);
        locked.state = 1;
        locked.id = ++scene.modelSerial;
        scene.models.push_back(locked);
        for (int k = 0; k < 2; ++k) {
            CMaterial& material = scene.materials.emplace_back(scene.materialSerial++);
            material.red = 0.25f * static_cast<float>(k);
            material.UpdateColors();
        }
        // Other runs of the suite may share the temporary folder.
        importFile_ = std::filesystem::temp_directory_path() /
                      ("quorvel-history-import-" + std::to_string(::getpid()) + "-" +
                       std::to_string(seed) + ".mqo");
        CCentigrade imported = MakeSceneWith(MakeCube(30));
        EXPECT_EQ(WriteFileAtomically(importFile_, FormatMQO(imported)).Message(), "");
    }
    ~RandomEdits() { std::filesystem::remove(importFile_); }

    // A random change of the selection, which is no step.
    void RandomSelection() {
        for (CModel& model : scene.models) {
            for (CVector& v : model.vertices) {
                v.selected = Between(0, 3) == 0;
            }
            for (CFace& f : model.faces) {
                f.selected = Between(0, 5) == 0;
                for (bool& edge : f.edgeSelected) {
                    edge = Between(0, 9) == 0;
                }
            }
        }
        UpdateGizmo(scene);
        scene.currentMaterial = Between(-1, static_cast<int>(scene.materials.size()));
    }

    // One random edit; true when it added a step.
    bool Edit() {
        const std::size_t before = history.Index();
        using Edit = void (RandomEdits::*)();
        static constexpr Edit kEdits[] = {&RandomEdits::Drag,         &RandomEdits::Drag,
                                          &RandomEdits::Drag,         &RandomEdits::Typed,
                                          &RandomEdits::FaceClick,    &RandomEdits::CutSome,
                                          &RandomEdits::Import,       &RandomEdits::Paste,
                                          &RandomEdits::MaterialEdit, &RandomEdits::ObjectEdit};
        (this->*kEdits[Between(0, 9)])();
        return history.Index() == before + 1;
    }

    CCentigrade scene;
    EditHistory history;

private:
    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    float Amount() { return static_cast<float>(Between(-40, 40)) * 0.5f; }

    void Drag() {
        scene.toolMode = ToolMove + Between(0, 2);
        scene.hitIndex = Between(HandleX, HandleCenter);
        history.BeginTransform(scene, TransformStepName(scene.toolMode));
        for (int events = Between(0, 5); events > 0; --events) {
            DragSelection(scene, Amount(), Amount());
        }
        history.EndTransform(scene);
        scene.hitIndex = HandleNone;
    }

    void Typed() {
        const int axis = Between(0, 2);
        const float value = Amount();
        switch (Between(0, 3)) {
            case 0:
                history.RecordTransform(scene, step_name::kMove, [&] {
                    MoveSelection(scene, axis == 0 ? value : 0, axis == 1 ? value : 0,
                                  axis == 2 ? value : 0);
                });
                break;
            case 1:
                history.RecordTransform(scene, step_name::kMove,
                                        [&] { kSetSelection[axis](scene, value); });
                break;
            case 2:
                history.RecordTransform(scene, step_name::kRotate,
                                        [&] { kRotateSelection[axis](scene, value * 7); });
                break;
            default:
                history.RecordTransform(scene, step_name::kScale, [&] {
                    kScaleSelection[axis](scene, TypedScaleFactor(value / 10));
                });
                break;
        }
    }

    // Aims at the centre of a face of the grid, wherever it went.
    void FaceClick() {
        const CModel& grid = scene.models[0];
        if (grid.faces.empty()) {
            return;
        }
        const CFace& face = grid.faces[static_cast<std::size_t>(
            Between(0, static_cast<int>(grid.faces.size()) - 1))];
        CVector centre;
        for (int i : face.indices) {
            centre += grid.vertices[static_cast<std::size_t>(i)];
        }
        const float n = static_cast<float>(face.indices.size());
        centre = CVector(centre.x / n, centre.y / n, centre.z / n);
        scene.toolMode = Between(0, 1) == 0 ? ToolDeleteFace : ToolPaintMaterial;
        const ClientPoint click = ClientOf(scene, centre);
        ClickFaceTool(history, scene, click.x, click.y);
    }

    void CutSome() {
        if (std::string text = CutSelectedFaces(history, scene); !text.empty()) {
            clipboard_ = std::move(text);
        }
    }

    void Import() {
        RecordAppending(history, scene, step_name::kImport,
                        [&] { return LoadMQO(scene, importFile_); });
    }

    void Paste() {
        if (clipboard_.empty()) {
            clipboard_ = CopySelectedFaces(scene);
        }
        if (!clipboard_.empty()) {
            EXPECT_EQ(PasteFaces(history, scene, clipboard_).failure, "");
        }
    }

    void MaterialEdit() {
        const auto index =
            static_cast<std::size_t>(Between(0, static_cast<int>(scene.materials.size()) - 1));
        const float value = static_cast<float>(Between(0, 100)) / 100;
        RecordMaterialEdit(history, scene, index, [&](CMaterial& m) {
            if (Between(0, 1) == 0) {
                m.diffuse = value;
            } else {
                m.name = "material " + std::to_string(Between(0, 3));
            }
            m.UpdateColors();
        });
    }

    void ObjectEdit() {
        const auto index =
            static_cast<std::size_t>(Between(0, static_cast<int>(scene.models.size()) - 1));
        RecordObjectEdit(history, scene, index, [&](CModel& m) {
            if (Between(0, 1) == 0) {
                m.facet = static_cast<float>(Between(0, 180));
            } else {
                m.name = "object " + std::to_string(Between(0, 3));
            }
        });
    }

    std::mt19937 random_;
    std::filesystem::path importFile_;
    std::string clipboard_;
};

class RandomEditSequence : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomEditSequence, UndoAndRedoRestoreEveryStateBitForBit) {
    RandomEdits edits(GetParam());
    const CCentigrade start = edits.scene;
    std::vector<Recorded> steps;
    for (int k = 0; k < 300; ++k) {
        edits.RandomSelection();
        const CCentigrade before = edits.scene;
        if (edits.Edit()) {
            steps.push_back({before, edits.scene});
        } else {
            // An edit that added no step changed nothing but the selection.
            ASSERT_TRUE(SameScene(before, edits.scene, false)) << "edit " << k;
        }
    }
    ASSERT_GT(steps.size(), 150u);
    ASSERT_EQ(edits.history.Count(), steps.size());
    const CCentigrade end = edits.scene;
    for (std::size_t k = steps.size(); k-- > 0;) {
        CopySelectionState(steps[k].after, edits.scene);
        ASSERT_TRUE(SameScene(steps[k].after, edits.scene)) << "before undoing step " << k;
        edits.history.Undo(edits.scene);
        ASSERT_TRUE(SameScene(steps[k].before, edits.scene)) << "after undoing step " << k;
    }
    EXPECT_FALSE(edits.history.CanUndo());
    EXPECT_TRUE(SameScene(start, edits.scene, false));
    for (std::size_t k = 0; k < steps.size(); ++k) {
        CopySelectionState(steps[k].before, edits.scene);
        edits.history.Redo(edits.scene);
        ASSERT_TRUE(SameScene(steps[k].after, edits.scene)) << "after redoing step " << k;
    }
    EXPECT_FALSE(edits.history.CanRedo());
    EXPECT_TRUE(SameScene(end, edits.scene));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEditSequence, ::testing::Values(1u, 2u, 3u));

}  // namespace
