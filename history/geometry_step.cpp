#include "history/geometry_step.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "history/edit_history.h"
#include "history/list_tail.h"
#include "history/manipulator_state.h"
#include "history/record_bytes.h"
#include "history/record_steps.h"
#include "history/undo_step.h"
#include "scene/centigrade.h"

namespace {

std::size_t ArrayBytes(const LargeArray<CVector>& vertices, const LargeArray<CFace>& faces) {
    std::size_t bytes = vertices.capacity() * sizeof(CVector) + faces.capacity() * sizeof(CFace);
    for (const CFace& face : faces) {
        bytes += HeapBytes(face);
    }
    return bytes;
}

// The faces from `first` on.
std::size_t FacesBytes(const LargeArray<CFace>& faces, std::size_t first) {
    std::size_t bytes = 0;
    for (std::size_t f = first; f < faces.size(); ++f) {
        bytes += sizeof(CFace) + HeapBytes(faces[f]);
    }
    return bytes;
}

}  // namespace

// Indices: `before` is an object's place before the command, `after` its
// place once the removed objects are out (the appended ones come after all).
class GeometryStep : public UndoStep {
public:
    GeometryStep(std::string_view name, const CCentigrade& before)
        : UndoStep(std::string(name)),
          before_(AppendMark::Of(before)),
          after_(before_),
          manipulator_(before) {}

    // Takes what `prior` kept; the scene is in the state after the command.
    void Finish(const CCentigrade& scene, PriorState&& prior) {
        after_ = AppendMark::Of(scene);
        manipulator_.Finish(scene);
        for (PriorState::Removed& r : prior.removed) {
            removed_.push_back({r.object, std::move(r.model), 0});
        }
        std::sort(
            removed_.begin(), removed_.end(),
            [](const RemovedObject& a, const RemovedObject& b) { return a.before < b.before; });
        for (RemovedObject& r : removed_) {
            r.bytes = sizeof(CModel) + HeapBytes(r.model);
        }
        for (PriorState::Arrays& a : prior.arrays) {
            const CModel& model = scene.models[AfterIndex(a.object)];
            HeldArrays held{a.object, std::move(a.vertices), std::move(a.faces), 0, 0};
            held.heldBytes = ArrayBytes(held.vertices, held.faces);
            held.otherBytes = ArrayBytes(model.vertices, model.faces);
            arrays_.push_back(std::move(held));
        }
        for (PriorState::InPlace& p : prior.inPlace) {
            const CModel& model = scene.models[AfterIndex(p.object)];
            HeldInPlace held{std::move(p), {}, 0};
            held.appendedBytes = FacesBytes(model.faces, held.kept.faceCount);
            inPlace_.push_back(std::move(held));
        }
        for (PriorState::Flags& f : prior.flags) {
            flags_.push_back(std::move(f));
        }
        for (std::size_t m = FirstAppended(); m < scene.models.size(); ++m) {
            appendedBytes_ += sizeof(CModel) + HeapBytes(scene.models[m]);
        }
        for (std::size_t m = before_.materials; m < scene.materials.size(); ++m) {
            appendedBytes_ += sizeof(CMaterial) + HeapBytes(scene.materials[m]);
        }
        prior = PriorState();
    }

    void Undo(CCentigrade& scene, SceneChange& change) override {
        MoveTail(scene.models, FirstAppended(), appended_);
        MoveTail(scene.materials, before_.materials, appendedMaterials_);
        SwapArrays(scene, change, false);
        for (HeldInPlace& p : inPlace_) {
            UndoInPlace(scene.models[AfterIndex(p.kept.object)], p);
            change.Reshaped(p.kept.object);
        }
        for (RemovedObject& r : removed_) {
            scene.models.insert(scene.models.begin() + static_cast<std::ptrdiff_t>(r.before),
                                std::move(r.model));
            r.model = CModel();
            change.Reshaped(r.before);
        }
        SwapFlags(scene);
        RestoreAppendMark(scene, before_, after_);
        manipulator_.Restore(scene, false);
        done_ = false;
        NoteLists(change);
    }

    void Redo(CCentigrade& scene, SceneChange& change) override {
        SwapFlags(scene);
        for (auto r = removed_.rbegin(); r != removed_.rend(); ++r) {
            r->model = std::move(scene.models[r->before]);
            scene.models.erase(scene.models.begin() + static_cast<std::ptrdiff_t>(r->before));
        }
        SwapArrays(scene, change, true);
        for (HeldInPlace& p : inPlace_) {
            const std::size_t place = AfterIndex(p.kept.object);
            RedoInPlace(scene.models[place], p);
            change.Reshaped(place);
        }
        for (CModel& model : appended_) {
            change.Reshaped(scene.models.size());
            scene.models.push_back(std::move(model));
        }
        appended_.clear();
        appended_.shrink_to_fit();
        for (CMaterial& material : appendedMaterials_) {
            scene.materials.push_back(std::move(material));
        }
        appendedMaterials_.clear();
        appendedMaterials_.shrink_to_fit();
        RestoreAppendMark(scene, after_, before_);
        manipulator_.Restore(scene, true);
        done_ = true;
        NoteLists(change);
    }

    std::size_t Bytes() const override {
        std::size_t bytes = sizeof(*this) + NameBytes();
        for (const HeldArrays& a : arrays_) {
            bytes += sizeof(HeldArrays) + a.heldBytes;
        }
        for (const PriorState::Flags& f : flags_) {
            bytes += sizeof(f) + f.vertices.capacity() + f.faces.capacity();
        }
        for (const HeldInPlace& p : inPlace_) {
            bytes += sizeof(HeldInPlace) + p.kept.vertices.capacity() * sizeof(CVector) +
                     p.kept.faceFlags.capacity() + p.keptBytes();
            if (!done_) {
                bytes += p.appendedBytes;
            }
        }
        if (done_) {
            for (const RemovedObject& r : removed_) {
                bytes += r.bytes;
            }
        } else {
            bytes += appendedBytes_;
        }
        return bytes;
    }

private:
    struct HeldArrays {
        std::size_t before;
        LargeArray<CVector> vertices;
        LargeArray<CFace> faces;
        std::size_t heldBytes;   // of the arrays held now
        std::size_t otherBytes;  // of those the scene holds
    };
    struct HeldInPlace {
        PriorState::InPlace kept;
        LargeArray<CFace> appended;  // held while the step is undone
        std::size_t appendedBytes;

        std::size_t keptBytes() const {
            std::size_t bytes = kept.changed.capacity() * sizeof(PriorState::KeptFace);
            for (const PriorState::KeptFace& k : kept.changed) {
                bytes += HeapBytes(k.face);
            }
            return bytes;
        }
    };
    struct RemovedObject {
        std::size_t before;
        CModel model;  // held while the step is done
        std::size_t bytes;
    };

    std::size_t AfterIndex(std::size_t before) const {
        const auto below =
            std::count_if(removed_.begin(), removed_.end(),
                          [before](const RemovedObject& r) { return r.before < before; });
        return before - static_cast<std::size_t>(below);
    }
    std::size_t FirstAppended() const { return before_.models - removed_.size(); }

    // The scene's list is without the removed objects and the appended ones;
    // the change names the places the objects take once the step is through.
    void SwapArrays(CCentigrade& scene, SceneChange& change, bool redo) {
        for (HeldArrays& a : arrays_) {
            const std::size_t place = AfterIndex(a.before);
            CModel& model = scene.models[place];
            model.vertices.swap(a.vertices);
            model.faces.swap(a.faces);
            std::swap(a.heldBytes, a.otherBytes);
            model.Touch();
            change.Reshaped(redo ? place : a.before);
        }
    }

    // The faces the command changed go back before the flags of all faces
    // do, so the flags of a changed face are right whenever it was kept.
    static void UndoInPlace(CModel& model, HeldInPlace& p) {
        const auto tail = model.faces.begin() + static_cast<std::ptrdiff_t>(p.kept.faceCount);
        p.appended.assign(std::make_move_iterator(tail),
                          std::make_move_iterator(model.faces.end()));
        model.faces.erase(tail, model.faces.end());
        SwapChangedFaces(model, p);
        SwapFaceFlags(model, p);
        model.vertices.swap(p.kept.vertices);
        model.Touch();
    }

    static void RedoInPlace(CModel& model, HeldInPlace& p) {
        model.vertices.swap(p.kept.vertices);
        SwapFaceFlags(model, p);
        SwapChangedFaces(model, p);
        model.faces.insert(model.faces.end(), std::make_move_iterator(p.appended.begin()),
                           std::make_move_iterator(p.appended.end()));
        p.appended = LargeArray<CFace>();
        model.Touch();
    }

    static void SwapChangedFaces(CModel& model, HeldInPlace& p) {
        for (PriorState::KeptFace& k : p.kept.changed) {
            std::swap(model.faces[k.index], k.face);
        }
    }

    static void SwapFaceFlags(CModel& model, HeldInPlace& p) {
        for (std::size_t f = 0; f < p.kept.faceCount; ++f) {
            const std::uint8_t held = p.kept.faceFlags[f];
            p.kept.faceFlags[f] = PackedFlags(model.faces[f]);
            SetPackedFlags(model.faces[f], held);
        }
    }

    // The scene's list is the one before the command.
    void SwapFlags(CCentigrade& scene) {
        for (PriorState::Flags& f : flags_) {
            CModel& model = scene.models[f.object];
            for (std::size_t v = 0; v < f.vertices.size(); ++v) {
                const std::uint8_t held = f.vertices[v];
                f.vertices[v] = PackedFlags(model.vertices[v]);
                SetPackedFlags(model.vertices[v], held);
            }
            for (std::size_t k = 0; k < f.faces.size(); ++k) {
                const std::uint8_t held = f.faces[k];
                f.faces[k] = PackedFlags(model.faces[k]);
                SetPackedFlags(model.faces[k], held);
            }
            model.TouchSelection();
        }
    }

    void NoteLists(SceneChange& change) const {
        change.objectList = change.objectList || !removed_.empty() ||
                            FirstAppended() != after_.models ||
                            before_.currentModel != after_.currentModel;
        change.materialList = change.materialList || before_.materials != after_.materials;
    }

    AppendMark before_;
    AppendMark after_;
    ManipulatorChange manipulator_;
    std::vector<HeldArrays> arrays_;
    std::vector<HeldInPlace> inPlace_;
    std::vector<PriorState::Flags> flags_;
    std::vector<RemovedObject> removed_;
    std::vector<CModel> appended_;              // held while undone
    std::vector<CMaterial> appendedMaterials_;  // held while undone
    std::size_t appendedBytes_ = 0;
    bool done_ = true;
};

GeometryRecording::GeometryRecording(const CCentigrade& scene, std::string_view name)
    : step_(std::make_unique<GeometryStep>(name, scene)) {}

GeometryRecording::~GeometryRecording() = default;

bool GeometryRecording::Finish(EditHistory& history, CCentigrade& scene,
                               const ModellingResult& result) {
    if (result.Refused() || !result.Changed()) {
        return false;
    }
    step_->Finish(scene, std::move(prior_));
    history.Push(std::move(step_));
    return true;
}

void GeometryRecording::Abandon(CCentigrade& scene) {
    step_->Finish(scene, std::move(prior_));
    SceneChange ignored;
    step_->Undo(scene, ignored);
}
