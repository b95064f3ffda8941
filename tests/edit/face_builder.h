// Faces built in tests, with one cleared edge flag per corner.
#pragma once

#include <initializer_list>

#include "scene/face.h"

inline CFace MakeFace(std::initializer_list<int> corners) {
    CFace f;
    f.indices.assign(corners.begin(), corners.end());
    f.edgeSelected.resize(f.indices.size(), false);
    return f;
}
