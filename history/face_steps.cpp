#include "history/face_steps.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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
    void NotePaint(const Painted& paint) { painted_ = paint; }

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
        const bool repainted = painted_ && painted_->before != painted_->after;
        return !removed_.empty() || repainted || !flags_.Empty() || manipulator_.Changed();
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
                            removed_.capacity() * sizeof(RemovedFace);
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
        if (!painted_ || painted_->before == painted_->after) {
            return;
        }
        CModel& model = scene.models[painted_->model];
        model.faces[painted_->face].material = toAfter ? painted_->after : painted_->before;
        model.TouchTopology();
    }

    std::optional<VertexFlagSnapshot> snapshot_;
    VertexFlagDelta flags_;
    ManipulatorChange manipulator_;
    std::vector<RemovedFace> removed_;
    std::optional<Painted> painted_;
};

}  // namespace

// Pick, for these two tools, is the hit test followed by ProcessHits and
// UpdateGizmo; the face is read between the two.
bool ClickFaceTool(EditHistory& history, CCentigrade& scene, int x, int y) {
    const int tool = scene.toolMode;
    if (tool != ToolDeleteFace && tool != ToolPaintMaterial) {
        return scene.Pick(x, y);
    }
    std::vector<PickHit> records = CollectHits(scene, ClickPickWindow(scene, x, y));
    scene.hitIndex = HandleNone;
    if (records.empty()) {
        return false;
    }
    const PickResult result = ResolveHits(std::move(records));
    const PickHit& best = result.best;
    auto step = std::make_unique<FaceEditStep>(
        tool == ToolDeleteFace ? step_name::kDeleteFace : step_name::kPaintMaterial, scene);
    std::optional<Painted> paint;
    if (best.kind == PickKind::Face) {
        const CModel& model = scene.models[static_cast<std::size_t>(best.object)];
        const CFace& face = model.faces[static_cast<std::size_t>(best.element)];
        if (tool == ToolDeleteFace) {
            step->NoteRemoval(static_cast<std::size_t>(best.object),
                              static_cast<std::size_t>(best.element), face);
        } else {
            paint = Painted{static_cast<std::uint32_t>(best.object),
                            static_cast<std::uint32_t>(best.element), face.material, face.material};
        }
    }
    scene.ProcessHits(result);
    scene.UpdateGizmo();
    if (paint) {
        paint->after = scene.models[paint->model].faces[paint->face].material;
        step->NotePaint(*paint);
    }
    if (step->Finish(scene)) {
        history.Push(std::move(step));
    }
    return true;
}

bool DeleteSelectedFaces(EditHistory& history, CCentigrade& scene, std::string name) {
    auto step = std::make_unique<FaceEditStep>(name, scene);
    std::size_t noted = 0;
    bool any = false;
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        CModel& model = scene.models[m];
        if (model.state != 0) {
            continue;
        }
        const std::size_t from = noted;
        for (std::size_t f = 0; f < model.faces.size(); ++f) {
            if (model.faces[f].selected) {
                step->NoteRemoval(m, f, CFace());
                ++noted;
            }
        }
        if (noted > from) {
            step->RemoveNoted(scene, from);
            model.Touch();
            any = true;
        }
    }
    if (!any) {
        return false;
    }
    scene.UpdateUsedFlags();
    scene.UpdateGizmo();
    step->Finish(scene);
    history.Push(std::move(step));
    return true;
}
