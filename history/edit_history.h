// The undo history of one document: a list of steps with the position between
// done and undone ones, a memory cap that drops the oldest steps (never the
// one just done or undone), and a clean position that tells when the scene
// equals the last saved state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "history/undo_step.h"

class CCentigrade;
class TransformStep;

class EditHistory {
public:
    static constexpr std::size_t kDefaultMemoryCap = std::size_t{256} << 20;

    EditHistory();
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // Adds a done step; the undone steps after the current position are dropped.
    void Push(std::unique_ptr<UndoStep> step);

    // Neither is possible while a transform is being recorded.
    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the step Undo or Redo would take back or do again; empty if none.
    std::string UndoName() const;
    std::string RedoName() const;
    SceneChange Undo(CCentigrade& scene);
    SceneChange Redo(CCentigrade& scene);

    // Forgets every step (a new or opened document); that state is clean.
    void Clear();

    // The scene was saved: the current position is the clean one.
    void SetClean();
    // Whether the scene is at the clean position. False for good once the
    // clean state can no longer be reached (its steps dropped or replaced).
    bool IsClean() const;

    void SetMemoryCap(std::size_t bytes);
    std::size_t MemoryCap() const { return cap_; }
    std::size_t Bytes() const { return bytes_; }
    std::size_t Count() const { return steps_.size(); }
    // The number of done steps.
    std::size_t Index() const { return index_; }
    // Changes whenever a step is added, undone or redone, or the history is cleared.
    std::uint64_t Revision() const { return revision_; }

    // --- Transforms: a manipulator drag from press to release, or one typed
    // value of the move, rotate or scale forms.
    // Records the affected vertices as they are now. Call after the press's
    // pick, before the first change.
    void BeginTransform(const CCentigrade& scene, std::string_view name);
    // Adds the step when the transform changed anything. Without a transform
    // begun, does nothing. True when a step was added.
    bool EndTransform(const CCentigrade& scene);
    bool TransformPending() const { return pending_ != nullptr; }
    // Begin, `edit()`, End.
    template <typename Edit>
    bool RecordTransform(CCentigrade& scene, std::string_view name, Edit edit) {
        BeginTransform(scene, name);
        edit();
        return EndTransform(scene);
    }

private:
    struct Entry {
        std::unique_ptr<UndoStep> step;
        std::size_t bytes = 0;
    };

    void Remeasure(Entry& entry);
    void DropOldest();
    void DropNewest();
    // Drops steps until the cap holds, older ones first, but never step
    // `keep`: the one just done, undone or redone, however big.
    void Trim(std::size_t keep);

    std::deque<Entry> steps_;
    std::size_t index_ = 0;
    std::optional<std::size_t> clean_ = 0;
    std::size_t bytes_ = 0;
    std::size_t cap_ = kDefaultMemoryCap;
    std::uint64_t revision_ = 0;
    std::unique_ptr<TransformStep> pending_;
};
