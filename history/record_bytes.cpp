#include "history/record_bytes.h"

#include <cstdint>

#include "scene/material.h"
#include "scene/model.h"

namespace {

template <typename T, std::uint32_t N>
std::size_t SpilledBytes(const SmallArray<T, N>& array) {
    return array.capacity() > N ? array.capacity() * sizeof(T) : 0;
}

}  // namespace

std::size_t HeapBytes(const CFace& face) {
    return face.uvs.capacity() * sizeof(CUV) + SpilledBytes(face.indices) +
           SpilledBytes(face.edgeSelected);
}

std::size_t HeapBytes(const CMaterial& material) {
    return material.name.capacity() + material.texture.capacity() + material.alphaPlane.capacity() +
           material.bump.capacity();
}

std::size_t HeapBytes(const CModel& model) {
    std::size_t bytes = model.name.capacity() + model.vertices.capacity() * sizeof(CVector) +
                        model.faces.capacity() * sizeof(CFace) + model.vertexInfo.CapacityBytes() +
                        model.NormalsCapacityBytes();
    for (const CFace& face : model.faces) {
        bytes += HeapBytes(face);
    }
    return bytes;
}
