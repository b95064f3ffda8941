#include "render/model_arrays.h"

#include <algorithm>
#include <cstddef>

#include "render/gl_api.h"
#include "render/material_apply.h"
#include "render/texture_cache.h"
#include "scene/face_rules.h"
#include "scene/material.h"
#include "scene/model.h"

namespace {

constexpr float kSelectedColour[3] = {0.5f, 0.9f, 0.7f};
constexpr float kUnselectedColour[3] = {0.9f, 0.5f, 0.7f};

// Corner layout: position, negated corner normal, and (u, -v) when the object
// has texture coordinates at all.
constexpr int kCornerFloatsWithoutUvs = 6;
constexpr int kCornerFloatsWithUvs = 8;

bool IsEdgeSelected(const CFace& face, std::size_t edge) {
    return edge < face.edgeSelected.size() && face.edgeSelected[edge];
}

// Calls visit(face, corner count, edge) for every edge; edge e joins corners e
// and e + 1, and a line has its one edge only once.
template <typename Visit>
void ForEachEdge(const CModel& model, Visit visit) {
    for (const CFace& face : model.faces) {
        for (std::size_t e = 0; e < EdgeCount(face); ++e) {
            visit(face, face.indices.size(), e);
        }
    }
}

// Gives the buffer bound to `target` room for `bytes` and maps it for writing;
// null when the GL has no room. A rebuild of the same size (an edit that moved
// vertices or changed the selection) writes into the storage it already has,
// which spares the system fresh pages for every step of a drag.
void* AllocateAndMap(GLenum target, std::size_t bytes) {
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    if (static_cast<std::size_t>(size) != bytes) {
        glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    }
    return glMapBuffer(target, GL_WRITE_ONLY);
}

const GLvoid* ByteOffset(std::size_t bytes) {
    return reinterpret_cast<const GLvoid*>(bytes);
}

}  // namespace

bool ModelArrays::IsBuiltFrom(const CModel& model, const std::vector<CMaterial>& materials) const {
    return revision_ == model.revision &&
           std::equal(materials.begin(), materials.end(), materialIds_.begin(), materialIds_.end(),
                      [](const CMaterial& m, int id) { return m.id == id; });
}

void ModelArrays::Build(const CModel& model, const std::vector<CMaterial>& materials) {
    revision_ = model.revision;
    materialIds_.clear();
    for (const CMaterial& m : materials) {
        materialIds_.push_back(m.id);
    }
    BuildFaces(model, materials);
    BuildEdges(model);
    BuildPoints(model);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void ModelArrays::Release() {
    cornerBuffer_.reset();
    pointBuffer_.reset();
    edgeIndexBuffer_.reset();
    usedPointIndexBuffer_.reset();
    revision_ = 0;
    groups_.clear();
    runs_.clear();
    groupOfMaterial_.clear();
    vertexCount_ = selectedEdgeIndices_ = unselectedEdgeIndices_ = usedPointCount_ = 0;
}

void ModelArrays::BuildFaces(const CModel& model, const std::vector<CMaterial>& materials) {
    // One group per material number, in the order the number first appears in
    // the list; a number listed twice draws its faces twice, like the list does.
    groups_.clear();
    runs_.clear();
    groupOfMaterial_.assign(materials.size(), -1);
    std::vector<std::pair<int, int>> groupOfId;  // (material number, group), sorted
    for (std::size_t slot = 0; slot < materials.size(); ++slot) {
        const int id = materials[slot].id;
        auto it = std::lower_bound(groupOfId.begin(), groupOfId.end(), std::pair{id, -1});
        if (it == groupOfId.end() || it->first != id) {
            it = groupOfId.insert(it, {id, static_cast<int>(groups_.size())});
            groups_.emplace_back();
        }
        groupOfMaterial_[slot] = it->second;
    }
    const auto groupOf = [&groupOfId](int id) {
        const auto it = std::lower_bound(groupOfId.begin(), groupOfId.end(), std::pair{id, -1});
        return it != groupOfId.end() && it->first == id ? it->second : -1;
    };

    // Every group's runs of consecutive triangles or quads, in face order.
    std::vector<int> faceGroup(model.faces.size(), -1);
    std::vector<std::vector<FaceRun>> groupRuns(groups_.size());
    std::uint32_t corners = 0;
    bool anyUvs = false;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (!IsSurface(face)) {
            continue;
        }
        const int g = groupOf(face.material);
        if (g < 0) {
            continue;
        }
        faceGroup[f] = g;
        const unsigned mode = face.indices.size() == 3 ? GL_TRIANGLES : GL_QUADS;
        const auto n = static_cast<std::uint32_t>(face.indices.size());
        std::vector<FaceRun>& runs = groupRuns[static_cast<std::size_t>(g)];
        if (runs.empty() || runs.back().mode != mode) {
            runs.push_back(FaceRun{mode, 0, 0});
        }
        runs.back().cornerCount += n;
        corners += n;
        if (!face.uvs.empty()) {
            groups_[static_cast<std::size_t>(g)].hasUvs = true;
            anyUvs = true;
        }
    }

    // Corners are laid out group after group, each group's runs one after another.
    std::vector<std::uint32_t> nextCorner(groups_.size());
    std::uint32_t corner = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        nextCorner[g] = corner;
        groups_[g].firstRun = static_cast<std::uint32_t>(runs_.size());
        groups_[g].runCount = static_cast<std::uint32_t>(groupRuns[g].size());
        for (FaceRun run : groupRuns[g]) {
            run.firstCorner = corner;
            corner += run.cornerCount;
            runs_.push_back(run);
        }
    }
    const int floatsPerCorner = anyUvs ? kCornerFloatsWithUvs : kCornerFloatsWithoutUvs;
    cornerStride_ = floatsPerCorner * static_cast<int>(sizeof(float));
    if (corners == 0) {
        cornerBuffer_.reset();
        return;
    }

    EnsureBuffer(cornerBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    auto* cornerData = static_cast<float*>(AllocateAndMap(
        GL_ARRAY_BUFFER, std::size_t{corners} * static_cast<std::size_t>(cornerStride_)));
    if (!cornerData) {
        glUnmapBuffer(GL_ARRAY_BUFFER);
        cornerBuffer_.reset();
        return;
    }

    // A corner without texture coordinates takes those of the corner drawn
    // before it in its material, as the GL's current coordinate would.
    std::vector<std::pair<float, float>> lastUv(groups_.size(), {0.0f, 0.0f});
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (faceGroup[f] < 0) {
            continue;
        }
        const auto g = static_cast<std::size_t>(faceGroup[f]);
        const CFace& face = model.faces[f];
        const std::size_t n = face.indices.size();
        // Corner normals exist only once the normals were computed; until then
        // the face is lit with its own normal.
        const bool hasCornerNormals = face.corners.size() >= n;
        for (std::size_t i = 0; i < n; ++i) {
            float* out = cornerData +
                         std::size_t{nextCorner[g]++} * static_cast<std::size_t>(floatsPerCorner);
            const CVector& p = model.vertices[static_cast<std::size_t>(face.indices[i])];
            const CVector& normal = hasCornerNormals ? face.corners[i].normal : face.normal;
            out[0] = p.x;
            out[1] = p.y;
            out[2] = p.z;
            out[3] = -normal.x;
            out[4] = -normal.y;
            out[5] = -normal.z;
            if (anyUvs) {
                if (i < face.uvs.size()) {
                    lastUv[g] = {face.uvs[i].u, -face.uvs[i].v};
                }
                out[6] = lastUv[g].first;
                out[7] = lastUv[g].second;
            }
        }
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);
}

void ModelArrays::BuildEdges(const CModel& model) {
    selectedEdgeIndices_ = 0;
    unselectedEdgeIndices_ = 0;
    ForEachEdge(model, [this](const CFace& face, std::size_t, std::size_t e) {
        (IsEdgeSelected(face, e) ? selectedEdgeIndices_ : unselectedEdgeIndices_) += 2;
    });
    const std::uint32_t total = selectedEdgeIndices_ + unselectedEdgeIndices_;
    if (total == 0) {
        edgeIndexBuffer_.reset();
        return;
    }
    EnsureBuffer(edgeIndexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, edgeIndexBuffer_.id());
    auto* data = static_cast<std::uint32_t*>(
        AllocateAndMap(GL_ELEMENT_ARRAY_BUFFER, std::size_t{total} * sizeof(std::uint32_t)));
    if (!data) {
        glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
        selectedEdgeIndices_ = unselectedEdgeIndices_ = 0;
        return;
    }
    std::uint32_t* selected = data;
    std::uint32_t* unselected = data + selectedEdgeIndices_;
    ForEachEdge(model, [&selected, &unselected](const CFace& face, std::size_t n, std::size_t e) {
        std::uint32_t*& out = IsEdgeSelected(face, e) ? selected : unselected;
        *out++ = static_cast<std::uint32_t>(face.indices[e]);
        *out++ = static_cast<std::uint32_t>(face.indices[(e + 1) % n]);
    });
    glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
}

void ModelArrays::BuildPoints(const CModel& model) {
    vertexCount_ = static_cast<std::uint32_t>(model.vertices.size());
    usedPointCount_ = 0;
    if (vertexCount_ == 0) {
        pointBuffer_.reset();
        usedPointIndexBuffer_.reset();
        return;
    }
    // Positions straight from the vertex records (their flags ride along
    // unread), then the colours.
    const std::size_t positionBytes = std::size_t{vertexCount_} * sizeof(CVector);
    const std::size_t colourBytes = std::size_t{vertexCount_} * sizeof(kSelectedColour);
    EnsureBuffer(pointBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    auto* data =
        static_cast<std::uint8_t*>(AllocateAndMap(GL_ARRAY_BUFFER, positionBytes + colourBytes));
    if (!data) {
        glUnmapBuffer(GL_ARRAY_BUFFER);
        vertexCount_ = 0;
        return;
    }
    std::copy_n(reinterpret_cast<const std::uint8_t*>(model.vertices.data()), positionBytes, data);
    std::uint8_t* colours = data + positionBytes;
    for (const CVector& v : model.vertices) {
        const float* colour = v.selected ? kSelectedColour : kUnselectedColour;
        std::copy_n(reinterpret_cast<const std::uint8_t*>(colour), sizeof(kSelectedColour),
                    colours);
        colours += sizeof(kSelectedColour);
        usedPointCount_ += v.used ? 1 : 0;
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);

    if (usedPointCount_ == vertexCount_) {
        usedPointIndexBuffer_.reset();
        return;
    }
    EnsureBuffer(usedPointIndexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, usedPointIndexBuffer_.id());
    auto* used = static_cast<std::uint32_t*>(
        AllocateAndMap(GL_ELEMENT_ARRAY_BUFFER,
                       std::size_t{std::max(usedPointCount_, 1u)} * sizeof(std::uint32_t)));
    if (!used) {
        glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
        usedPointCount_ = 0;
        return;
    }
    for (std::uint32_t i = 0; i < vertexCount_; ++i) {
        if (model.vertices[i].used) {
            *used++ = i;
        }
    }
    glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
}

void ModelArrays::DrawFaces(const std::vector<CMaterial>& materials, TextureCache& textures) const {
    if (cornerBuffer_.id() == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, cornerStride_, ByteOffset(0));
    glNormalPointer(GL_FLOAT, cornerStride_, ByteOffset(3 * sizeof(float)));
    glTexCoordPointer(2, GL_FLOAT, cornerStride_, ByteOffset(6 * sizeof(float)));
    for (std::size_t slot = 0; slot < materials.size() && slot < groupOfMaterial_.size(); ++slot) {
        const FaceGroup& group = groups_[static_cast<std::size_t>(groupOfMaterial_[slot])];
        if (group.runCount == 0) {
            continue;
        }
        const CMaterial& material = materials[slot];
        ApplyMaterial(material, material.texture.empty() ? 0 : textures.Acquire(material.image));
        if (group.hasUvs) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        } else {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        for (std::uint32_t r = group.firstRun; r < group.firstRun + group.runCount; ++r) {
            const FaceRun& run = runs_[r];
            glDrawArrays(run.mode, static_cast<GLint>(run.firstCorner),
                         static_cast<GLsizei>(run.cornerCount));
        }
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ModelArrays::DrawEdges() const {
    if (edgeIndexBuffer_.id() == 0 || vertexCount_ == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, edgeIndexBuffer_.id());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(CVector), ByteOffset(0));
    const std::uint32_t last = vertexCount_ - 1;
    if (selectedEdgeIndices_ > 0) {
        glColor3fv(kSelectedColour);
        glDrawRangeElements(GL_LINES, 0, last, static_cast<GLsizei>(selectedEdgeIndices_),
                            GL_UNSIGNED_INT, ByteOffset(0));
    }
    if (unselectedEdgeIndices_ > 0) {
        glColor3fv(kUnselectedColour);
        glDrawRangeElements(GL_LINES, 0, last, static_cast<GLsizei>(unselectedEdgeIndices_),
                            GL_UNSIGNED_INT,
                            ByteOffset(std::size_t{selectedEdgeIndices_} * sizeof(std::uint32_t)));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ModelArrays::DrawVertices() const {
    if (usedPointCount_ == 0 || vertexCount_ == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(CVector), ByteOffset(0));
    glColorPointer(3, GL_FLOAT, 0, ByteOffset(std::size_t{vertexCount_} * sizeof(CVector)));
    if (usedPointCount_ == vertexCount_) {
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(vertexCount_));
    } else {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, usedPointIndexBuffer_.id());
        glDrawRangeElements(GL_POINTS, 0, vertexCount_ - 1, static_cast<GLsizei>(usedPointCount_),
                            GL_UNSIGNED_INT, ByteOffset(0));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
