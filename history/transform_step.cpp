#include "history/transform_step.h"

#include <algorithm>
#include <utility>

#include "scene/centigrade.h"

TransformStep::TransformStep(std::string name, const CCentigrade& scene)
    : UndoStep(std::move(name)), manipulator_(scene) {}

// Two passes: the runs first, from the flags alone, then the positions of the
// runs into a buffer of exactly their size.
std::unique_ptr<TransformStep> TransformStep::Capture(const CCentigrade& scene, std::string name) {
    std::unique_ptr<TransformStep> step(new TransformStep(std::move(name), scene));
    std::size_t total = 0;
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        const CModel& model = scene.models[m];
        if (model.state != 0) {
            continue;
        }
        const CVector* v = model.vertices.data();
        const std::size_t n = model.vertices.size();
        const std::size_t runsBefore = step->runs_.size();
        std::size_t i = 0;
        while (i < n) {
            while (i < n && !(v[i].selected || v[i].mark)) {
                ++i;
            }
            const std::size_t first = i;
            while (i < n && (v[i].selected || v[i].mark)) {
                ++i;
            }
            if (i > first) {
                step->runs_.push_back({static_cast<std::uint32_t>(m),
                                       static_cast<std::uint32_t>(first),
                                       static_cast<std::uint32_t>(i - first)});
                total += i - first;
            }
        }
        if (step->runs_.size() > runsBefore) {
            step->revisions_.emplace_back(static_cast<std::uint32_t>(m), model.revision);
            step->contents_.push_back({static_cast<std::uint32_t>(m), model.PositionsContent(),
                                       model.PositionsContent()});
        }
    }
    step->runs_.shrink_to_fit();
    step->positions_ = std::make_unique_for_overwrite<Position[]>(total);
    step->positionCount_ = total;
    Position* out = step->positions_.get();
    for (const Run& run : step->runs_) {
        const CVector* v = scene.models[run.model].vertices.data() + run.first;
        for (std::uint32_t k = 0; k < run.count; ++k) {
            *out++ = {v[k].x, v[k].y, v[k].z};
        }
    }
    return step;
}

bool TransformStep::Changed(const CCentigrade& scene) const {
    for (const auto& [model, revision] : revisions_) {
        if (model < scene.models.size() && scene.models[model].revision != revision) {
            return true;
        }
    }
    return false;
}

void TransformStep::Finish(const CCentigrade& scene) {
    manipulator_.Finish(scene);
    for (Contents& contents : contents_) {
        if (contents.model < scene.models.size()) {
            contents.after = scene.models[contents.model].PositionsContent();
        }
    }
    revisions_.clear();
    revisions_.shrink_to_fit();
}

// A run that no longer fits its object (which a consistent history never
// produces) is passed over rather than written out of bounds. Swapping the
// coordinates the step left for those it found gives back the object's
// coordinates from before (or after) the edit, all of them, and so their
// number; coordinates that something else touched since get a new number.
void TransformStep::SwapPositions(CCentigrade& scene, SceneChange& change,
                                  std::uint64_t Contents::*from, std::uint64_t Contents::*to) {
    Position* p = positions_.get();
    // Runs come object by object; each object's moved span is named once.
    std::size_t spanModel = scene.models.size();
    std::size_t spanFirst = 0;
    std::size_t spanEnd = 0;
    bool everyRunFitted = true;
    const auto nameSpan = [&] {
        if (spanModel >= scene.models.size() || spanEnd <= spanFirst) {
            return;
        }
        CModel& model = scene.models[spanModel];
        const auto contents = std::find_if(contents_.begin(), contents_.end(),
                                           [&](const Contents& c) { return c.model == spanModel; });
        if (everyRunFitted && contents != contents_.end() &&
            model.PositionsContent() == (*contents).*from) {
            model.RestorePositions(spanFirst, spanEnd, (*contents).*to);
        } else {
            model.TouchPositions(spanFirst, spanEnd);
        }
        change.Reshaped(spanModel);
    };
    for (const Run& run : runs_) {
        if (run.model != spanModel) {
            nameSpan();
            spanModel = run.model;
            spanFirst = spanEnd = run.first;
            everyRunFitted = true;
        }
        if (run.model >= scene.models.size() ||
            std::size_t{run.first} + run.count > scene.models[run.model].vertices.size()) {
            p += run.count;
            everyRunFitted = false;
            continue;
        }
        CVector* v = scene.models[run.model].vertices.data() + run.first;
        for (std::uint32_t k = 0; k < run.count; ++k, ++p) {
            const Position held = *p;
            *p = {v[k].x, v[k].y, v[k].z};
            v[k].x = held.x;
            v[k].y = held.y;
            v[k].z = held.z;
        }
        spanEnd = std::size_t{run.first} + run.count;
    }
    nameSpan();
}

void TransformStep::Undo(CCentigrade& scene, SceneChange& change) {
    SwapPositions(scene, change, &Contents::after, &Contents::before);
    manipulator_.Restore(scene, false);
}

void TransformStep::Redo(CCentigrade& scene, SceneChange& change) {
    SwapPositions(scene, change, &Contents::before, &Contents::after);
    manipulator_.Restore(scene, true);
}

std::size_t TransformStep::Bytes() const {
    return sizeof(*this) + NameBytes() + runs_.capacity() * sizeof(Run) +
           positionCount_ * sizeof(Position) + revisions_.capacity() * sizeof(revisions_.front()) +
           contents_.capacity() * sizeof(Contents);
}
