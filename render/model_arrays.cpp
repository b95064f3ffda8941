#include "render/model_arrays.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>

#include "render/gl_api.h"
#include "render/material_apply.h"
#include "render/texture_cache.h"
#include "scene/face_rules.h"
#include "scene/hidden_vertices.h"
#include "scene/material.h"
#include "scene/model.h"

namespace {

constexpr float kSelectedColour[3] = {0.5f, 0.9f, 0.7f};
constexpr float kUnselectedColour[3] = {0.9f, 0.5f, 0.7f};

constexpr std::uint32_t kNotDrawn = UINT32_MAX;

bool IsEdgeSelected(const CFace& face, std::size_t edge) {
    return edge < face.edgeSelected.size() && face.edgeSelected[edge];
}

// Calls visit(face, corner count, edge) for every edge of a face not hidden;
// edge e joins corners e and e + 1, and a line has its one edge only once.
template <typename Visit>
void ForEachEdge(const CModel& model, Visit visit) {
    for (const CFace& face : model.faces) {
        for (std::size_t e = 0; !face.hidden && e < EdgeCount(face); ++e) {
            visit(face, face.indices.size(), e);
        }
    }
}

// Gives the buffer bound to `target` room for `bytes` and maps it for writing;
// null when the GL has no room. A rebuild of the same size (a selection change
// rewriting the edge lists) writes into the storage it already has.
void* AllocateAndMap(GLenum target, std::size_t bytes) {
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    if (static_cast<std::size_t>(size) != bytes) {
        glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    }
    return glMapBuffer(target, GL_WRITE_ONLY);
}

// The vertices in use, but not those that only hidden faces use.
std::vector<bool> DrawnVertices(const CModel& model) {
    const std::vector<bool> hidden = HiddenVertices(model);
    std::vector<bool> drawn(model.vertices.size());
    for (std::size_t v = 0; v < drawn.size(); ++v) {
        drawn[v] = model.vertices[v].used && (hidden.empty() || !hidden[v]);
    }
    return drawn;
}

const GLvoid* ByteOffset(std::size_t bytes) {
    return reinterpret_cast<const GLvoid*>(bytes);
}

}  // namespace

bool ModelArrays::HasMaterials(const std::vector<CMaterial>& materials) const {
    return std::equal(materials.begin(), materials.end(), materialIds_.begin(), materialIds_.end(),
                      [](const CMaterial& m, int id) { return m.id == id; });
}

void ModelArrays::Update(const CModel& model, const std::vector<CMaterial>& materials) {
    if (topology_ != model.topologyRevision || !HasMaterials(materials) ||
        vertexCount_ != model.vertices.size()) {
        Build(model, materials);
        return;
    }
    if (positions_ != model.positionsRevision) {
        const VertexSpan moved = model.PositionChangesSince(positions_);
        WritePointPositions(model, moved);
        WriteCornerPositions(model, moved);
        positions_ = model.positionsRevision;
    }
    if (normals_ != model.normalsRevision) {
        WriteCornerNormals(model, model.NormalChangesSince(normals_));
        normals_ = model.normalsRevision;
    }
    if (selection_ != model.selectionRevision) {
        const SelectionChanges changed = model.SelectionChangesSince(selection_);
        WritePointColours(model, changed.vertices);
        WriteSelectedEdges(model, changed.faces);
        selection_ = model.selectionRevision;
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void ModelArrays::Build(const CModel& model, const std::vector<CMaterial>& materials) {
    positions_ = model.positionsRevision;
    selection_ = model.selectionRevision;
    topology_ = model.topologyRevision;
    normals_ = model.normalsRevision;
    materialIds_.clear();
    for (const CMaterial& m : materials) {
        materialIds_.push_back(m.id);
    }
    BuildFaces(model, materials);
    BuildEdges(model);
    selectedEdgeIndices_ = 0;
    edgeBits_.assign(model.faces.size(), 0);
    WriteSelectedEdges(model, {0, model.faces.size()});
    BuildPoints(model);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void ModelArrays::Release() {
    cornerBuffer_.reset();
    pointBuffer_.reset();
    edgeIndexBuffer_.reset();
    selectedEdgeBuffer_.reset();
    usedPointIndexBuffer_.reset();
    positions_ = selection_ = topology_ = normals_ = 0;
    groups_.clear();
    runs_.clear();
    groupOfMaterial_.clear();
    cornerVertex_.clear();
    faceFirstCorner_.clear();
    vertexCorners_.clear();
    edgeBits_.clear();
    cornerCount_ = 0;
    vertexCount_ = edgeIndices_ = selectedEdgeIndices_ = usedPointCount_ = 0;
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
    hasUvs_ = false;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (!IsSurface(face) || face.hidden) {
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
        hasUvs_ = hasUvs_ || !face.uvs.empty();
    }

    // Corners are laid out group after group, each group's runs one after
    // another: the order they are drawn in.
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
    cornerCount_ = corners;
    cornerVertex_.assign(corners, 0);
    faceFirstCorner_.assign(model.faces.size(), kNotDrawn);
    vertexCorners_.assign(model.vertices.size(), CornerSpan{});
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (faceGroup[f] < 0) {
            continue;
        }
        std::uint32_t& next = nextCorner[static_cast<std::size_t>(faceGroup[f])];
        faceFirstCorner_[f] = next;
        for (int v : model.faces[f].indices) {
            cornerVertex_[next] = static_cast<std::uint32_t>(v);
            CornerSpan& span = vertexCorners_[static_cast<std::size_t>(v)];
            span.first = std::min(span.first, next);
            span.last = std::max(span.last, next);
            ++next;
        }
    }
    if (corners == 0) {
        cornerBuffer_.reset();
        return;
    }

    EnsureBuffer(cornerBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    const std::size_t floatsPerCorner = hasUvs_ ? 8 : 6;
    const std::size_t bytes = std::size_t{corners} * floatsPerCorner * sizeof(float);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    if (static_cast<std::size_t>(size) != bytes) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    }
    WriteCornerPositions(model, {0, model.vertices.size()});
    WriteCornerNormals(model, {0, model.faces.size()});
    if (hasUvs_) {
        WriteCornerUvs(model);
    }
}

// A corner without texture coordinates takes those of the corner drawn before
// it, as the GL's current coordinate would: across faces and materials, and
// (0, 0) before the first corner that has any.
void ModelArrays::WriteCornerUvs(const CModel& model) {
    constexpr float kUnset = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> uvs(std::size_t{cornerCount_} * 2, kUnset);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (faceFirstCorner_[f] == kNotDrawn) {
            continue;
        }
        float* out = uvs.data() + std::size_t{faceFirstCorner_[f]} * 2;
        for (std::size_t i = 0; i < face.uvs.size() && i < face.indices.size(); ++i) {
            out[2 * i] = face.uvs[i].u;
            out[2 * i + 1] = -face.uvs[i].v;
        }
    }
    float last[2] = {0, 0};
    for (std::size_t c = 0; c < uvs.size(); c += 2) {
        if (std::isnan(uvs[c])) {
            uvs[c] = last[0];
            uvs[c + 1] = last[1];
        } else {
            last[0] = uvs[c];
            last[1] = uvs[c + 1];
        }
    }
    glBufferSubData(GL_ARRAY_BUFFER,
                    static_cast<GLintptr>(std::size_t{cornerCount_} * 6 * sizeof(float)),
                    static_cast<GLsizeiptr>(uvs.size() * sizeof(float)), uvs.data());
}

void ModelArrays::WriteCornerPositions(const CModel& model, VertexSpan vertices) {
    if (cornerCount_ == 0 || vertices.first >= vertices.end) {
        return;
    }
    // The corners fed by the moved vertices; for a drag of a patch of a grid a
    // short stretch of the array.
    std::uint32_t first = 0;
    std::uint32_t end = cornerCount_;
    if (vertices.first > 0 || vertices.end < model.vertices.size()) {
        CornerSpan span;
        for (std::size_t v = vertices.first; v < vertices.end && v < vertexCorners_.size(); ++v) {
            span.first = std::min(span.first, vertexCorners_[v].first);
            span.last = std::max(span.last, vertexCorners_[v].last);
        }
        if (span.first > span.last) {
            return;
        }
        first = span.first;
        end = span.last + 1;
    }
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    auto* data = static_cast<float*>(glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY));
    if (!data) {
        return;
    }
    float* out = data + std::size_t{first} * 3;
    for (std::uint32_t c = first; c < end; ++c) {
        const CVector& p = model.vertices[cornerVertex_[c]];
        out[0] = p.x;
        out[1] = p.y;
        out[2] = p.z;
        out += 3;
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);
}

// Corner normals exist only once the normals were computed; until then a face
// is lit with its own normal.
void ModelArrays::WriteCornerNormals(const CModel& model, FaceSpan faces) {
    const std::size_t end = std::min(faces.end, faceFirstCorner_.size());
    if (cornerCount_ == 0 || faces.first >= end) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    auto* data = static_cast<float*>(glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY));
    if (!data) {
        return;
    }
    float* normals = data + std::size_t{cornerCount_} * 3;
    for (std::size_t f = faces.first; f < end; ++f) {
        if (faceFirstCorner_[f] == kNotDrawn) {
            continue;
        }
        float* out = normals + std::size_t{faceFirstCorner_[f]} * 3;
        for (std::size_t i = 0; i < model.faces[f].indices.size(); ++i) {
            const CVector normal = model.CornerNormal(f, i);
            out[0] = -normal.x;
            out[1] = -normal.y;
            out[2] = -normal.z;
            out += 3;
        }
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);
}

// Every edge in face order, whatever its selection.
void ModelArrays::BuildEdges(const CModel& model) {
    edgeIndices_ = 0;
    ForEachEdge(model, [this](const CFace&, std::size_t, std::size_t) { edgeIndices_ += 2; });
    if (edgeIndices_ == 0) {
        edgeIndexBuffer_.reset();
        return;
    }
    EnsureBuffer(edgeIndexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, edgeIndexBuffer_.id());
    auto* out = static_cast<std::uint32_t*>(
        AllocateAndMap(GL_ELEMENT_ARRAY_BUFFER, std::size_t{edgeIndices_} * sizeof(std::uint32_t)));
    if (!out) {
        glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
        edgeIndices_ = 0;
        return;
    }
    ForEachEdge(model, [&out](const CFace& face, std::size_t n, std::size_t e) {
        *out++ = static_cast<std::uint32_t>(face.indices[e]);
        *out++ = static_cast<std::uint32_t>(face.indices[(e + 1) % n]);
    });
    glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
}

// The selected edges alone, usually few: all a selection change rewrites of
// the edges.
// The selected edges of the faces in `faces` are compared with those the list
// was built from; only a difference rebuilds the list, from the kept flags
// and the corners of the faces that have any.
void ModelArrays::WriteSelectedEdges(const CModel& model, FaceSpan faces) {
    const std::size_t end = std::min(faces.end, edgeBits_.size());
    bool changed = false;
    for (std::size_t r = faces.first; r < end; ++r) {
        const CFace& face = model.faces[r];
        std::uint8_t bits = 0;
        for (std::size_t e = 0; !face.hidden && e < EdgeCount(face); ++e) {
            bits |= static_cast<std::uint8_t>(IsEdgeSelected(face, e) ? 1u << e : 0u);
        }
        changed = changed || bits != edgeBits_[r];
        edgeBits_[r] = bits;
    }
    if (!changed) {
        return;
    }
    selectedEdgeIndices_ = 0;
    for (std::uint8_t bits : edgeBits_) {
        selectedEdgeIndices_ += 2 * static_cast<std::uint32_t>(std::popcount(bits));
    }
    if (selectedEdgeIndices_ == 0) {
        return;
    }
    EnsureBuffer(selectedEdgeBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, selectedEdgeBuffer_.id());
    auto* out = static_cast<std::uint32_t*>(AllocateAndMap(
        GL_ELEMENT_ARRAY_BUFFER, std::size_t{selectedEdgeIndices_} * sizeof(std::uint32_t)));
    if (!out) {
        glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
        selectedEdgeIndices_ = 0;
        return;
    }
    for (std::size_t r = 0; r < edgeBits_.size(); ++r) {
        if (edgeBits_[r] == 0) {
            continue;
        }
        const CFace& face = model.faces[r];
        const std::size_t n = face.indices.size();
        for (std::size_t e = 0; e < EdgeCount(face); ++e) {
            if (edgeBits_[r] & (1u << e)) {
                *out++ = static_cast<std::uint32_t>(face.indices[e]);
                *out++ = static_cast<std::uint32_t>(face.indices[(e + 1) % n]);
            }
        }
    }
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
    const std::size_t bytes =
        std::size_t{vertexCount_} * (sizeof(CVector) + sizeof(kSelectedColour));
    EnsureBuffer(pointBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    if (static_cast<std::size_t>(size) != bytes) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    }
    WritePointPositions(model, {0, model.vertices.size()});
    WritePointColours(model, {0, vertexCount_});
    const std::vector<bool> drawn = DrawnVertices(model);
    for (std::uint32_t i = 0; i < vertexCount_; ++i) {
        usedPointCount_ += drawn[i] ? 1 : 0;
    }

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
        if (drawn[i]) {
            *used++ = i;
        }
    }
    glUnmapBuffer(GL_ELEMENT_ARRAY_BUFFER);
}

// Positions straight from the vertex records (their flags ride along unread).
void ModelArrays::WritePointPositions(const CModel& model, VertexSpan vertices) {
    const std::size_t end = std::min<std::size_t>(vertices.end, vertexCount_);
    if (vertices.first >= end) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(vertices.first * sizeof(CVector)),
                    static_cast<GLsizeiptr>((end - vertices.first) * sizeof(CVector)),
                    model.vertices.data() + vertices.first);
}

// The colours follow the positions; they are all a selection change rewrites
// of the points.
void ModelArrays::WritePointColours(const CModel& model, VertexSpan vertices) {
    const std::size_t end = std::min<std::size_t>(vertices.end, vertexCount_);
    if (vertices.first >= end) {
        return;
    }
    std::vector<float> colours(3 * (end - vertices.first));
    float* out = colours.data();
    for (std::size_t i = vertices.first; i < end; ++i) {
        const float* colour = model.vertices[i].selected ? kSelectedColour : kUnselectedColour;
        std::copy(colour, colour + 3, out);
        out += 3;
    }
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    glBufferSubData(GL_ARRAY_BUFFER,
                    static_cast<GLintptr>(std::size_t{vertexCount_} * sizeof(CVector) +
                                          vertices.first * sizeof(kSelectedColour)),
                    static_cast<GLsizeiptr>(colours.size() * sizeof(float)), colours.data());
}

void ModelArrays::DrawFaces(const std::vector<CMaterial>& materials, TextureCache& textures,
                            float opacity) const {
    if (cornerBuffer_.id() == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, cornerBuffer_.id());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    const std::size_t corners = cornerCount_;
    glVertexPointer(3, GL_FLOAT, 0, ByteOffset(0));
    glNormalPointer(GL_FLOAT, 0, ByteOffset(corners * 3 * sizeof(float)));
    if (hasUvs_) {
        glTexCoordPointer(2, GL_FLOAT, 0, ByteOffset(corners * 6 * sizeof(float)));
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    for (std::size_t slot = 0; slot < materials.size() && slot < groupOfMaterial_.size(); ++slot) {
        const FaceGroup& group = groups_[static_cast<std::size_t>(groupOfMaterial_[slot])];
        if (group.runCount == 0) {
            continue;
        }
        const CMaterial& material = materials[slot];
        ApplyMaterial(material, material.texture.empty() ? 0 : textures.Acquire(material.image),
                      opacity);
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

// The selected edges go first; drawn again among all edges, each of them meets
// the depth it wrote itself and keeps its colour, so the picture is that of
// drawing the selected edges and then the others.
void ModelArrays::DrawEdges() const {
    if (edgeIndexBuffer_.id() == 0 || vertexCount_ == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_.id());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(CVector), ByteOffset(0));
    const std::uint32_t last = vertexCount_ - 1;
    if (selectedEdgeIndices_ > 0) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, selectedEdgeBuffer_.id());
        glColor3fv(kSelectedColour);
        glDrawRangeElements(GL_LINES, 0, last, static_cast<GLsizei>(selectedEdgeIndices_),
                            GL_UNSIGNED_INT, ByteOffset(0));
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, edgeIndexBuffer_.id());
    glColor3fv(kUnselectedColour);
    glDrawRangeElements(GL_LINES, 0, last, static_cast<GLsizei>(edgeIndices_), GL_UNSIGNED_INT,
                        ByteOffset(0));
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
