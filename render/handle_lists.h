// The display lists of the fixed geometry of the view: the axes with the
// ground grid, and the move, rotate and scale manipulators.
#pragma once

#include "render/gl_objects.h"

class HandleLists {
public:
    // Compiles the four lists; needs the context current, as does destroying
    // or releasing built lists.
    void Build();
    void Release() { lists_.reset(); }

    void CallAxis() const;
    // The manipulator of `toolMode` (move, rotate or scale); nothing for other tools.
    void CallManipulator(int toolMode) const;

private:
    GlDisplayLists lists_;  // axis, move, rotate, scale
};

// The contents of the lists, issued into whatever list is being compiled.
void BuildAxisList();
void BuildMoveHandleList();
void BuildRotateHandleList();
void BuildScaleHandleList();
