// The buffer objects one object is drawn from.
//
// Sending every face, edge and vertex on its own costs too much for big meshes,
// so each object is packed into buffer objects once and drawn with a few calls
// per frame until it changes. The packing keeps the order of face-by-face
// drawing (materials in list order, faces in face order within a material;
// selected edges before unselected ones; vertices in index order) and hands
// quads to the GL as quads, so the picture is the same.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "render/gl_objects.h"

class CMaterial;
class CModel;
class TextureCache;

class ModelArrays {
public:
    // Whether the arrays were built from these object contents (its revision)
    // and from materials with these numbers in this order.
    bool IsBuiltFrom(const CModel& model, const std::vector<CMaterial>& materials) const;
    // Rebuilds everything; needs the context current, as does destroying or
    // releasing built arrays.
    void Build(const CModel& model, const std::vector<CMaterial>& materials);
    void Release();

    // The lit surfaces, material by material in list order. Faces naming no
    // material and faces of other than 3 or 4 corners are not drawn.
    void DrawFaces(const std::vector<CMaterial>& materials, TextureCache& textures) const;
    // Selected edges in (0.5, 0.9, 0.7), then the others in (0.9, 0.5, 0.7).
    void DrawEdges() const;
    // Vertices that some face uses, selected ones in (0.5, 0.9, 0.7).
    void DrawVertices() const;

private:
    // Consecutive faces of one material with the same corner count, drawn as
    // one batch of triangles or quads: the batches the GL would have merged
    // from face-by-face drawing, so it splits the quads the same way.
    struct FaceRun {
        unsigned mode = 0;
        std::uint32_t firstCorner = 0;
        std::uint32_t cornerCount = 0;
    };
    // The faces of one material number.
    struct FaceGroup {
        std::uint32_t firstRun = 0;
        std::uint32_t runCount = 0;
        bool hasUvs = false;
    };

    void BuildFaces(const CModel& model, const std::vector<CMaterial>& materials);
    void BuildEdges(const CModel& model);
    void BuildPoints(const CModel& model);

    std::uint64_t revision_ = 0;
    std::vector<int> materialIds_;

    GlBuffer cornerBuffer_;
    int cornerStride_ = 0;  // bytes
    std::vector<FaceGroup> groups_;
    std::vector<FaceRun> runs_;
    std::vector<int> groupOfMaterial_;  // per material slot; -1 when no face uses it

    GlBuffer pointBuffer_;  // vertex positions as stored, then one colour per vertex
    std::uint32_t vertexCount_ = 0;
    GlBuffer edgeIndexBuffer_;
    std::uint32_t selectedEdgeIndices_ = 0;
    std::uint32_t unselectedEdgeIndices_ = 0;
    GlBuffer usedPointIndexBuffer_;  // empty when every vertex is used
    std::uint32_t usedPointCount_ = 0;
};
