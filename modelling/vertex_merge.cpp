#include "modelling/vertex_merge.h"

#include <algorithm>
#include <utility>

#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"

namespace {

// The face with merged corners, or a face of no corners when fewer than two
// are left.
CFace Merged(const CFace& face, const std::vector<int>& into) {
    int corners[4];
    CUV uvs[4];
    std::size_t n = 0;
    const bool withUvs = face.uvs.size() == face.indices.size();
    for (std::size_t k = 0; k < face.indices.size(); ++k) {
        const int v = into[static_cast<std::size_t>(face.indices[k])];
        if (std::find(corners, corners + n, v) != corners + n) {
            continue;
        }
        corners[n] = v;
        if (withUvs) {
            uvs[n] = face.uvs[k];
        }
        ++n;
    }
    if (n < 2) {
        return CFace();
    }
    return MakeFace(std::span<const int>(corners, n), face.material,
                    withUvs ? std::span<const CUV>(uvs, n) : std::span<const CUV>());
}

}  // namespace

std::size_t MergeVertices(CModel& model, std::size_t object, const std::vector<int>& into,
                          PriorState* prior) {
    std::vector<double> sums(model.vertices.size() * 3, 0.0);
    std::vector<int> counts(model.vertices.size(), 0);
    std::size_t merged = 0;
    for (std::size_t v = 0; v < into.size(); ++v) {
        const auto target = static_cast<std::size_t>(into[v]);
        const CVector& p = model.vertices[v];
        sums[3 * target] += p.x;
        sums[3 * target + 1] += p.y;
        sums[3 * target + 2] += p.z;
        ++counts[target];
        merged += target != v ? 1 : 0;
    }
    LargeArray<CFace> faces;
    faces.reserve(model.faces.size());
    for (CFace& face : model.faces) {
        const bool touched = std::any_of(face.indices.begin(), face.indices.end(), [&](int v) {
            return into[static_cast<std::size_t>(v)] != v;
        });
        if (!touched) {
            CarryFace(faces, face, prior);
        } else if (CFace repaired = Merged(face, into); !repaired.indices.empty()) {
            faces.push_back(std::move(repaired));
        }
    }
    ReplaceFaces(model, object, std::move(faces), prior);
    ClearSelectionOf(model);
    for (std::size_t v = 0; v < counts.size(); ++v) {
        if (counts[v] > 1) {
            const double n = counts[v];
            CVector& p = model.vertices[v];
            p.x = static_cast<float>(sums[3 * v] / n);
            p.y = static_cast<float>(sums[3 * v + 1] / n);
            p.z = static_cast<float>(sums[3 * v + 2] / n);
            p.selected = true;
        }
    }
    return merged;
}
