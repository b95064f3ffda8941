#include "edit/vertex_faces.h"

#include <algorithm>

#include "scene/model.h"

namespace {

bool Uses(const CFace& f, int vertex) {
    return std::find(f.indices.begin(), f.indices.end(), vertex) != f.indices.end();
}

}  // namespace

bool VertexFacesLookCurrent(const CModel& model) {
    if (model.vertexInfo.size() != model.vertices.size()) {
        return false;
    }
    if (model.faces.empty()) {
        return true;
    }
    const int last = static_cast<int>(model.faces.size() - 1);
    for (int v : model.faces.back().indices) {
        const auto& list = model.vertexInfo[static_cast<std::size_t>(v)].faces;
        if (list.empty() || list.back() != last) {
            return false;
        }
    }
    return true;
}

bool VertexFaceListIsConsistent(const CModel& model, int vertex) {
    int previous = 0;
    for (int face : model.vertexInfo[static_cast<std::size_t>(vertex)].faces) {
        if (face < previous || static_cast<std::size_t>(face) >= model.faces.size() ||
            !Uses(model.faces[static_cast<std::size_t>(face)], vertex)) {
            return false;
        }
        previous = face;
    }
    return true;
}

void RebuildVertexFaces(CModel& model) {
    model.vertexInfo.Build(model.faces, model.vertices.size());
}
