// An object's surface as the real-time formats want it: triangles only,
// corners counter-clockwise seen from the side Quorvel shows, and one vertex
// per distinct position, normal and texture coordinate, so a corner keeps the
// smoothed normal Quorvel lights it with (creases above the smoothing angle
// become split vertices).
#pragma once

#include <cstdint>
#include <vector>

class CMaterial;
class CModel;

struct TriangleMesh {
    struct Part {
        int material = 0;  // index into the scene's material list
        std::vector<std::uint32_t> indices;
    };
    std::vector<float> positions;  // x, y, z a vertex
    std::vector<float> normals;    // unit, pointing out of the side a face is seen from
    std::vector<float> uvs;        // u, v a vertex (v down from the top of the picture)
    bool hasUvs = false;           // some face has texture coordinates; others get (0, 0)
    std::vector<Part> parts;       // one a material that has triangles, in list order
};

// Faces of two corners and faces whose material is not in `materials` have no
// surface and are left out. The object's corner normals are used when they
// are current; otherwise they are computed on a copy.
TriangleMesh BuildTriangleMesh(const CModel& model, const std::vector<CMaterial>& materials);
