#include "modelling/mesh_parts.h"

#include <algorithm>

CFace MakeFace(std::span<const int> corners, int material, std::span<const CUV> uvs) {
    CFace face;
    face.indices.assign(corners.begin(), corners.end());
    face.uvs.assign(uvs.begin(), uvs.end());
    face.material = material;
    face.edgeSelected.resize(corners.size(), false);
    return face;
}

CFace CopyFace(const CFace& face) {
    return MakeFace(std::span<const int>(face.indices.data(), face.indices.size()), face.material,
                    face.uvs);
}

void SelectWhole(CFace& face) {
    face.selected = true;
    for (bool& edge : face.edgeSelected) {
        edge = true;
    }
}

// Edge k joins corners k and k + 1. After the reversal corner i holds old
// corner n - 1 - i, so new edge k joins old corners n - 1 - k and n - 2 - k:
// old edge n - 2 - k, and the closing edge n - 1 stays where it is.
void ReverseCorners(CFace& face) {
    const std::size_t n = face.indices.size();
    std::reverse(face.indices.begin(), face.indices.end());
    std::reverse(face.uvs.begin(), face.uvs.end());
    if (face.edgeSelected.size() == n && n >= 2) {
        std::reverse(face.edgeSelected.begin(), face.edgeSelected.begin() + (n - 1));
    }
}

CVector Unit(const CVector& v) {
    const float length = v.Length();
    if (length == 0.0f || !std::isfinite(length)) {
        return CVector();
    }
    return Times(v, 1.0f / length);
}

CVector NewellSum(const CModel& model, const CFace& face) {
    CVector sum;
    const std::size_t n = face.indices.size();
    if (n < 3) {
        return sum;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const CVector& a = model.vertices[static_cast<std::size_t>(face.indices[i])];
        const CVector& b = model.vertices[static_cast<std::size_t>(face.indices[(i + 1) % n])];
        sum.x += (a.y - b.y) * (a.z + b.z);
        sum.y += (a.z - b.z) * (a.x + b.x);
        sum.z += (a.x - b.x) * (a.y + b.y);
    }
    return sum;
}

CVector FrontNormal(const CModel& model, const CFace& face) {
    return Unit(Times(NewellSum(model, face), -1.0f));
}
