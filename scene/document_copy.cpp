#include "scene/document_copy.h"

#include <algorithm>

#include "scene/archive.h"
#include "scene/centigrade.h"

void DocumentCopy::Take(const CCentigrade& scene) {
    std::size_t vertexCount = 0;
    std::size_t faceCount = 0;
    models_.clear();
    for (const CModel& m : scene.models) {
        models_.push_back(
            {m.id, m.name, m.facet, m.mirrorAxis, m.state, m.vertices.size(), m.faces.size()});
        vertexCount += m.vertices.size();
        faceCount += m.faces.size();
    }
    positions_.resize(3 * vertexCount);
    faces_.resize(faceCount);
    // Room for quads; a face of more corners makes room for itself.
    indices_.resize(4 * faceCount);
    std::size_t indexCount = 0;
    uvs_.clear();
    float* position = positions_.data();
    Face* face = faces_.data();
    for (const CModel& m : scene.models) {
        for (const CVector& v : m.vertices) {
            position[0] = v.x;
            position[1] = v.y;
            position[2] = v.z;
            position += 3;
        }
        for (const CFace& f : m.faces) {
            *face++ = {{f.normal.x, f.normal.y, f.normal.z},
                       f.material,
                       static_cast<std::uint32_t>(f.indices.size()),
                       static_cast<std::uint32_t>(f.uvs.size())};
            if (indexCount + f.indices.size() > indices_.size()) {
                indices_.resize(2 * (indexCount + f.indices.size()));
            }
            std::copy(f.indices.begin(), f.indices.end(), indices_.data() + indexCount);
            indexCount += f.indices.size();
            if (!f.uvs.empty()) {
                uvs_.insert(uvs_.end(), f.uvs.begin(), f.uvs.end());
            }
        }
    }
    indices_.resize(indexCount);
    materials_ = scene.materials;
    for (CMaterial& m : materials_) {
        m.image.reset();
    }
    modelSerial_ = scene.modelSerial;
    materialSerial_ = scene.materialSerial;
    smooth_ = scene.smooth;
    zoom_ = scene.zoom;
    camera_ = scene.camera;
}

std::size_t DocumentCopy::DocumentBytes() const {
    std::size_t bytes = 24 + 36 + positions_.size() * 4 + faces_.size() * 24 + indices_.size() * 4 +
                        uvs_.size() * 8;
    for (const Model& m : models_) {
        bytes += 32 + m.name.size();
    }
    for (const CMaterial& m : materials_) {
        bytes += 64 + m.name.size() + m.texture.size() + m.alphaPlane.size() + m.bump.size();
    }
    return bytes;
}

void DocumentCopy::WriteTo(ArchiveWriter& writer) const {
    writer.Reserve(DocumentBytes());
    writer.WriteInt32(static_cast<std::int32_t>(models_.size()));
    writer.WriteInt32(static_cast<std::int32_t>(materials_.size()));
    writer.WriteInt32(modelSerial_);
    writer.WriteInt32(materialSerial_);
    writer.WriteInt32(smooth_);
    writer.WriteFloat(zoom_);
    const float* position = positions_.data();
    const Face* face = faces_.data();
    const std::int32_t* index = indices_.data();
    const CUV* uv = uvs_.data();
    for (const Model& m : models_) {
        writer.WriteInt32(m.id);
        writer.WriteString(m.name);
        writer.WriteInt32(static_cast<std::int32_t>(m.vertices));
        writer.WriteInt32(static_cast<std::int32_t>(m.faces));
        writer.WriteFloat(m.facet);
        writer.WriteInt32(m.mirrorAxis);
        writer.WriteInt32(m.state);
        writer.WriteBytes(position, m.vertices * 3 * sizeof(float));
        position += m.vertices * 3;
        for (std::size_t k = 0; k < m.faces; ++k, ++face) {
            writer.WriteBytes(face->normal, sizeof face->normal);
            writer.WriteInt32(face->material);
            writer.WriteInt32(static_cast<std::int32_t>(face->indices));
            writer.WriteBytes(index, face->indices * sizeof(std::int32_t));
            index += face->indices;
            writer.WriteInt32(static_cast<std::int32_t>(face->uvs));
            for (std::uint32_t u = 0; u < face->uvs; ++u, ++uv) {
                writer.WriteFloat(uv->u);
                writer.WriteFloat(uv->v);
            }
        }
    }
    camera_.Serialize(writer);
    for (const CMaterial& m : materials_) {
        m.Serialize(writer);
    }
}
