#include "edit/vertex_faces.h"

#include <cstdint>
#include <vector>

#include "scene/model.h"

bool VertexFacesAreCurrent(const CModel& model) {
    if (model.vertexInfo.size() != model.vertices.size()) {
        return false;
    }
    // How many entries of each vertex's list have been matched so far.
    std::vector<std::uint32_t> matched(model.vertices.size(), 0);
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        for (int v : model.faces[r].indices) {
            const auto i = static_cast<std::size_t>(v);
            const auto& list = model.vertexInfo[i].faces;
            std::uint32_t& next = matched[i];
            if (next >= list.size() || list[next] != static_cast<int>(r)) {
                return false;
            }
            ++next;
        }
    }
    for (std::size_t i = 0; i < matched.size(); ++i) {
        if (matched[i] != model.vertexInfo[i].faces.size()) {
            return false;
        }
    }
    return true;
}

void EnsureVertexFaces(CModel& model) {
    if (VertexFacesAreCurrent(model)) {
        return;
    }
    model.vertexInfo.resize(model.vertices.size());
    for (CVertex& info : model.vertexInfo) {
        info.faces.clear();
    }
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        for (int v : model.faces[r].indices) {
            model.vertexInfo[static_cast<std::size_t>(v)].faces.push_back(static_cast<int>(r));
        }
    }
}
