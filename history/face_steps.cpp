#include "history/face_steps.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "edit/gizmo.h"
#include "edit/pick.h"
#include "history/edit_history.h"
#include "history/manipulator_state.h"
#include "history/record_bytes.h"
#include "history/step_names.h"
#include "history/vertex_flags.h"
#include "scene/centigrade.h"

namespace {

// A removed face and the place it held; the face record is in the step only
// while it is out of the scene.
struct RemovedFace {
    std::uint32_t model;
    std::uint32_t index;
    CFace face;
};

using RemovedIterator = std::vector<RemovedFace>::iterator;

// The faces of [first, last) (one object, ascending places) move out of `faces`.
void TakeFaces(LargeArray<CFace>& faces, RemovedIterator first, RemovedIterator last) {
    std::size_t write = first->index;
    for (std::size_t read = first->index; read < faces.size(); ++read) {
        if (first != last && read == first->index) {
            first->face = std::move(faces[read]);
            ++first;
        } else {
            if (write != read) {
                faces[write] = std::move(faces[read]);
            }
            ++write;
        }
    }
    faces.erase(faces.begin() + static_cast<std::ptrdiff_t>(write), faces.end());
}

// The faces of [first, last) go back to their places. One face is inserted;
// several are merged in one pass, not shifted once for each.
void PutFacesBack(LargeArray<CFace>& faces, RemovedIterator first, RemovedIterator last) {
    if (last - first == 1) {
        const std::size_t at = std::min<std::size_t>(first->index, faces.size());
        faces.insert(faces.begin() + static_cast<std::ptrdiff_t>(at), std::move(first->face));
        first->face = CFace();
        return;
    }
    LargeArray<CFace> merged;
    merged.reserve(faces.size() + static_cast<std::size_t>(last - first));
    std::size_t read = 0;
    for (; first != last; ++first) {
        while (merged.size() < first->index && read < faces.size()) {
            merged.push_back(std::move(faces[read++]));
        }
        merged.push_back(std::move(first->face));
        first->face = CFace();
    }
    while (read < faces.size()) {
        merged.push_back(std::move(faces[read++]));
    }
    faces.swap(merged);
}

struct Painted {
    std::uint32_t model;
    std::uint32_t face;
    int before;
    int after;
};

// The faces an edit removed (ascending by object, then place) or the face it
// painted, with the vertex flags and the manipulator it changed.
class FaceEditStep : public UndoStep {
public:
    FaceEditStep(std::string_view name, const CCentigrade& before)
        : UndoStep(std::string(name)), snapshot_(before), manipulator_(before) {}

    void NoteRemoval(std::size_t model, std::size_t index, CFace face) {
        removed_.push_back({static_cast<std::uint32_t>(model), static_cast<std::uint32_t>(index),
                            std::move(face)});
    }
    void NotePaint(const Painted& paint) { painted_.push_back(paint); }

    // Moves the noted faces of `model` (noted from `from` on) out of the scene.
    void RemoveNoted(CCentigrade& scene, std::size_t from) {
        if (from < removed_.size()) {
            CModel& model = scene.models[removed_[from].model];
            TakeFaces(model.faces, removed_.begin() + static_cast<std::ptrdiff_t>(from),
                      removed_.end());
        }
    }

    bool Finish(const CCentigrade& after) {
        flags_.Record(*snapshot_, after);
        snapshot_.reset();
        manipulator_.Finish(after);
        removed_.shrink_to_fit();
        std::erase_if(painted_, [](const Painted& p) { return p.before == p.after; });
        painted_.shrink_to_fit();
        return !removed_.empty() || !painted_.empty() || !flags_.Empty() || manipulator_.Changed();
    }

    void Undo(CCentigrade& scene, SceneChange& change) override {
        ForEachObject([&](RemovedIterator first, RemovedIterator last) {
            CModel& model = scene.models[first->model];
            PutFacesBack(model.faces, first, last);
            model.TouchTopology();
            change.Reshaped(first->model);
        });
        Paint(scene, false);
        flags_.Restore(scene, false);
        manipulator_.Restore(scene, false);
    }

    void Redo(CCentigrade& scene, SceneChange& change) override {
        Paint(scene, true);
        ForEachObject([&](RemovedIterator first, RemovedIterator last) {
            CModel& model = scene.models[first->model];
            TakeFaces(model.faces, first, last);
            model.TouchTopology();
            change.Reshaped(first->model);
        });
        flags_.Restore(scene, true);
        manipulator_.Restore(scene, true);
    }

    std::size_t Bytes() const override {
        std::size_t bytes = sizeof(*this) + NameBytes() + flags_.Bytes() +
                            removed_.capacity() * sizeof(RemovedFace) +
                            painted_.capacity() * sizeof(Painted);
        for (const RemovedFace& r : removed_) {
            bytes += HeapBytes(r.face);
        }
        return bytes;
    }

private:
    // Calls visit(first, last) for the removed faces of each object in turn.
    template <typename Visit>
    void ForEachObject(Visit visit) {
        auto first = removed_.begin();
        while (first != removed_.end()) {
            auto last = first;
            while (last != removed_.end() && last->model == first->model) {
                ++last;
            }
            visit(first, last);
            first = last;
        }
    }

    void Paint(CCentigrade& scene, bool toAfter) const {
        for (const Painted& p : painted_) {
            CModel& model = scene.models[p.model];
            model.faces[p.face].material = toAfter ? p.after : p.before;
            model.TouchTopology();
        }
    }

    std::optional<VertexFlagSnapshot> snapshot_;
    VertexFlagDelta flags_;
    ManipulatorChange manipulator_;
    std::vector<RemovedFace> removed_;
    std::vector<Painted> painted_;
};

}  // namespace

// The face the pick hit is read before the pick deletes or paints it.
bool ClickFaceTool(EditHistory& history, CCentigrade& scene, int x, int y) {
    const int tool = scene.toolMode;
    if (tool != ToolDeleteFace && tool != ToolPaintMaterial) {
        return Pick(scene, x, y);
    }
    auto step = std::make_unique<FaceEditStep>(
        tool == ToolDeleteFace ? step_name::kDeleteFace : step_name::kPaintMaterial, scene);
    std::optional<Painted> paint;
    const bool hit = Pick(scene, x, y, [&](const PickResult& result) {
        const PickHit& best = result.best;
        if (best.kind != PickKind::Face) {
            return;
        }
        const auto object = static_cast<std::uint32_t>(best.object);
        const auto index = static_cast<std::uint32_t>(best.element);
        const CFace& face = scene.models[object].faces[index];
        if (tool == ToolDeleteFace) {
            step->NoteRemoval(object, index, face);
        } else {
            paint = Painted{object, index, face.material, face.material};
        }
    });
    if (!hit) {
        return false;
    }
    if (paint) {
        paint->after = scene.models[paint->model].faces[paint->face].material;
        step->NotePaint(*paint);
    }
    if (step->Finish(scene)) {
        history.Push(std::move(step));
    }
    return true;
}

namespace {

// Moves faces `faces` (ascending places) of object `model` into the step.
void RemoveFaces(FaceEditStep& step, CCentigrade& scene, std::size_t model,
                 const std::vector<std::size_t>& faces, std::size_t& noted) {
    const std::size_t from = noted;
    for (std::size_t f : faces) {
        step.NoteRemoval(model, f, CFace());
        ++noted;
    }
    step.RemoveNoted(scene, from);
    // The later faces move down with their selection flags.
    scene.models[model].TouchTopology();
    scene.models[model].TouchSelection();
}

// Vertices left without a face are flagged unused in every object, as a
// click's deletion does; the manipulator is placed again; the step is complete.
void FinishRemoval(std::unique_ptr<FaceEditStep> step, EditHistory& history, CCentigrade& scene) {
    scene.UpdateUsedFlags();
    UpdateGizmo(scene);
    step->Finish(scene);
    history.Push(std::move(step));
}

}  // namespace

bool DeleteSelectedFaces(EditHistory& history, CCentigrade& scene, std::string name) {
    return DeleteFacesWhere(history, scene, std::move(name),
                            [](const CFace& face) { return face.selected; });
}

bool DeleteFacesWhere(EditHistory& history, CCentigrade& scene, std::string name,
                      bool (*removed)(const CFace&)) {
    auto step = std::make_unique<FaceEditStep>(name, scene);
    std::size_t noted = 0;
    std::vector<std::size_t> selected;
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        const CModel& model = scene.models[m];
        if (model.state != 0) {
            continue;
        }
        selected.clear();
        for (std::size_t f = 0; f < model.faces.size(); ++f) {
            if (removed(model.faces[f])) {
                selected.push_back(f);
            }
        }
        if (!selected.empty()) {
            RemoveFaces(*step, scene, m, selected, noted);
        }
    }
    if (noted == 0) {
        return false;
    }
    FinishRemoval(std::move(step), history, scene);
    return true;
}

bool DeleteFaces(EditHistory& history, CCentigrade& scene, std::size_t model,
                 std::vector<std::size_t> faces, std::string_view name) {
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    if (faces.empty()) {
        return false;
    }
    auto step = std::make_unique<FaceEditStep>(name, scene);
    std::size_t noted = 0;
    RemoveFaces(*step, scene, model, faces, noted);
    FinishRemoval(std::move(step), history, scene);
    return true;
}

bool PaintFaces(EditHistory& history, CCentigrade& scene, std::size_t model,
                const std::vector<std::size_t>& faces, int material) {
    auto step = std::make_unique<FaceEditStep>(step_name::kPaintMaterial, scene);
    CModel& painted = scene.models[model];
    for (std::size_t f : faces) {
        CFace& face = painted.faces[f];
        step->NotePaint({static_cast<std::uint32_t>(model), static_cast<std::uint32_t>(f),
                         face.material, material});
        face.material = material;
    }
    painted.TouchTopology();
    if (!step->Finish(scene)) {
        return false;
    }
    history.Push(std::move(step));
    return true;
}
