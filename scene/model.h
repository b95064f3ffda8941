// One polygon object.
#pragma once

#include <string>
#include <vector>

#include "scene/face.h"
#include "scene/large_array_allocator.h"
#include "scene/vector.h"
#include "scene/vertex.h"

class CModel {
public:
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
    int state = 0;  // 0 editable, 1 locked, 2 and 3 hidden
    LargeArray<CVertex> vertexInfo;
};
