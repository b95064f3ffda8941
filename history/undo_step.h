// One reversible edit of the scene. A step holds what its edit changed and no
// more (a delta), so a move of k vertices costs O(k), not a copy of the scene.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CCentigrade;

// What an undo or redo changed, so that the caller refreshes only that: normals
// of the reshaped objects, the object list, the material list.
struct SceneChange {
    std::vector<std::size_t> reshapedModels;  // vertex positions or faces changed
    bool objectList = false;                  // objects added, removed or their fields edited
    bool materialList = false;                // materials added, removed or edited

    void Reshaped(std::size_t model);
};

class UndoStep {
public:
    explicit UndoStep(std::string name) : name_(std::move(name)) {}
    virtual ~UndoStep() = default;
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    // The name the Edit menu shows, in Japanese.
    const std::string& Name() const { return name_; }

    // Each restores exactly the state the other left and calls CModel::Touch on
    // the objects it changes.
    virtual void Undo(CCentigrade& scene, SceneChange& change) = 0;
    virtual void Redo(CCentigrade& scene, SceneChange& change) = 0;

    // The memory the step holds now, from the capacities of its containers. It
    // may differ after an undo: a step can hold removed records only while
    // they are out of the scene.
    virtual std::size_t Bytes() const = 0;

protected:
    std::size_t NameBytes() const { return name_.capacity() + 1; }

private:
    std::string name_;
};
