// The native document layout: every record reads its items in the order
// DocumentCopy (scene/document_copy.h) writes them, the camera and the
// materials writing themselves; little-endian, with no padding, signature or
// version.
#include <cstring>

#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/document_copy.h"
#include "scene/face_rules.h"

void CVector::Serialize(ArchiveWriter& ar) const {
    const float xyz[3] = {x, y, z};
    ar.WriteBytes(xyz, sizeof xyz);
}

void CVector::Serialize(ArchiveReader& ar) {
    float xyz[3];
    ar.ReadFloats(xyz, 3);
    x = xyz[0];
    y = xyz[1];
    z = xyz[2];
}

void CUV::Serialize(ArchiveReader& ar) {
    u = ar.ReadFloat();
    v = ar.ReadFloat();
}

void CAnimation::Serialize(ArchiveWriter& ar) const {
    position.Serialize(ar);
    rotation.Serialize(ar);
    scale.Serialize(ar);
}

void CAnimation::Serialize(ArchiveReader& ar) {
    position.Serialize(ar);
    rotation.Serialize(ar);
    scale.Serialize(ar);
}

void CFace::Serialize(ArchiveReader& ar) {
    normal.Serialize(ar);
    material = ar.ReadInt32();
    // Each index is 4 bytes and the UV count that follows another 4.
    const std::size_t indexCount = ar.ReadCount(4, "index");
    indices.resize(indexCount);
    static_assert(sizeof(int) == 4);
    ar.ReadInt32s(reinterpret_cast<std::int32_t*>(indices.data()), indexCount);
    edgeSelected.clear();
    edgeSelected.resize(indexCount, false);
    const std::size_t uvCount = ar.ReadCount(8, "texture coordinate");
    uvs.resize(uvCount);
    for (CUV& uv : uvs) {
        uv.Serialize(ar);
    }
}

void CMaterial::Serialize(ArchiveWriter& ar) const {
    ar.WriteInt32(id);
    ar.WriteString(name);
    for (float value : {red, green, blue, alpha, diffuse, ambient, emissive, specular, power}) {
        ar.WriteFloat(value);
    }
    ar.WriteString(texture);
    ar.WriteString(alphaPlane);
    ar.WriteString(bump);
}

void CMaterial::Serialize(ArchiveReader& ar) {
    id = ar.ReadInt32();
    name = ar.ReadString();
    for (float* value :
         {&red, &green, &blue, &alpha, &diffuse, &ambient, &emissive, &specular, &power}) {
        *value = ar.ReadFloat();
    }
    texture = ar.ReadString();
    alphaPlane = ar.ReadString();
    bump = ar.ReadString();
}

namespace {

// The smallest stored sizes, used to bound counts against the bytes left.
constexpr std::size_t kVertexBytes = 12;
constexpr std::size_t kFaceBytes = 12 + 4 + 4 + 4;               // normal, material, two counts
constexpr std::size_t kObjectBytes = 4 + 1 + 4 + 4 + 4 + 4 + 4;  // with an empty name
constexpr std::size_t kMaterialBytes = 4 + 1 + 9 * 4 + 3;
constexpr std::size_t kCameraBytes = 9 * 4;

}  // namespace

int CModel::Serialize(ArchiveReader& ar) {
    id = ar.ReadInt32();
    name = ar.ReadString();
    const std::int32_t storedVertices = ar.ReadInt32();
    const std::int32_t storedFaces = ar.ReadInt32();
    if (storedVertices < 0 || storedFaces < 0 ||
        static_cast<std::uint64_t>(storedVertices) * kVertexBytes +
                static_cast<std::uint64_t>(storedFaces) * kFaceBytes + 12 >
            ar.Remaining()) {
        throw DocumentError({}, "object \"" + name + "\" claims " + std::to_string(storedVertices) +
                                    " vertices and " + std::to_string(storedFaces) +
                                    " faces, more than the " + std::to_string(ar.Remaining()) +
                                    " bytes left in the file");
    }
    facet = ar.ReadFloat();
    mirrorAxis = ar.ReadInt32();
    state = ar.ReadInt32();
    // The counts are bounded by the bytes left, so each array is sized once
    // and filled in one pass.
    vertices.clear();
    vertices.reserve(static_cast<std::size_t>(storedVertices));
    for (std::int32_t i = 0; i < storedVertices; ++i) {
        vertices.emplace_back().Serialize(ar);
    }
    // The face rule (scene/face_rules.h) is kept while the face is at hand:
    // faces with broken corners are dropped, mismatched texture coordinates
    // cleared.
    int repairs = 0;
    faces.clear();
    faces.reserve(static_cast<std::size_t>(storedFaces));
    for (std::int32_t i = 0; i < storedFaces; ++i) {
        CFace& face = faces.emplace_back();
        face.Serialize(ar);
        if (!HasValidCorners(face, vertices.size())) {
            faces.pop_back();
            ++repairs;
        } else if (!HasMatchingUvs(face)) {
            face.uvs.clear();
            ++repairs;
        }
    }
    vertexInfo.clear();
    faceNormals_.clear();
    cornerNormals_.clear();
    cornerNormalFaces_ = 0;
    spare_ = NormalsSpare();
    return repairs;
}

// The records are written from a flat copy, the one writer of the layout,
// which autosaves take apart from their write.
void CCentigrade::Serialize(ArchiveWriter& ar) const {
    DocumentCopy copy;
    copy.Take(*this);
    copy.WriteTo(ar);
}

int CCentigrade::Serialize(ArchiveReader& ar) {
    const std::int32_t objectCount = ar.ReadInt32();
    const std::int32_t materialCount = ar.ReadInt32();
    if (objectCount < 0 || materialCount < 0 ||
        static_cast<std::uint64_t>(objectCount) * kObjectBytes + 16 + kCameraBytes +
                static_cast<std::uint64_t>(materialCount) * kMaterialBytes >
            ar.Remaining()) {
        throw DocumentError({}, "the header claims " + std::to_string(objectCount) +
                                    " objects and " + std::to_string(materialCount) +
                                    " materials, more than the " + std::to_string(ar.Remaining()) +
                                    " bytes left in the file");
    }
    // The records are read into lists of their own, which replace the scene's
    // only once the whole document has been read.
    std::vector<CModel> readModels(static_cast<std::size_t>(objectCount));
    std::vector<CMaterial> readMaterials(static_cast<std::size_t>(materialCount));
    const std::int32_t readModelSerial = ar.ReadInt32();
    const std::int32_t readMaterialSerial = ar.ReadInt32();
    const std::int32_t readSmooth = ar.ReadInt32();
    const float readZoom = ar.ReadFloat();
    int repairs = 0;
    for (CModel& m : readModels) {
        repairs += m.Serialize(ar);
    }
    CAnimation readCamera;
    readCamera.Serialize(ar);
    for (CMaterial& m : readMaterials) {
        m.Serialize(ar);
    }
    models = std::move(readModels);
    materials = std::move(readMaterials);
    modelSerial = readModelSerial;
    materialSerial = readMaterialSerial;
    smooth = readSmooth;
    zoom = readZoom;
    camera = readCamera;
    return repairs + ar.ReplacedCharacters() + ar.ReplacedNumbers();
}
