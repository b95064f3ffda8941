#include "python/geometry_arrays.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "scene/face_rules.h"
#include "scene/model.h"

namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

void CopyVector(const CVector& v, float* out) {
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

std::string FacePrefix(std::size_t face) {
    return "face " + std::to_string(face);
}

std::string CornerCountBreach(std::size_t face, std::int64_t corners) {
    return FacePrefix(face) + ": " + std::to_string(corners) + " corners (a face has 2, 3 or 4)";
}

std::string MissingVertex(std::size_t face, std::size_t corner, std::int64_t vertex,
                          std::size_t vertexCount) {
    return FacePrefix(face) + ", corner " + std::to_string(corner) + ": vertex " +
           std::to_string(vertex) + " does not exist (the object has " +
           std::to_string(vertexCount) + " vertices)";
}

// The corners of row `r`: its stated count, or the slots before its first -1,
// after which every slot must be -1 too.
std::size_t CornersOfRow(const FaceRows& rows, std::size_t r) {
    const std::int64_t* row = rows.indices + r * rows.width;
    if (rows.cornerCounts) {
        const std::int64_t stated = rows.cornerCounts[r];
        if (!HasValidCornerCount(static_cast<std::size_t>(std::max<std::int64_t>(stated, 0)))) {
            throw std::invalid_argument(CornerCountBreach(r, stated));
        }
        if (stated > static_cast<std::int64_t>(rows.width)) {
            throw std::invalid_argument(FacePrefix(r) + ": " + std::to_string(stated) +
                                        " corners in a row of " + std::to_string(rows.width) +
                                        " indices");
        }
        return static_cast<std::size_t>(stated);
    }
    std::size_t corners = 0;
    while (corners < rows.width && row[corners] != -1) {
        ++corners;
    }
    for (std::size_t k = corners; k < rows.width; ++k) {
        if (row[k] != -1) {
            throw std::invalid_argument(FacePrefix(r) + ": corner " + std::to_string(k) +
                                        " follows the padding (-1)");
        }
    }
    return corners;
}

// Row `r`'s texture coordinates: all of its corners', or none when they are
// all NaN.
void ReadUvs(const FaceRows& rows, std::size_t r, CFace& face) {
    const float* row = rows.uvs + r * rows.width * 2;
    const std::size_t corners = face.indices.size();
    std::size_t missing = 0;
    for (std::size_t k = 0; k < corners * 2; ++k) {
        if (std::isnan(row[k])) {
            ++missing;
        } else if (!std::isfinite(row[k])) {
            throw std::invalid_argument(FacePrefix(r) +
                                        ": texture coordinates must be finite numbers");
        }
    }
    if (missing == corners * 2) {
        return;
    }
    if (missing != 0) {
        throw std::invalid_argument(FacePrefix(r) +
                                    ": texture coordinates are given for some corners only");
    }
    face.uvs.resize(corners);
    for (std::size_t k = 0; k < corners; ++k) {
        face.uvs[k].u = row[2 * k];
        face.uvs[k].v = row[2 * k + 1];
    }
}

// Why `face` (row `r`) breaks the rule.
std::string RuleBreach(const CFace& face, std::size_t r, std::size_t vertexCount) {
    if (!HasValidCornerCount(face.indices.size())) {
        return CornerCountBreach(r, static_cast<std::int64_t>(face.indices.size()));
    }
    for (std::size_t k = 0; k < face.indices.size(); ++k) {
        const int i = face.indices[k];
        if (i < 0 || static_cast<std::size_t>(i) >= vertexCount) {
            return MissingVertex(r, k, i, vertexCount);
        }
    }
    return FacePrefix(r) + ": one pair of texture coordinates a corner, or none";
}

int MaterialOfRow(const FaceRows& rows, std::size_t r) {
    if (!rows.materials) {
        return rows.defaultMaterial;
    }
    const std::int64_t material = rows.materials[r];
    if (material < std::numeric_limits<int>::min() || material > std::numeric_limits<int>::max()) {
        throw std::invalid_argument(FacePrefix(r) + ": material " + std::to_string(material) +
                                    " is out of range");
    }
    return static_cast<int>(material);
}

}  // namespace

void CopyFaces(const CModel& model, std::int32_t* indices, std::uint8_t* cornerCounts,
               std::int32_t* materials) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        std::int32_t* row = indices + r * kFaceSlots;
        for (std::size_t k = 0; k < kFaceSlots; ++k) {
            row[k] = k < f.indices.size() ? f.indices[k] : -1;
        }
        cornerCounts[r] = static_cast<std::uint8_t>(f.indices.size());
        materials[r] = f.material;
    }
}

void CopyUvs(const CModel& model, float* uvs) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        float* row = uvs + r * kFaceSlots * 2;
        for (std::size_t k = 0; k < kFaceSlots; ++k) {
            const bool has = k < f.uvs.size();
            row[2 * k] = has ? f.uvs[k].u : kNoValue;
            row[2 * k + 1] = has ? f.uvs[k].v : kNoValue;
        }
    }
}

void CopyFaceNormals(const CModel& model, float* normals) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        CopyVector(IsSurface(f) ? f.normal : CVector(), normals + r * 3);
    }
}

void CopyCornerNormals(const CModel& model, float* normals) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        for (std::size_t k = 0; k < kFaceSlots; ++k) {
            float* out = normals + (r * kFaceSlots + k) * 3;
            if (const std::optional<CVector> n = CornerNormal(model, r, k)) {
                CopyVector(*n, out);
            } else {
                out[0] = out[1] = out[2] = kNoValue;
            }
        }
    }
}

void CopyVertexSelection(const CModel& model, bool* selected) {
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        selected[v] = model.vertices[v].selected;
    }
}

void CopyFaceSelection(const CModel& model, bool* selected) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        selected[r] = model.faces[r].selected;
    }
}

void CopyEdgeSelection(const CModel& model, bool* selected) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const CFace& f = model.faces[r];
        for (std::size_t k = 0; k < kFaceSlots; ++k) {
            selected[r * kFaceSlots + k] =
                k < EdgeCount(f) && f.IsEdgeSelected(static_cast<int>(k));
        }
    }
}

void SetVertexSelection(CModel& model, const bool* selected) {
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        model.vertices[v].selected = selected[v];
    }
}

void SetFaceSelection(CModel& model, const bool* selected) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        model.faces[r].selected = selected[r];
    }
}

void SetEdgeSelection(CModel& model, const bool* selected) {
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        CFace& f = model.faces[r];
        for (std::size_t k = 0; k < EdgeCount(f); ++k) {
            f.SetEdgeSelected(static_cast<int>(k), selected[r * kFaceSlots + k]);
        }
    }
}

LargeArray<CFace> BuildFaces(const FaceRows& rows, std::size_t vertexCount) {
    LargeArray<CFace> faces(rows.count);
    for (std::size_t r = 0; r < rows.count; ++r) {
        CFace& face = faces[r];
        const std::int64_t* row = rows.indices + r * rows.width;
        const std::size_t corners = CornersOfRow(rows, r);
        for (std::size_t k = 0; k < corners; ++k) {
            // Beyond int's range is beyond every vertex list's.
            if (row[k] < 0 || row[k] > std::numeric_limits<int>::max()) {
                throw std::invalid_argument(MissingVertex(r, k, row[k], vertexCount));
            }
            face.indices.push_back(static_cast<int>(row[k]));
        }
        face.edgeSelected.resize(face.indices.size(), false);
        face.material = MaterialOfRow(rows, r);
        if (rows.uvs) {
            ReadUvs(rows, r, face);
        }
        if (!IsValidFace(face, vertexCount)) {
            throw std::invalid_argument(RuleBreach(face, r, vertexCount));
        }
    }
    return faces;
}

std::size_t FirstNonFiniteVertex(const CModel& model) {
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        const CVector& p = model.vertices[v];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
            return v;
        }
    }
    return model.vertices.size();
}

std::optional<CVector> CornerNormal(const CModel& model, std::size_t face, std::size_t corner) {
    if (!model.HasCornerNormals(face) || corner >= model.faces[face].indices.size()) {
        return std::nullopt;
    }
    return model.CornerNormal(face, corner);
}
