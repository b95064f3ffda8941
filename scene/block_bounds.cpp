#include "scene/block_bounds.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "scene/face_rules.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr std::size_t kLeafSize = BoxLevels::kLeafSize;
constexpr std::size_t kLeavesPerGroup = BoxLevels::kLeavesPerGroup;

BoundingBox EmptyBox() {
    BoundingBox box;
    std::fill(std::begin(box.min), std::end(box.min), kInfinity);
    std::fill(std::begin(box.max), std::end(box.max), -kInfinity);
    return box;
}

void Extend(BoundingBox& box, const BoundingBox& other) {
    for (int k = 0; k < 3; ++k) {
        box.min[k] = std::min(box.min[k], other.min[k]);
        box.max[k] = std::max(box.max[k], other.max[k]);
    }
}

// A NaN coordinate would fail every comparison and leave the box without it;
// the box then takes in all of that axis, so the element is never dismissed.
void Extend(BoundingBox& box, const CVector& p) {
    const float coordinates[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
        if (coordinates[k] != coordinates[k]) {
            box.min[k] = -kInfinity;
            box.max[k] = kInfinity;
            continue;
        }
        box.min[k] = std::min(box.min[k], coordinates[k]);
        box.max[k] = std::max(box.max[k], coordinates[k]);
    }
}

std::size_t CountOf(std::size_t elements, std::size_t per) {
    return (elements + per - 1) / per;
}

bool Overlaps(VertexSpan a, VertexSpan b) {
    return a.first < b.end && b.first < a.end;
}

void Resize(BoxLevels& levels, std::size_t elements) {
    levels.leaves.assign(CountOf(elements, kLeafSize), BoundingBox{});
    levels.groups.assign(CountOf(levels.leaves.size(), kLeavesPerGroup), BoundingBox{});
}

// Recomputes the boxes of the groups holding leaves [first, end).
void Regroup(BoxLevels& levels, std::size_t first, std::size_t end) {
    if (first >= end) {
        return;
    }
    for (std::size_t g = first / kLeavesPerGroup; g < CountOf(end, kLeavesPerGroup); ++g) {
        BoundingBox box = EmptyBox();
        const std::size_t last = std::min((g + 1) * kLeavesPerGroup, levels.leaves.size());
        for (std::size_t l = g * kLeavesPerGroup; l < last; ++l) {
            Extend(box, levels.leaves[l]);
        }
        levels.groups[g] = box;
    }
}

}  // namespace

void BlockBounds::Refresh(const CModel& model) {
    if (topology_ != model.topologyRevision || vertexCount_ != model.vertices.size() ||
        faceCount_ != model.faces.size()) {
        Rebuild(model);
        return;
    }
    if (positions_ != model.positionsRevision) {
        const VertexSpan moved = model.PositionChangesSince(positions_);
        RefreshVertexBoxes(model, moved);
        RefreshFaceBoxes(model, moved);
        positions_ = model.positionsRevision;
    }
}

void BlockBounds::Rebuild(const CModel& model) {
    vertexCount_ = model.vertices.size();
    faceCount_ = model.faces.size();
    Resize(vertices_, vertexCount_);
    Resize(faces_, faceCount_);
    firstEdges_.assign(faces_.leaves.size(), 0);
    faceLeafVertices_.assign(faces_.leaves.size(), VertexSpan{});
    int edges = 0;
    for (std::size_t l = 0; l < faces_.leaves.size(); ++l) {
        firstEdges_[l] = edges;
        VertexSpan used{std::numeric_limits<std::size_t>::max(), 0};
        for (std::size_t r = l * kLeafSize; r < std::min((l + 1) * kLeafSize, faceCount_); ++r) {
            const CFace& f = model.faces[r];
            edges += static_cast<int>(EdgeCount(f));
            for (int v : f.indices) {
                used.first = std::min(used.first, static_cast<std::size_t>(v));
                used.end = std::max(used.end, static_cast<std::size_t>(v) + 1);
            }
        }
        faceLeafVertices_[l] = used;
    }
    const VertexSpan all{0, vertexCount_};
    RefreshVertexBoxes(model, all);
    RefreshFaceBoxes(model, all);
    positions_ = model.positionsRevision;
    topology_ = model.topologyRevision;
}

void BlockBounds::RefreshVertexBoxes(const CModel& model, VertexSpan moved) {
    if (moved.Empty()) {
        return;
    }
    const std::size_t first = moved.first / kLeafSize;
    const std::size_t end = std::min(CountOf(moved.end, kLeafSize), vertices_.leaves.size());
    for (std::size_t l = first; l < end; ++l) {
        BoundingBox box = EmptyBox();
        for (std::size_t i = l * kLeafSize; i < std::min((l + 1) * kLeafSize, vertexCount_); ++i) {
            Extend(box, model.vertices[i]);
        }
        vertices_.leaves[l] = box;
    }
    Regroup(vertices_, first, end);
}

void BlockBounds::RefreshFaceBoxes(const CModel& model, VertexSpan moved) {
    std::size_t first = faces_.leaves.size();
    std::size_t end = 0;
    for (std::size_t l = 0; l < faces_.leaves.size(); ++l) {
        if (!Overlaps(faceLeafVertices_[l], moved)) {
            continue;
        }
        BoundingBox box = EmptyBox();
        for (std::size_t r = l * kLeafSize; r < std::min((l + 1) * kLeafSize, faceCount_); ++r) {
            for (int v : model.faces[r].indices) {
                Extend(box, model.vertices[static_cast<std::size_t>(v)]);
            }
        }
        faces_.leaves[l] = box;
        first = std::min(first, l);
        end = l + 1;
    }
    Regroup(faces_, first, end);
}
