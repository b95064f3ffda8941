// Face normals and smoothed corner normals of one object. Each face and corner
// is computed on its own from the positions and the lists around it, in single
// precision in the order of the steps, so the results depend neither on how
// the work is split between threads nor on which of them are computed again.
#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

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

// Computes the face normals into the faces and, unless null, into `packed`
// in face order: the corner pass reads the normals of every face around each
// corner, and read from the faces themselves (hundreds of bytes apart) each
// of them would be a cache miss.
void ComputeFaceNormalsInto(const LargeArray<CVector>& vertices, LargeArray<CFace>& faces,
                            CVector* packed) {
    ForRanges(faces.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            CFace& f = faces[r];
            if (IsSurface(f)) {
                f.normal = FaceNormal(vertices, f);
            }
            if (packed) {
                packed[r] = f.normal;
            }
        }
    });
}

// Corner c of face r from the normals of the faces around its vertex, where
// normalOf(a) gives the normal of face a.
template <typename NormalOf>
void ComputeCorner(const CModel& model, std::size_t r, std::size_t c, float minimumDot,
                   NormalOf normalOf, CVertex& corner) {
    corner.faces.clear();
    const auto v = static_cast<std::size_t>(model.faces[r].indices[c]);
    if (model.vertices[v].used) {
        const CVector& own = normalOf(r);
        for (int a : model.vertexInfo[v].faces) {
            if (static_cast<std::size_t>(a) == r ||
                CVector::Dot(own, normalOf(static_cast<std::size_t>(a))) >= minimumDot) {
                corner.faces.push_back(a);
            }
        }
    }
    corner.normal = CVector(0, 0, 0);
    for (int a : corner.faces) {
        corner.AddNormal(normalOf(static_cast<std::size_t>(a)));
    }
    corner.normal.Normalize();
}

}  // namespace

void CModel::ComputeFaceNormals() {
    ComputeFaceNormalsInto(vertices, faces, nullptr);
}

void CModel::ComputeNormals(int /*smooth*/) {
    const float minimumDot = SmoothingMinimumDot(SmoothingRadians(facet));

    // The faces around each vertex change with the faces alone, so after a move
    // (the release of a drag) the lists of the last computation still hold.
    if (vertexFacesTopology_ != topologyRevision || vertexInfo.size() != vertices.size() ||
        vertexFacesCount_ != faces.size()) {
        vertexInfo.resize(vertices.size());
        for (CVertex& info : vertexInfo) {
            info.faces.clear();
        }
        for (std::size_t r = 0; r < faces.size(); ++r) {
            for (int v : faces[r].indices) {
                vertexInfo[static_cast<std::size_t>(v)].faces.push_back(static_cast<int>(r));
            }
        }
        vertexFacesTopology_ = topologyRevision;
        vertexFacesCount_ = faces.size();
    }

    LargeArray<CVector> normals(faces.size());
    ComputeFaceNormalsInto(vertices, faces, normals.data());
    const auto normalOf = [&normals](std::size_t a) -> const CVector& { return normals[a]; };

    ForRanges(faces.size(), [this, minimumDot, &normalOf](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            CFace& f = faces[r];
            f.corners.resize(f.indices.size());
            for (std::size_t c = 0; c < f.indices.size(); ++c) {
                ComputeCorner(*this, r, c, minimumDot, normalOf, f.corners[c]);
            }
        }
    });
    RememberNormals();
}

void CModel::UpdateNormals(int smooth) {
    // Past this share of the vertices, the pass over everything on all cores
    // is quicker than the walk around the moved ones.
    constexpr std::size_t kLargestShare = 8;
    const VertexSpan moved = PositionChangesSince(normalsPositions_);
    const bool known = normalsRevision_ == normalsRevision && normalsFacet_ == facet &&
                       vertexFacesTopology_ == topologyRevision &&
                       vertexInfo.size() == vertices.size() && vertexFacesCount_ == faces.size();
    if (!known || moved.end - moved.first > vertices.size() / kLargestShare) {
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
            CFace& f = faces[r];
            if (IsSurface(f)) {
                f.normal = FaceNormal(vertices, f);
            }
            for (int w : f.indices) {
                const auto vertex = static_cast<std::size_t>(w);
                if (vertexAffected[vertex] == 0) {
                    vertexAffected[vertex] = 1;
                    affected.push_back(vertex);
                }
            }
        }
    }
    const float minimumDot = SmoothingMinimumDot(SmoothingRadians(facet));
    const auto normalOf = [this](std::size_t a) -> const CVector& { return faces[a].normal; };
    for (std::size_t w : affected) {
        for (int a : vertexInfo[w].faces) {
            const auto r = static_cast<std::size_t>(a);
            CFace& f = faces[r];
            f.corners.resize(f.indices.size());
            for (std::size_t c = 0; c < f.indices.size(); ++c) {
                if (static_cast<std::size_t>(f.indices[c]) == w) {
                    ComputeCorner(*this, r, c, minimumDot, normalOf, f.corners[c]);
                }
            }
        }
    }
    RememberNormals();
}

void CModel::RememberNormals() {
    TouchNormals();
    normalsRevision_ = normalsRevision;
    normalsPositions_ = positionsRevision;
    normalsFacet_ = facet;
}
