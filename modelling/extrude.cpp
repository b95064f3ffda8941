#include "modelling/extrude.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/vertex_face_index.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

namespace {

constexpr int kNone = -1;

bool IsExtruded(const CFace& face) {
    return face.selected && IsSurface(face);
}

// Disjoint sets of vertices with path halving: the regions of the selection.
class Regions {
public:
    explicit Regions(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), 0u);
    }
    std::uint32_t Find(std::uint32_t v) {
        while (parent_[v] != v) {
            parent_[v] = parent_[parent_[v]];
            v = parent_[v];
        }
        return v;
    }
    // The smaller root stays, so the result does not depend on the order.
    void Join(std::uint32_t a, std::uint32_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b) {
            parent_[a < b ? b : a] = a < b ? a : b;
        }
    }

private:
    std::vector<std::uint32_t> parent_;
};

// Whether edge k of face f bounds the region: no other selected face uses
// it, or more than two faces do.
bool IsBoundary(const CFace& face, std::size_t k, const VertexFaceIndex& index,
                const std::vector<std::uint8_t>& extruded) {
    const std::size_t n = face.indices.size();
    const int a = face.indices[k];
    const int b = face.indices[k + 1 == n ? 0 : k + 1];
    int users = 0;
    int extrudedUsers = 0;
    index.ForEachEdgeUse(a, b, [&](std::uint32_t g, std::size_t) {
        ++users;
        extrudedUsers += extruded[g];
    });
    return extrudedUsers < 2 || users > 2;
}

// The average of a region's unit normals, made unit; none for a closed
// region, whose normals cancel out up to rounding.
CVector RegionDirection(const CVector& sum, std::uint32_t faces) {
    const float rounding = 1e-5f * static_cast<float>(faces);
    return sum.Length() <= rounding ? CVector() : Unit(sum);
}

struct Plan {
    std::vector<std::uint32_t> faces;    // the extruded faces
    std::vector<std::uint8_t> boundary;  // per face of `faces`, one bit per edge
    std::vector<int> copyOf;             // per vertex: its copy, or kNone (region mode)
    std::vector<CVector> offset;         // per region root (region mode) or per face
    std::size_t newVertices = 0;
    std::size_t sideQuads = 0;
};

Plan PlanRegions(const CModel& model, float distance) {
    Plan plan;
    const std::size_t vertexCount = model.vertices.size();
    const VertexFaceIndex index(model, 3);
    std::vector<std::uint8_t> extruded(model.faces.size(), 0);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        extruded[f] = IsExtruded(model.faces[f]) ? 1 : 0;
    }
    std::vector<std::uint8_t> onBoundary(vertexCount, 0);
    std::vector<std::uint8_t> inRegion(vertexCount, 0);
    Regions regions(vertexCount);
    for (std::uint32_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (!IsExtruded(face)) {
            continue;
        }
        plan.faces.push_back(f);
        const std::size_t n = face.indices.size();
        std::uint8_t bits = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const auto v = static_cast<std::uint32_t>(face.indices[k]);
            inRegion[v] = 1;
            regions.Join(v, static_cast<std::uint32_t>(face.indices[0]));
            if (IsBoundary(face, k, index, extruded)) {
                bits |= static_cast<std::uint8_t>(1u << k);
                onBoundary[v] = 1;
                onBoundary[static_cast<std::size_t>(face.indices[k + 1 == n ? 0 : k + 1])] = 1;
                ++plan.sideQuads;
            }
        }
        plan.boundary.push_back(bits);
    }
    // Vertices the region shares with faces that stay behind.
    for (const CFace& face : model.faces) {
        if (!IsExtruded(face)) {
            for (int v : face.indices) {
                onBoundary[static_cast<std::size_t>(v)] = 1;
            }
        }
    }
    std::vector<CVector> sums(vertexCount);
    std::vector<std::uint32_t> counts(vertexCount, 0);
    for (std::uint32_t f : plan.faces) {
        const CFace& face = model.faces[f];
        const std::uint32_t root = regions.Find(static_cast<std::uint32_t>(face.indices[0]));
        sums[root] = Plus(sums[root], FrontNormal(model, face));
        ++counts[root];
    }
    plan.offset.resize(vertexCount);
    plan.copyOf.assign(vertexCount, kNone);
    int next = static_cast<int>(vertexCount);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        if (!inRegion[v]) {
            continue;
        }
        if (regions.Find(static_cast<std::uint32_t>(v)) == v) {
            plan.offset[v] = Times(RegionDirection(sums[v], counts[v]), distance);
        }
        if (onBoundary[v]) {
            plan.copyOf[v] = next++;
            ++plan.newVertices;
        }
    }
    // Every vertex takes the offset of its region's root.
    for (std::size_t v = 0; v < vertexCount; ++v) {
        if (inRegion[v]) {
            plan.offset[v] = plan.offset[regions.Find(static_cast<std::uint32_t>(v))];
        }
    }
    return plan;
}

Plan PlanIndividual(const CModel& model, float distance) {
    Plan plan;
    for (std::uint32_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (IsExtruded(face)) {
            plan.faces.push_back(f);
            plan.boundary.push_back(static_cast<std::uint8_t>((1u << face.indices.size()) - 1));
            plan.offset.push_back(Times(FrontNormal(model, face), distance));
            plan.newVertices += face.indices.size();
            plan.sideQuads += face.indices.size();
        }
    }
    return plan;
}

// The side quad on edge k of `face` (its corners now the moved ones in
// `moved`, its old corners in `base`): old a, old b, new b, new a, which
// runs against the moved face's edge and along the edge of the face that
// stays on the other side.
CFace SideQuad(const CFace& face, std::size_t k, const int* base, const int* moved) {
    const std::size_t n = face.indices.size();
    const std::size_t l = k + 1 == n ? 0 : k + 1;
    const int corners[4] = {base[k], base[l], moved[l], moved[k]};
    if (face.uvs.empty()) {
        return MakeFace(corners, face.material);
    }
    const CUV uvs[4] = {face.uvs[k], face.uvs[l], face.uvs[l], face.uvs[k]};
    return MakeFace(corners, face.material, uvs);
}

}  // namespace

ModellingResult ExtrudeFaces(CCentigrade& scene, const ExtrudeOptions& options, PriorState* prior) {
    const Target target = CurrentEditableObject(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    if (!std::isfinite(options.distance)) {
        return ModellingResult::Refuse(ModellingRefusal::DistanceOutOfRange);
    }
    CModel& model = scene.models[target.object];
    if (!std::any_of(model.faces.begin(), model.faces.end(), IsExtruded)) {
        return ModellingResult::Refuse(ModellingRefusal::NoFaceSelected);
    }
    Plan plan = options.individual ? PlanIndividual(model, options.distance)
                                   : PlanRegions(model, options.distance);
    if (model.vertices.size() + plan.newVertices > kMaximumElements ||
        model.faces.size() + plan.sideQuads > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    const bool moves = std::any_of(plan.offset.begin(), plan.offset.end(), [](const CVector& d) {
        return d.x != 0 || d.y != 0 || d.z != 0;
    });
    if (plan.newVertices == 0 && plan.sideQuads == 0 && !moves) {
        return ModellingResult();  // a closed region goes nowhere
    }
    const std::size_t oldVertices = model.vertices.size();
    GrowArrays(model, target.object, plan.newVertices, plan.sideQuads, prior);
    ClearSelectionOf(model);
    LargeArray<CVector>& vertices = model.vertices;
    LargeArray<CFace>& faces = model.faces;
    if (!options.individual) {
        for (std::size_t v = 0; v < oldVertices; ++v) {
            if (plan.copyOf[v] != kNone) {
                vertices.push_back(Plus(vertices[v], plan.offset[v]));
            } else if (plan.offset[v].x != 0 || plan.offset[v].y != 0 || plan.offset[v].z != 0) {
                const CVector moved = Plus(vertices[v], plan.offset[v]);
                vertices[v].x = moved.x;
                vertices[v].y = moved.y;
                vertices[v].z = moved.z;
            }
        }
    }
    for (std::size_t i = 0; i < plan.faces.size(); ++i) {
        const std::uint32_t f = plan.faces[i];
        const std::size_t n = faces[f].indices.size();
        int base[4];
        int moved[4];
        for (std::size_t k = 0; k < n; ++k) {
            base[k] = faces[f].indices[k];
            if (options.individual) {
                moved[k] = static_cast<int>(vertices.size());
                vertices.push_back(
                    Plus(vertices[static_cast<std::size_t>(base[k])], plan.offset[i]));
            } else {
                const int copy = plan.copyOf[static_cast<std::size_t>(base[k])];
                moved[k] = copy == kNone ? base[k] : copy;
            }
        }
        for (std::size_t k = 0; k < n; ++k) {
            if (plan.boundary[i] & (1u << k)) {
                faces.push_back(SideQuad(faces[f], k, base, moved));
            }
        }
        if (!std::equal(base, base + n, moved)) {
            KeepFace(prior, target.object, f, faces[f]);
            std::copy(moved, moved + n, faces[f].indices.begin());
        }
        SelectWhole(faces[f]);
    }
    ModellingResult result;
    result.acted = plan.faces.size();
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
