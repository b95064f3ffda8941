// The small state the commands' enabled and checked rules read. The session
// computes it in O(objects) plus the elements whose selection changed since
// it was last asked, so the menus can follow every edit of a big scene.
#pragma once

#include <cstddef>
#include <string>

#include "edit/selection_counts.h"

struct CommandState {
    // Selected elements of the editable objects.
    SelectionCounts selected;
    std::size_t objects = 0;
    std::size_t materials = 0;
    bool anyEditableObject = false;
    bool currentObject = false;  // currentModel names an object
    bool currentObjectEditable = false;
    bool currentMaterial = false;
    bool clipboardHasFaces = false;
    bool canUndo = false;
    bool canRedo = false;
    // The steps Undo and Redo would take back or do again; empty if none.
    std::string undoName;
    std::string redoName;
    int toolMode = 0;
    int selectMode = 0;
    bool vertexSelectable = false;
    bool edgeSelectable = false;
    bool faceSelectable = false;
    bool showVertices = false;
    bool showEdges = false;
    bool showFaces = false;
    bool showAxis = false;
    bool xray = false;
    // Window state the application fills in; a headless session has none.
    bool statusBarShown = false;
};
