// The display lists of the fixed geometry of the view: the axes with the
// ground grid, and the move, rotate and scale manipulators.
#pragma once

class HandleLists {
public:
    // Compiles the four lists; needs the context current.
    void Build();
    // Deletes them; needs the context current.
    void Release();

    void CallAxis() const;
    // The manipulator of `toolMode` (move, rotate or scale); nothing for other tools.
    void CallManipulator(int toolMode) const;

private:
    unsigned base_ = 0;  // four consecutive list names: axis, move, rotate, scale
};

// The contents of the lists, issued into whatever list is being compiled.
void BuildAxisList();
void BuildMoveHandleList();
void BuildRotateHandleList();
void BuildScaleHandleList();
