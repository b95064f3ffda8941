// Derived data of one vertex or one face corner, rebuilt by the normal computation.
#pragma once

#include "scene/small_array.h"
#include "scene/vector.h"

class CVertex {
public:
    void AddNormal(const CVector& v) { normal += v; }

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    CVector position;
    CVector normal;
    SmallArray<int, 4> faces;  // faces around the vertex, or averaged into the corner
    bool flag = false;
};
