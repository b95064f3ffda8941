// Boxes around runs of consecutive vertices and of consecutive faces of one
// object, in two levels: leaves of 16 elements and groups of 16 leaves.
// Neighbouring elements of a mesh mostly have neighbouring numbers (grids,
// strips, the order modellers and exporters write them in), so a test of a
// small region of space against the groups, then against the leaves of the
// groups it keeps, dismisses most of a big object at once; the elements of
// the leaves left over are tested one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/model.h"

struct BoundingBox {
    float min[3] = {0, 0, 0};
    float max[3] = {0, 0, 0};
};

// Leaf l holds elements [l * kLeafSize, (l + 1) * kLeafSize), group g leaves
// [g * kLeavesPerGroup, (g + 1) * kLeavesPerGroup).
struct BoxLevels {
    static constexpr std::size_t kLeafSize = 16;
    static constexpr std::size_t kLeavesPerGroup = 16;

    std::vector<BoundingBox> leaves;
    std::vector<BoundingBox> groups;
};

class BlockBounds {
public:
    // Brings the boxes up to the object's positions and faces: a move
    // recomputes the boxes of the moved vertices and of the faces using them,
    // changed faces recompute everything.
    void Refresh(const CModel& model);

    const BoxLevels& Vertices() const { return vertices_; }
    const BoxLevels& Faces() const { return faces_; }
    // The number of the first edge of face leaf l (edges numbered face by face).
    int FirstEdgeOf(std::size_t leaf) const { return firstEdges_[leaf]; }

private:
    void RefreshVertexBoxes(const CModel& model, VertexSpan moved);
    void RefreshFaceBoxes(const CModel& model, VertexSpan moved);
    void Rebuild(const CModel& model);

    std::uint64_t positions_ = 0;
    std::uint64_t topology_ = 0;
    std::size_t vertexCount_ = 0;
    std::size_t faceCount_ = 0;
    BoxLevels vertices_;
    BoxLevels faces_;
    std::vector<int> firstEdges_;
    // The lowest and highest vertex number the faces of each leaf use: a move
    // outside that span leaves the leaf's box as it is.
    std::vector<VertexSpan> faceLeafVertices_;
};
