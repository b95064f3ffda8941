// Face normals and smoothed corner normals of one object. Every list is rebuilt
// from scratch; the arithmetic is single precision in the order of the steps,
// so the results do not depend on how the work is split between threads.
#include <algorithm>
#include <thread>

#include "scene/face_rules.h"
#include "scene/model.h"
#include "scene/smoothing_threshold.h"

namespace {

// Runs `work(begin, end)` over [0, count) on both cores when the work is big
// enough to pay for a thread.
template <typename Work>
void ForRanges(std::size_t count, Work work) {
    constexpr std::size_t kMinimumPerThread = 20000;
    const unsigned threads = std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, 2);
    if (threads < 2 || count < 2 * kMinimumPerThread) {
        work(std::size_t{0}, count);
        return;
    }
    const std::size_t half = count / 2;
    std::thread second([&work, half, count] { work(half, count); });
    work(std::size_t{0}, half);
    second.join();
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

// The face normals of an object packed in face order. The corner pass reads
// the normals of every face around each corner; read from the faces
// themselves (hundreds of bytes apart) each of them is a cache miss.
LargeArray<CVector> PackedFaceNormals(const LargeArray<CFace>& faces) {
    LargeArray<CVector> packed(faces.size());
    ForRanges(faces.size(), [&faces, &packed](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            packed[r] = faces[r].normal;
        }
    });
    return packed;
}

}  // namespace

void CModel::ComputeFaceNormals() {
    ForRanges(faces.size(), [this](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            CFace& f = faces[r];
            if (IsSurface(f)) {
                f.normal = FaceNormal(vertices, f);
            }
        }
    });
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

    ComputeFaceNormals();
    const LargeArray<CVector> normals = PackedFaceNormals(faces);

    ForRanges(faces.size(), [this, minimumDot, &normals](std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            CFace& f = faces[r];
            f.corners.resize(f.indices.size());
            for (std::size_t c = 0; c < f.indices.size(); ++c) {
                CVertex& corner = f.corners[c];
                corner.faces.clear();
                const auto v = static_cast<std::size_t>(f.indices[c]);
                if (vertices[v].used) {
                    for (int a : vertexInfo[v].faces) {
                        if (static_cast<std::size_t>(a) == r ||
                            CVector::Dot(normals[r], normals[static_cast<std::size_t>(a)]) >=
                                minimumDot) {
                            corner.faces.push_back(a);
                        }
                    }
                }
                corner.normal = CVector(0, 0, 0);
                for (int a : corner.faces) {
                    corner.AddNormal(normals[static_cast<std::size_t>(a)]);
                }
                corner.normal.Normalize();
            }
        }
    });
    TouchNormals();
}
