// One polygon of an object: 2 (a line), 3 or 4 corners.
#pragma once

#include <vector>

#include "scene/small_array.h"
#include "scene/vector.h"

// The smoothed normals of the corners are the object's (CModel::CornerNormal),
// packed apart from the faces: they are rebuilt as a whole and read as a whole.
class CFace {
public:
    bool IsEdgeSelected(int i) const { return edgeSelected[static_cast<std::size_t>(i)]; }
    void SetEdgeSelected(int i, bool on) { edgeSelected[static_cast<std::size_t>(i)] = on; }
    void SetAllEdges(bool on);

    void Serialize(ArchiveReader& ar);

    CVector normal;
    int material = 0;  // a CMaterial::id, not a list position
    bool selected = false;
    bool visited = false;
    // Hidden from drawing and picking: a state of the view, never stored, and
    // never selected. Changing it is a topology change (CModel::TouchTopology):
    // the face leaves or joins what is drawn and picked.
    bool hidden = false;
    SmallArray<int, 4> indices;
    std::vector<CUV> uvs;              // empty, or one per corner
    SmallArray<bool, 4> edgeSelected;  // edge i joins corner i and corner (i + 1) % n
};
