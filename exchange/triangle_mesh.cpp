#include "exchange/triangle_mesh.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "scene/material.h"
#include "scene/model.h"

namespace {

// Output vertices made from one source vertex are chained, so a corner finds
// its twin among the few that share its position.
class VertexSplitter {
public:
    VertexSplitter(const CModel& model, TriangleMesh& mesh)
        : model(model), mesh(mesh), first(model.vertices.size(), -1) {}

    std::uint32_t Corner(std::size_t face, std::size_t k) {
        const CFace& f = model.faces[face];
        const auto source = static_cast<std::size_t>(f.indices[k]);
        const CVector n = model.CornerNormal(face, k);
        const float normal[3] = {-n.x, -n.y, -n.z};
        float uv[2] = {0, 0};
        if (f.uvs.size() == f.indices.size()) {
            uv[0] = f.uvs[k].u;
            uv[1] = f.uvs[k].v;
        }
        for (int v = first[source]; v >= 0; v = next[static_cast<std::size_t>(v)]) {
            const auto at = static_cast<std::size_t>(v);
            if (std::memcmp(&mesh.normals[3 * at], normal, sizeof normal) == 0 &&
                std::memcmp(&mesh.uvs[2 * at], uv, sizeof uv) == 0) {
                return static_cast<std::uint32_t>(v);
            }
        }
        const auto added = static_cast<int>(next.size());
        next.push_back(first[source]);
        first[source] = added;
        const CVector& p = model.vertices[source];
        mesh.positions.insert(mesh.positions.end(), {p.x, p.y, p.z});
        mesh.normals.insert(mesh.normals.end(), normal, normal + 3);
        mesh.uvs.insert(mesh.uvs.end(), uv, uv + 2);
        return static_cast<std::uint32_t>(added);
    }

private:
    const CModel& model;
    TriangleMesh& mesh;
    std::vector<int> first;  // per source vertex, its latest output vertex
    std::vector<int> next;   // per output vertex, the one made before it from the same source
};

}  // namespace

TriangleMesh BuildTriangleMesh(const CModel& original, const std::vector<CMaterial>& materials) {
    std::optional<CModel> computed;
    if (original.vertexInfo.size() != original.vertices.size() || !original.HasAllCornerNormals()) {
        computed = original;
        computed->ComputeNormals(1);
    }
    const CModel& model = computed ? *computed : original;

    std::unordered_map<int, std::size_t> materialIndex;
    for (std::size_t i = 0; i < materials.size(); ++i) {
        materialIndex.emplace(materials[i].id, i);
    }
    TriangleMesh mesh;
    std::vector<std::vector<std::uint32_t>> byMaterial(materials.size());
    VertexSplitter splitter(model, mesh);
    for (std::size_t face = 0; face < model.faces.size(); ++face) {
        const CFace& f = model.faces[face];
        const std::size_t corners = f.indices.size();
        const auto found = materialIndex.find(f.material);
        if (corners < 3 || found == materialIndex.end()) {
            continue;
        }
        mesh.hasUvs |= f.uvs.size() == corners;
        std::vector<std::uint32_t>& indices = byMaterial[found->second];
        // Quorvel's corners run clockwise seen from the front: each triangle
        // of the fan is written backwards.
        for (std::size_t k = 1; k + 1 < corners; ++k) {
            indices.push_back(splitter.Corner(face, 0));
            indices.push_back(splitter.Corner(face, k + 1));
            indices.push_back(splitter.Corner(face, k));
        }
    }
    if (!mesh.hasUvs) {
        mesh.uvs.clear();
    }
    for (std::size_t i = 0; i < byMaterial.size(); ++i) {
        if (!byMaterial[i].empty()) {
            mesh.parts.push_back({static_cast<int>(i), std::move(byMaterial[i])});
        }
    }
    return mesh;
}
