#include "modelling/vertex_face_index.h"

VertexFaceIndex::VertexFaceIndex(const CModel& model, std::size_t minimumCorners)
    : starts_(model.vertices.size() + 1, 0) {
    for (const CFace& face : model.faces) {
        if (face.indices.size() >= minimumCorners) {
            for (int v : face.indices) {
                ++starts_[static_cast<std::size_t>(v) + 1];
            }
        }
    }
    for (std::size_t v = 1; v < starts_.size(); ++v) {
        starts_[v] += starts_[v - 1];
    }
    faces_.resize(starts_.back());
    std::vector<std::uint32_t> next(starts_.begin(), starts_.end() - 1);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (face.indices.size() >= minimumCorners) {
            for (int v : face.indices) {
                faces_[next[static_cast<std::size_t>(v)]++] = static_cast<std::uint32_t>(f);
            }
        }
    }
}
