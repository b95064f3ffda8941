#include "modelling/compact.h"

#include <utility>

#include "modelling/object_edit.h"
#include "scene/model.h"

void CompactObject(CModel& model, std::size_t object, const std::vector<bool>& keepVertex,
                   const std::vector<bool>& keepFace, PriorState* prior) {
    std::vector<int> renumbered(model.vertices.size(), -1);
    LargeArray<CVector> vertices;
    std::size_t kept = 0;
    for (bool k : keepVertex) {
        kept += k ? 1 : 0;
    }
    vertices.reserve(kept);
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if (keepVertex[v]) {
            renumbered[v] = static_cast<int>(vertices.size());
            vertices.push_back(model.vertices[v]);
        }
    }
    LargeArray<CFace> faces;
    std::size_t keptFaces = 0;
    for (bool k : keepFace) {
        keptFaces += k ? 1 : 0;
    }
    faces.reserve(keptFaces);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (keepFace[f]) {
            CarryFace(faces, model.faces[f], prior);
            for (int& v : faces.back().indices) {
                v = renumbered[static_cast<std::size_t>(v)];
            }
        }
    }
    ReplaceArrays(model, object, std::move(vertices), std::move(faces), prior);
}
