// Steps of the modelling commands. A command rebuilds the arrays of a few
// objects or changes them in place, may clear the selection of others, append
// objects and materials and remove objects; it hands what it replaced to a
// PriorState. For a rebuilt object the step keeps the arrays of the state the
// scene does not hold, and undo and redo swap them with the scene's: O(1)
// whatever the size of the object. For an object changed in place it keeps
// the vertices of the other state (swapped likewise), the flags of its faces,
// the faces changed and those appended. Either way the result is exact.
#pragma once

#include <memory>
#include <string_view>

#include "modelling/modelling_result.h"
#include "modelling/prior_state.h"

class CCentigrade;
class EditHistory;
class GeometryStep;

// One command under way: the state before it, and what the command hands over.
class GeometryRecording {
public:
    GeometryRecording(const CCentigrade& scene, std::string_view name);
    ~GeometryRecording();
    GeometryRecording(const GeometryRecording&) = delete;
    GeometryRecording& operator=(const GeometryRecording&) = delete;

    PriorState& Prior() { return prior_; }
    // Adds the step when the command changed anything. True when it did.
    bool Finish(EditHistory& history, CCentigrade& scene, const ModellingResult& result);
    // The command failed half-way: what it changed is put back.
    void Abandon(CCentigrade& scene);

private:
    std::unique_ptr<GeometryStep> step_;
    PriorState prior_;
};

// Runs edit(prior), a modelling command given the PriorState to fill, and
// records what it changed as one step named `name` (none when it refused or
// changed nothing). When edit throws, the scene is put back as it was.
template <typename Edit>
ModellingResult RecordGeometryEdit(EditHistory& history, CCentigrade& scene, std::string_view name,
                                   Edit edit) {
    GeometryRecording recording(scene, name);
    try {
        ModellingResult result = edit(recording.Prior());
        recording.Finish(history, scene, result);
        return result;
    } catch (...) {
        recording.Abandon(scene);
        throw;
    }
}
