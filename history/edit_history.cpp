#include "history/edit_history.h"

#include <algorithm>
#include <utility>

#include "history/transform_step.h"
#include "scene/centigrade.h"

void SceneChange::Reshaped(std::size_t model) {
    if (std::find(reshapedModels.begin(), reshapedModels.end(), model) == reshapedModels.end()) {
        reshapedModels.push_back(model);
    }
}

EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;

void EditHistory::Push(std::unique_ptr<UndoStep> step) {
    ++revision_;
    while (steps_.size() > index_) {
        DropNewest();
    }
    Entry entry{std::move(step), 0};
    Remeasure(entry);
    steps_.push_back(std::move(entry));
    ++index_;
    Trim(index_ - 1);
}

bool EditHistory::CanUndo() const {
    return !pending_ && index_ > 0;
}

bool EditHistory::CanRedo() const {
    return !pending_ && index_ < steps_.size();
}

std::string EditHistory::UndoName() const {
    return CanUndo() ? steps_[index_ - 1].step->Name() : std::string();
}

std::string EditHistory::RedoName() const {
    return CanRedo() ? steps_[index_].step->Name() : std::string();
}

SceneChange EditHistory::Undo(CCentigrade& scene) {
    SceneChange change;
    if (!CanUndo()) {
        return change;
    }
    ++revision_;
    --index_;
    Entry& entry = steps_[index_];
    entry.step->Undo(scene, change);
    Remeasure(entry);
    Trim(index_);
    return change;
}

SceneChange EditHistory::Redo(CCentigrade& scene) {
    SceneChange change;
    if (!CanRedo()) {
        return change;
    }
    ++revision_;
    Entry& entry = steps_[index_];
    entry.step->Redo(scene, change);
    ++index_;
    Remeasure(entry);
    Trim(index_ - 1);
    return change;
}

void EditHistory::Clear() {
    ++revision_;
    steps_.clear();
    index_ = 0;
    clean_ = 0;
    bytes_ = 0;
    pending_.reset();
}

void EditHistory::SetClean() {
    clean_ = index_;
}

bool EditHistory::IsClean() const {
    return clean_ == index_;
}

void EditHistory::SetMemoryCap(std::size_t bytes) {
    cap_ = bytes;
    if (!steps_.empty()) {
        Trim(index_ > 0 ? index_ - 1 : 0);
    }
}

void EditHistory::BeginTransform(const CCentigrade& scene, std::string_view name) {
    pending_ = TransformStep::Capture(scene, std::string(name));
}

bool EditHistory::EndTransform(const CCentigrade& scene) {
    std::unique_ptr<TransformStep> step = std::move(pending_);
    if (!step || !step->Changed(scene)) {
        return false;
    }
    step->Finish(scene);
    Push(std::move(step));
    return true;
}

void EditHistory::Remeasure(Entry& entry) {
    bytes_ -= entry.bytes;
    entry.bytes = entry.step->Bytes();
    bytes_ += entry.bytes;
}

// The state before the oldest step can no longer be reached.
void EditHistory::DropOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --index_;
    if (clean_) {
        clean_ = *clean_ == 0 ? std::nullopt : std::optional(*clean_ - 1);
    }
}

// The state after the newest step can no longer be reached.
void EditHistory::DropNewest() {
    if (clean_ == steps_.size()) {
        clean_.reset();
    }
    bytes_ -= steps_.back().bytes;
    steps_.pop_back();
}

// Done steps go from the oldest on, undone ones from the far end of the redo
// list; either way the state next to the current one stays reachable.
void EditHistory::Trim(std::size_t keep) {
    while (bytes_ > cap_ && keep > 0) {
        DropOldest();
        --keep;
    }
    while (bytes_ > cap_ && keep + 1 < steps_.size()) {
        DropNewest();
    }
}
