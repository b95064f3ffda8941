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
    // Each vertex others merge into gets a slot for the sum of its group,
    // added up in index order.
    std::vector<int> slot(model.vertices.size(), 0);
    std::size_t merged = 0;
    for (std::size_t v = 0; v < into.size(); ++v) {
        ++slot[static_cast<std::size_t>(into[v])];
        merged += static_cast<std::size_t>(into[v]) != v ? 1 : 0;
    }
    std::size_t groups = 0;
    for (int& s : slot) {
        s = s > 1 ? static_cast<int>(groups++) : -1;
    }
    std::vector<double> sums(groups * 3, 0.0);
    std::vector<int> counts(groups, 0);
    for (std::size_t v = 0; v < into.size(); ++v) {
        const int s = slot[static_cast<std::size_t>(into[v])];
        if (s < 0) {
            continue;
        }
        const auto g = static_cast<std::size_t>(s);
        const CVector& p = model.vertices[v];
        sums[3 * g] += p.x;
        sums[3 * g + 1] += p.y;
        sums[3 * g + 2] += p.z;
        ++counts[g];
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
    for (std::size_t v = 0; v < slot.size(); ++v) {
        if (slot[v] >= 0) {
            const auto g = static_cast<std::size_t>(slot[v]);
            const double n = counts[g];
            CVector& p = model.vertices[v];
            p.x = static_cast<float>(sums[3 * g] / n);
            p.y = static_cast<float>(sums[3 * g + 1] / n);
            p.z = static_cast<float>(sums[3 * g + 2] / n);
            p.selected = true;
        }
    }
    return merged;
}
