// One polygon object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/face.h"
#include "scene/large_array_allocator.h"
#include "scene/vector.h"
#include "scene/vertex.h"

// A number no other object contents ever had: see CModel::revision.
std::uint64_t NextModelRevision();

class CModel {
public:
    // Every operation that changes what is drawn of the object (positions,
    // faces, corner normals, selection flags) must call this, so that caches
    // built from the object (the renderer's vertex arrays) are rebuilt.
    void Touch() { revision = NextModelRevision(); }

    // Face normals from the first three corners of every face of 3 or more corners.
    void ComputeFaceNormals();
    // Face normals, per-vertex face lists and smoothed corner normals under `facet`.
    // `smooth` is the scene's shading switch and does not change the result.
    void ComputeNormals(int smooth);

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    int id = 0;
    std::string name = "Model";  // CP932 bytes
    int mirrorAxis = 0;
    float facet = 59.5f;  // smoothing angle in degrees
    LargeArray<CVector> vertices;
    LargeArray<CFace> faces;
    // 0 editable, 1 locked, 2 and 3 hidden.
    bool IsEditable() const { return state == 0; }
    bool IsHidden() const { return state >= 2; }
    int state = 0;
    LargeArray<CVertex> vertexInfo;
    // Names the contents: a new object gets a fresh number, a copy keeps its
    // original's (same contents), and Touch issues a fresh one.
    std::uint64_t revision = NextModelRevision();
};
