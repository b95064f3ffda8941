// One polygon object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/face.h"
#include "scene/large_array_allocator.h"
#include "scene/vector.h"
#include "scene/vertex.h"

// A number no other object contents ever had: see CModel::revision.
std::uint64_t NextModelRevision();

// The vertices or faces [first, end) of an object.
struct IndexSpan {
    std::size_t first = 0;
    std::size_t end = 0;

    bool Empty() const { return first >= end; }
    bool Contains(const IndexSpan& other) const { return first <= other.first && other.end <= end; }
    // The smallest span holding both.
    IndexSpan Union(const IndexSpan& other) const {
        if (other.Empty()) {
            return *this;
        }
        if (Empty()) {
            return other;
        }
        return {first < other.first ? first : other.first, end > other.end ? end : other.end};
    }
};
using VertexSpan = IndexSpan;
using FaceSpan = IndexSpan;

// The elements whose selection flags may differ between two revisions.
struct SelectionChanges {
    VertexSpan vertices;
    FaceSpan faces;
};

class CModel {
public:
    // Caches built from the object (the renderer's buffers, the pick's
    // projected positions) compare these numbers with those they were built
    // from, and refresh only the parts whose kind changed. Each Touch issues a
    // fresh number to its kinds and to `revision`, the number of the whole.

    // Everything may have changed.
    void Touch() {
        const std::uint64_t r = NextModelRevision();
        revision = positionsRevision = selectionRevision = topologyRevision = normalsRevision = r;
    }
    // Vertex coordinates of [first, end) moved; nothing else changed.
    void TouchPositions(std::size_t first, std::size_t end) {
        const VertexSpan changed{first, end};
        // Repeated moves of the same vertices (the steps of a drag) keep one
        // span, so a cache a few steps behind still refreshes only that span.
        if (spanRevision_ != positionsRevision || !positionSpan_.Contains(changed)) {
            positionSpanSince_ = positionsRevision;
            positionSpan_ = changed;
        }
        revision = positionsRevision = spanRevision_ = NextModelRevision();
    }
    void TouchPositions() { TouchPositions(0, vertices.size()); }
    // Selection flags or marks of vertices, faces or edges changed.
    void TouchSelection() { revision = selectionRevision = NextModelRevision(); }
    // Marks changed, and selection flags of `vertices` and of `faces` (their
    // edge flags included) alone.
    void TouchSelection(VertexSpan changedVertices, FaceSpan changedFaces) {
        // Spans of consecutive touches add up, so a cache that saw any
        // revision since the first of them refreshes their union.
        if (selectionSpanRevision_ != selectionRevision) {
            selectionSpanSince_ = selectionRevision;
            selectionSpan_ = {};
        }
        selectionSpan_.vertices = selectionSpan_.vertices.Union(changedVertices);
        selectionSpan_.faces = selectionSpan_.faces.Union(changedFaces);
        revision = selectionRevision = selectionSpanRevision_ = NextModelRevision();
    }
    // Faces were added, removed or given another material, or vertices were
    // added or became unused.
    void TouchTopology() { revision = topologyRevision = NextModelRevision(); }
    // Face and corner normals were recomputed.
    void TouchNormals() { revision = normalsRevision = NextModelRevision(); }

    // The vertices whose coordinates may have changed since a cache saw
    // positionsRevision `seen`: every vertex when the changes are not known.
    VertexSpan PositionChangesSince(std::uint64_t seen) const {
        if (seen == positionsRevision) {
            return {};
        }
        if (spanRevision_ == positionsRevision && seen >= positionSpanSince_) {
            return positionSpan_;
        }
        return {0, vertices.size()};
    }

    // The vertices and faces whose selection flags may have changed since a
    // cache saw selectionRevision `seen`: all of them when that is not known.
    SelectionChanges SelectionChangesSince(std::uint64_t seen) const {
        if (seen == selectionRevision) {
            return {};
        }
        if (selectionSpanRevision_ == selectionRevision && seen >= selectionSpanSince_) {
            return selectionSpan_;
        }
        return {{0, vertices.size()}, {0, faces.size()}};
    }

    // Face normals from the first three corners of every face of 3 or more corners.
    void ComputeFaceNormals();
    // Face normals, per-vertex face lists and smoothed corner normals under `facet`.
    // `smooth` is the scene's shading switch and does not change the result.
    void ComputeNormals(int smooth);
    // The same result, but after a move of a few vertices since the last
    // computation (a drag, a typed move, their undo) only the faces and
    // corners around them are computed again.
    void UpdateNormals(int smooth);

    // Flags the vertices no face uses; the marks are left on the used ones.
    void UpdateUsedFlags();

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
    // Name the contents: a new object gets fresh numbers, a copy keeps its
    // original's (same contents).
    std::uint64_t revision = NextModelRevision();
    std::uint64_t positionsRevision = revision;
    std::uint64_t selectionRevision = revision;
    std::uint64_t topologyRevision = revision;
    std::uint64_t normalsRevision = revision;

private:
    // The vertices moved since positions revision positionSpanSince_, valid
    // while spanRevision_ is the current positions revision.
    VertexSpan positionSpan_;
    std::uint64_t positionSpanSince_ = 0;
    std::uint64_t spanRevision_ = 0;
    // The same for selection flags.
    SelectionChanges selectionSpan_;
    std::uint64_t selectionSpanSince_ = 0;
    std::uint64_t selectionSpanRevision_ = 0;
    void RememberNormals();

    // What the normals were last computed from, by ComputeNormals or
    // UpdateNormals: they hold while normalsRevision is normalsRevision_.
    std::uint64_t normalsRevision_ = 0;
    std::uint64_t normalsPositions_ = 0;
    float normalsFacet_ = 0;
    // The topology and face count vertexInfo's face lists were built from.
    std::uint64_t vertexFacesTopology_ = 0;
    std::size_t vertexFacesCount_ = 0;
};
