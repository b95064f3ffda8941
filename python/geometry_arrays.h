// An object's faces and derived data as flat arrays of 4 slots a face (the
// most corners a face has), and faces built back from such arrays under the
// face rule of the readers. No Python here: the module wraps the buffers.
//
// Slots past a face's corners hold -1 (indices), NaN (coordinates) or false
// (flags); a face without texture coordinates has NaN in all its slots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "scene/large_array_allocator.h"
#include "scene/vector.h"

class CFace;
class CModel;

constexpr std::size_t kFaceSlots = 4;

// F × 4 indices, F corner counts, F material numbers.
void CopyFaces(const CModel& model, std::int32_t* indices, std::uint8_t* cornerCounts,
               std::int32_t* materials);
// F × 4 × 2.
void CopyUvs(const CModel& model, float* uvs);
// F × 3; a line (2 corners) has no normal and gives (0, 0, 0).
void CopyFaceNormals(const CModel& model, float* normals);
// F × 4 × 3.
void CopyCornerNormals(const CModel& model, float* normals);
// N; F; F × 4.
void CopyVertexSelection(const CModel& model, bool* selected);
void CopyFaceSelection(const CModel& model, bool* selected);
void CopyEdgeSelection(const CModel& model, bool* selected);

// Selection flags from arrays of the shapes above; the caller checked the
// shapes against the object.
void SetVertexSelection(CModel& model, const bool* selected);
void SetFaceSelection(CModel& model, const bool* selected);
void SetEdgeSelection(CModel& model, const bool* selected);

// Faces as Python hands them over: `width` (2 to 4) index slots a face.
struct FaceRows {
    std::size_t count = 0;
    std::size_t width = kFaceSlots;
    const std::int64_t* indices = nullptr;  // count × width
    // count; null: a face's corners are the slots before its first -1.
    const std::int64_t* cornerCounts = nullptr;
    const std::int64_t* materials = nullptr;  // count; null: `defaultMaterial`
    const float* uvs = nullptr;               // count × width × 2; null: none
    int defaultMaterial = 0;
};

// The faces of `rows` for an object of `vertexCount` vertices, each checked
// with the readers' rule. Throws std::invalid_argument naming the first face
// that breaks it and how.
LargeArray<CFace> BuildFaces(const FaceRows& rows, std::size_t vertexCount);

// The first vertex of `model` with a coordinate that is not finite, or the
// vertex count.
std::size_t FirstNonFiniteVertex(const CModel& model);

// A corner's smoothed normal: none before normals were computed.
std::optional<CVector> CornerNormal(const CModel& model, std::size_t face, std::size_t corner);
