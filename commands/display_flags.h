// What the 3D view shows: the four toggles of the display bar.
#pragma once

#include "scene/centigrade.h"

enum class DisplayFlag { Vertices, Edges, Faces, Axis };

// The scene's field of `flag`.
constexpr bool CCentigrade::*DisplayFlagField(DisplayFlag flag) {
    constexpr bool CCentigrade::*kFields[] = {&CCentigrade::showVertices, &CCentigrade::showEdges,
                                              &CCentigrade::showFaces, &CCentigrade::showAxis};
    return kFields[static_cast<int>(flag)];
}
