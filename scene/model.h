// One polygon object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/face.h"
#include "scene/large_array_allocator.h"
#include "scene/normals_spare.h"
#include "scene/vector.h"
#include "scene/vertex_face_lists.h"

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

    SelectionChanges Union(const SelectionChanges& other) const {
        return {vertices.Union(other.vertices), faces.Union(other.faces)};
    }
};

// The changes named by consecutive touches of one kind add up, so a cache
// that saw any revision since the first of them refreshes their union alone.
template <typename Changes>
class AddedChanges {
public:
    // `changed` took the kind from revision `current` to `next`.
    void Add(const Changes& changed, std::uint64_t current, std::uint64_t next) {
        if (revision_ != current) {
            since_ = current;
            changes_ = {};
        }
        changes_ = changes_.Union(changed);
        revision_ = next;
    }
    // What changed since a cache saw revision `seen`, the kind being at
    // `current`: `all` when that is not known.
    Changes Since(std::uint64_t seen, std::uint64_t current, const Changes& all) const {
        if (seen == current) {
            return {};
        }
        return revision_ == current && seen >= since_ ? changes_ : all;
    }

private:
    Changes changes_{};
    std::uint64_t since_ = 0;
    std::uint64_t revision_ = 0;
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
        positionsContent_ = r;
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
        revision = positionsRevision = spanRevision_ = positionsContent_ = NextModelRevision();
    }
    void TouchPositions() { TouchPositions(0, vertices.size()); }
    // Vertex coordinates of [first, end) moved back, and all coordinates are
    // now bit for bit those PositionsContent() named as `content`.
    void RestorePositions(std::size_t first, std::size_t end, std::uint64_t content) {
        TouchPositions(first, end);
        positionsContent_ = content;
    }
    // The number naming the coordinates as they are: the positions revision
    // that first had them. An undo that brings back earlier coordinates
    // brings back their number, and with it the normals kept for them.
    std::uint64_t PositionsContent() const { return positionsContent_; }
    // Selection flags or marks of vertices, faces or edges changed.
    void TouchSelection() { revision = selectionRevision = NextModelRevision(); }
    // Marks changed, and selection flags of `vertices` and of `faces` (their
    // edge flags included) alone.
    void TouchSelection(VertexSpan changedVertices, FaceSpan changedFaces) {
        const std::uint64_t next = NextModelRevision();
        selectionChanges_.Add({changedVertices, changedFaces}, selectionRevision, next);
        revision = selectionRevision = next;
    }
    // Faces were added, removed or given another material, or vertices were
    // added or became unused.
    void TouchTopology() { revision = topologyRevision = NextModelRevision(); }
    // Face and corner normals were recomputed.
    void TouchNormals() { TouchNormals({0, faces.size()}); }
    // Those of the faces `changed` and of their corners alone.
    void TouchNormals(FaceSpan changed) {
        const std::uint64_t next = NextModelRevision();
        normalsChanges_.Add(changed, normalsRevision, next);
        revision = normalsRevision = next;
    }

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

    // The faces whose normals or corner normals may have changed since a cache
    // saw normalsRevision `seen`: every face when that is not known.
    FaceSpan NormalChangesSince(std::uint64_t seen) const {
        return normalsChanges_.Since(seen, normalsRevision, {0, faces.size()});
    }

    // The vertices and faces whose selection flags may have changed since a
    // cache saw selectionRevision `seen`: all of them when that is not known.
    SelectionChanges SelectionChangesSince(std::uint64_t seen) const {
        return selectionChanges_.Since(seen, selectionRevision,
                                       {{0, vertices.size()}, {0, faces.size()}});
    }

    // Face normals from the first three corners of every face of 3 or more corners.
    void ComputeFaceNormals();
    // Face normals, per-vertex face lists and smoothed corner normals under `facet`.
    // `smooth` is the scene's shading switch and does not change the result.
    void ComputeNormals(int smooth);
    // The same result, but after a move of a few vertices since the last
    // computation (a drag, a typed move, their undo) only the faces and
    // corners around them are computed again. After a move of most of them,
    // the normals computed before are kept aside, so that the undo or redo
    // that brings back their coordinates takes them instead of computing.
    void UpdateNormals(int smooth);

    // The smoothed unit normal of corner `corner` of face `face` from the last
    // normal computation. Only faces that computation saw have them (see
    // HasCornerNormals); the others, like corners past the fourth, give their
    // face normal.
    CVector CornerNormal(std::size_t face, std::size_t corner) const {
        if (HasCornerNormals(face) && corner < kCornerSlots) {
            return cornerNormals_[face * kCornerSlots + corner].Unpacked();
        }
        return faces[face].normal;
    }
    bool HasCornerNormals(std::size_t face) const { return face < cornerNormalFaces_; }
    bool HasAllCornerNormals() const { return cornerNormalFaces_ == faces.size(); }
    // The corner normals of face f are slots [4f, 4f + corner count).
    static constexpr std::size_t kCornerSlots = 4;
    // The faces averaged into that corner by the last computation, in order.
    std::vector<int> CornerFaces(std::size_t face, std::size_t corner) const;
    // The memory the face and corner normals hold.
    std::size_t NormalsCapacityBytes() const {
        return (faceNormals_.capacity() + cornerNormals_.capacity()) * sizeof(PackedVector) +
               spare_.CapacityBytes();
    }

    // Removes face `face`; the other faces keep their corner normals. Code
    // that removes or reorders faces otherwise computes the normals again
    // before they are drawn.
    void EraseFace(std::size_t face);

    // Flags the vertices no face uses; the marks are left on the used ones.
    void UpdateUsedFlags();

    // Faces that break the invariants are dropped or repaired as they are
    // read; returns how many.
    int Serialize(ArchiveReader& ar);

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
    // Per vertex the faces that use it, as the last normal computation found them.
    VertexFaceLists vertexInfo;
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
    std::uint64_t positionsContent_ = revision;
    AddedChanges<SelectionChanges> selectionChanges_;
    AddedChanges<FaceSpan> normalsChanges_;

    bool VertexFacesCurrent() const;
    void RememberNormals(FaceSpan changed);
    bool NormalsCurrent() const;
    void KeepNormalsAside();
    bool TakeSpareNormals();

    // The face normals packed in face order, and the corner normals of the
    // first cornerNormalFaces_ faces, kCornerSlots a face.
    LargeArray<PackedVector> faceNormals_;
    LargeArray<PackedVector> cornerNormals_;
    std::size_t cornerNormalFaces_ = 0;

    // What the normals were last computed from, by ComputeNormals or
    // UpdateNormals: they hold while normalsRevision is normalsRevision_.
    std::uint64_t normalsRevision_ = 0;
    std::uint64_t normalsPositions_ = 0;
    std::uint64_t normalsContent_ = 0;
    float normalsFacet_ = 0;
    // The topology and face count vertexInfo's face lists were built from.
    std::uint64_t vertexFacesTopology_ = 0;
    std::size_t vertexFacesCount_ = 0;
    NormalsSpare spare_;
};
