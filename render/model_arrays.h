// The buffer objects one object is drawn from.
//
// Sending every face, edge and vertex on its own costs too much for big meshes,
// so each object is packed into buffer objects once and drawn with a few calls
// per frame; an edit rewrites only the parts of the buffers it changed. The packing keeps the order
// of face-by-face drawing (materials in list order, faces in face order within a material; selected
// edges before unselected ones; vertices in index order) and hands quads to the GL as quads, so the
// picture is the same.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "render/gl_objects.h"
#include "scene/model.h"

class CMaterial;
class TextureCache;

class ModelArrays {
public:
    // Brings the arrays up to the object's contents. Changed faces or
    // materials rebuild everything; otherwise only the kinds whose revision
    // changed are rewritten in place: the moved span of positions, the
    // selection colours and edge lists, or the span of corner normals. Needs the
    // context current, as does destroying or releasing built arrays.
    void Update(const CModel& model, const std::vector<CMaterial>& materials);
    // Rebuilds everything.
    void Build(const CModel& model, const std::vector<CMaterial>& materials);
    void Release();

    // The lit surfaces, material by material in list order, each material's
    // alpha scaled by `opacity`. Faces naming no material, faces of other
    // than 3 or 4 corners and hidden faces are not drawn.
    void DrawFaces(const std::vector<CMaterial>& materials, TextureCache& textures,
                   float opacity = 1) const;
    // Selected edges in (0.5, 0.9, 0.7), then the others in (0.9, 0.5, 0.7);
    // the edges of hidden faces are not drawn.
    void DrawEdges() const;
    // Vertices in use and not hidden (see BuildPoints), selected ones in
    // (0.5, 0.9, 0.7).
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
    };
    // The drawn corners that use one vertex lie in [first, last].
    struct CornerSpan {
        std::uint32_t first = UINT32_MAX;
        std::uint32_t last = 0;
    };

    bool HasMaterials(const std::vector<CMaterial>& materials) const;
    void BuildFaces(const CModel& model, const std::vector<CMaterial>& materials);
    void WriteCornerUvs(const CModel& model);
    void WriteCornerPositions(const CModel& model, VertexSpan vertices);
    void WriteCornerNormals(const CModel& model, FaceSpan faces);
    void BuildEdges(const CModel& model);
    void WriteSelectedEdges(const CModel& model, FaceSpan faces);
    void BuildPoints(const CModel& model);
    void WritePointPositions(const CModel& model, VertexSpan vertices);
    void WritePointColours(const CModel& model, VertexSpan vertices);

    // The revisions of the object the arrays show.
    std::uint64_t positions_ = 0;
    std::uint64_t selection_ = 0;
    std::uint64_t topology_ = 0;
    std::uint64_t normals_ = 0;
    std::vector<int> materialIds_;

    // Corner positions, then corner normals (negated), then (u, -v) when the
    // object has texture coordinates at all, each attribute packed.
    GlBuffer cornerBuffer_;
    std::uint32_t cornerCount_ = 0;
    bool hasUvs_ = false;
    std::vector<FaceGroup> groups_;
    std::vector<FaceRun> runs_;
    std::vector<int> groupOfMaterial_;  // per material slot; -1 when no face uses it
    // Where each drawn corner takes its position from, where each face's
    // corners start (kNotDrawn for faces not drawn), and which corners each
    // vertex feeds: what a partial update needs to find its corners.
    std::vector<std::uint32_t> cornerVertex_;
    std::vector<std::uint32_t> faceFirstCorner_;
    std::vector<CornerSpan> vertexCorners_;

    GlBuffer pointBuffer_;  // vertex positions as stored, then one colour per vertex
    std::uint32_t vertexCount_ = 0;
    GlBuffer edgeIndexBuffer_;  // every edge
    std::uint32_t edgeIndices_ = 0;
    GlBuffer selectedEdgeBuffer_;  // the selected edges
    std::uint32_t selectedEdgeIndices_ = 0;
    std::vector<std::uint8_t> edgeBits_;  // per face, bit e for a selected edge e
    GlBuffer usedPointIndexBuffer_;       // empty when every vertex is drawn
    std::uint32_t usedPointCount_ = 0;
};
