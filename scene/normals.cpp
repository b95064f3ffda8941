// Face normals and smoothed corner normals of one object. Each face normal
// and each vertex's corners are computed on their own from the positions and
// the lists around them, in single precision in the order of the steps, so the
// results depend neither on how the work is split between threads nor on
// which of them are computed again.
#include <algorithm>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "scene/corner_smoothing.h"
#include "scene/face_rules.h"
#include "scene/model.h"
#include "scene/smoothing_threshold.h"

namespace {

// Runs `work(begin, end)` over [0, count) split between the cores (up to 8),
// each part big enough to pay for its thread.
template <typename Work>
void ForRanges(std::size_t count, Work work) {
    constexpr std::size_t kMinimumPerThread = 20000;
    constexpr unsigned kMostThreads = 8;
    const std::size_t parts =
        std::min<std::size_t>({std::max(std::thread::hardware_concurrency(), 1u), kMostThreads,
                               std::max<std::size_t>(count / kMinimumPerThread, 1)});
    std::vector<std::thread> helpers;
    helpers.reserve(parts - 1);
    for (std::size_t p = 1; p < parts; ++p) {
        helpers.emplace_back(
            [&work, p, parts, count] { work(count * p / parts, count * (p + 1) / parts); });
    }
    work(std::size_t{0}, count / parts);
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

CVector FaceNormal(const LargeArray<CVector>& vertices, const CFace& f) {
    const CVector& p0 = vertices[static_cast<std::size_t>(f.indices[0])];
    const CVector& p1 = vertices[static_cast<std::size_t>(f.indices[1])];
    const CVector& p2 = vertices[static_cast<std::size_t>(f.indices[2])];
    CVector n;
    n.Cross(p0 - p1, p0 - p2);
    n.Normalize();
    return n;
}

// The normal of a face with an area; a line keeps the one it has.
void UpdateFaceNormal(const LargeArray<CVector>& vertices, CFace& f, PackedVector& packed) {
    if (IsSurface(f)) {
        f.normal = FaceNormal(vertices, f);
    }
    packed = PackedVector(f.normal);
}

float MinimumDot(float facet) {
    return SmoothingMinimumDot(SmoothingRadians(facet));
}

}  // namespace

void CModel::ComputeFaceNormals() {
    faceNormals_.resize(faces.size());
    ForRanges(faces.size(), [this](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            UpdateFaceNormal(vertices, faces[r], faceNormals_[r]);
        }
    });
}

// The faces around each vertex change with the faces alone, so after a move
// (the release of a drag) the lists of the last computation still hold.
bool CModel::VertexFacesCurrent() const {
    return vertexFacesTopology_ == topologyRevision && vertexInfo.size() == vertices.size() &&
           vertexFacesCount_ == faces.size();
}

void CModel::ComputeNormals(int /*smooth*/) {
    if (!spare_.Holds(spare_.positions, facet, topologyRevision)) {
        // Normals of another topology or angle never come back.
        spare_ = NormalsSpare();
    }
    if (!VertexFacesCurrent()) {
        vertexInfo.Build(faces, vertices.size());
        vertexFacesTopology_ = topologyRevision;
        vertexFacesCount_ = faces.size();
    }
    ComputeFaceNormals();
    // Every corner of every face belongs to one vertex's list, so the pass over
    // the vertices writes each corner once.
    cornerNormals_.resize(faces.size() * kCornerSlots);
    const float minimumDot = MinimumDot(facet);
    ForRanges(vertices.size(), [this, minimumDot](std::size_t begin, std::size_t end) {
        CornerSmoothing smoothing(faceNormals_.data(), minimumDot, cornerNormals_.data());
        for (std::size_t v = begin; v < end; ++v) {
            smoothing.Smooth(vertexInfo[v], vertices[v].used);
        }
    });
    cornerNormalFaces_ = faces.size();
    RememberNormals({0, faces.size()});
}

void CModel::UpdateNormals(int smooth) {
    // Past this share of the vertices, the pass over everything on all cores
    // is quicker than the walk around the moved ones.
    constexpr std::size_t kLargestShare = 8;
    const VertexSpan moved = PositionChangesSince(normalsPositions_);
    const bool known = NormalsCurrent();
    if (!known || moved.end - moved.first > vertices.size() / kLargestShare) {
        if (TakeSpareNormals()) {
            return;
        }
        if (known && normalsContent_ != positionsContent_) {
            KeepNormalsAside();
        }
        ComputeNormals(smooth);
        return;
    }
    if (moved.Empty()) {
        return;
    }

    // The faces using a moved vertex change their normals; every corner at a
    // vertex of such a face averages one of them.
    std::vector<std::uint8_t> faceChanged(faces.size(), 0);
    std::vector<std::uint8_t> vertexAffected(vertices.size(), 0);
    std::vector<std::size_t> affected;
    for (std::size_t v = moved.first; v < moved.end && v < vertices.size(); ++v) {
        for (int a : vertexInfo[v].faces) {
            const auto r = static_cast<std::size_t>(a);
            if (faceChanged[r] != 0) {
                continue;
            }
            faceChanged[r] = 1;
            UpdateFaceNormal(vertices, faces[r], faceNormals_[r]);
            for (int w : faces[r].indices) {
                const auto vertex = static_cast<std::size_t>(w);
                if (vertexAffected[vertex] == 0) {
                    vertexAffected[vertex] = 1;
                    affected.push_back(vertex);
                }
            }
        }
    }
    CornerSmoothing smoothing(faceNormals_.data(), MinimumDot(facet), cornerNormals_.data());
    FaceSpan changed;
    for (std::size_t w : affected) {
        const VertexInfo info = vertexInfo[w];
        smoothing.Smooth(info, vertices[w].used);
        for (int a : info.faces) {
            const auto r = static_cast<std::size_t>(a);
            changed = changed.Union({r, r + 1});
        }
    }
    RememberNormals(changed);
}

void CModel::RememberNormals(FaceSpan changed) {
    TouchNormals(changed);
    normalsRevision_ = normalsRevision;
    normalsPositions_ = positionsRevision;
    normalsContent_ = positionsContent_;
    normalsFacet_ = facet;
}

// Whether the normals are those of the faces and lists as they are, under the
// angle as it is, for the coordinates named normalsContent_.
bool CModel::NormalsCurrent() const {
    return normalsRevision_ == normalsRevision && normalsFacet_ == facet && VertexFacesCurrent() &&
           HasAllCornerNormals() && faceNormals_.size() == faces.size();
}

// Trades the normals, which NormalsCurrent, for the spare's arrays: the next
// computation writes into those, already mapped, and these wait for their
// coordinates to come back.
void CModel::KeepNormalsAside() {
    std::swap(faceNormals_, spare_.faceNormals);
    std::swap(cornerNormals_, spare_.cornerNormals);
    std::swap(cornerNormalFaces_, spare_.cornerNormalFaces);
    spare_.positions = normalsContent_;
    spare_.facet = normalsFacet_;
    spare_.topology = vertexFacesTopology_;
}

// The spare's normals, when they are those of the coordinates as they are: the
// same values a computation gives, at the cost of copying the face normals
// into the faces.
bool CModel::TakeSpareNormals() {
    if (!spare_.Holds(positionsContent_, facet, topologyRevision) || !VertexFacesCurrent() ||
        spare_.faceNormals.size() != faces.size() || spare_.cornerNormalFaces != faces.size()) {
        return false;
    }
    const bool current = NormalsCurrent();
    KeepNormalsAside();
    if (!current) {
        spare_ = NormalsSpare();
    }
    ForRanges(faces.size(), [this](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            if (IsSurface(faces[r])) {
                faces[r].normal = faceNormals_[r].Unpacked();
            }
        }
    });
    RememberNormals({0, faces.size()});
    return true;
}

std::vector<int> CModel::CornerFaces(std::size_t face, std::size_t corner) const {
    std::vector<int> averaged;
    if (!HasCornerNormals(face) || corner >= faces[face].indices.size()) {
        return averaged;
    }
    const auto v = static_cast<std::size_t>(faces[face].indices[corner]);
    if (v >= vertexInfo.size() || !vertices[v].used) {
        return averaged;
    }
    const float minimumDot = MinimumDot(normalsFacet_);
    const CVector& own = faces[face].normal;
    for (int a : vertexInfo[v].faces) {
        if (static_cast<std::size_t>(a) == face ||
            CVector::Dot(own, faces[static_cast<std::size_t>(a)].normal) >= minimumDot) {
            averaged.push_back(a);
        }
    }
    return averaged;
}

void CModel::EraseFace(std::size_t face) {
    faces.erase(faces.begin() + static_cast<std::ptrdiff_t>(face));
    if (face < faceNormals_.size()) {
        faceNormals_.erase(faceNormals_.begin() + static_cast<std::ptrdiff_t>(face));
    }
    if (HasCornerNormals(face)) {
        const auto first =
            cornerNormals_.begin() + static_cast<std::ptrdiff_t>(face * kCornerSlots);
        cornerNormals_.erase(first, first + kCornerSlots);
        --cornerNormalFaces_;
    }
}
