// A move, rotation or scaling of the affected vertices: their indices, as runs,
// and their positions from before the edit. Undo and redo swap the stored
// positions with the scene's, so one buffer serves both directions and the
// result is exact (a float rotation has no exact inverse).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "history/manipulator_state.h"
#include "history/undo_step.h"

class TransformStep : public UndoStep {
public:
    // Records the vertices a transform would change now: those selected or
    // marked in editable objects, with their positions and the manipulator.
    static std::unique_ptr<TransformStep> Capture(const CCentigrade& scene, std::string name);

    // Whether any object holding a recorded vertex was touched since Capture.
    bool Changed(const CCentigrade& scene) const;
    // Records the manipulator after the edit; the step is then complete.
    void Finish(const CCentigrade& scene);

    void Undo(CCentigrade& scene, SceneChange& change) override;
    void Redo(CCentigrade& scene, SceneChange& change) override;
    std::size_t Bytes() const override;

    std::size_t VertexCount() const { return positionCount_; }

private:
    struct Run {
        std::uint32_t model;
        std::uint32_t first;
        std::uint32_t count;
    };
    struct Position {
        float x;
        float y;
        float z;
    };

    // The numbers of a recorded object's coordinates before and after the
    // edit (CModel::PositionsContent).
    struct Contents {
        std::uint32_t model;
        std::uint64_t before;
        std::uint64_t after;
    };

    TransformStep(std::string name, const CCentigrade& scene);
    // Swaps, and names the coordinates of an object that had those `from`
    // named by `to` instead.
    void SwapPositions(CCentigrade& scene, SceneChange& change, std::uint64_t Contents::*from,
                       std::uint64_t Contents::*to);

    std::vector<Run> runs_;
    std::unique_ptr<Position[]> positions_;
    std::size_t positionCount_ = 0;
    // The revision of each recorded object at Capture; emptied by Finish.
    std::vector<std::pair<std::uint32_t, std::uint64_t>> revisions_;
    std::vector<Contents> contents_;  // in the order of the runs' objects
    ManipulatorChange manipulator_;
};
