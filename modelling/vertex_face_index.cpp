#include "modelling/vertex_face_index.h"

#include <algorithm>

VertexFaceIndex::VertexFaceIndex(const CModel& model, std::size_t minimumCorners)
    : starts_(model.vertices.size() + 1, 0),
      corners_(model.faces.size()),
      counts_(model.faces.size(), 0) {
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        const std::size_t n = face.indices.size();
        if (n < minimumCorners || n > 4) {
            continue;
        }
        counts_[f] = static_cast<std::uint8_t>(n);
        std::copy(face.indices.begin(), face.indices.end(), corners_[f].begin());
        for (int v : face.indices) {
            ++starts_[static_cast<std::size_t>(v) + 1];
        }
    }
    for (std::size_t v = 1; v < starts_.size(); ++v) {
        starts_[v] += starts_[v - 1];
    }
    faces_.resize(starts_.back());
    std::vector<std::uint32_t> next(starts_.begin(), starts_.end() - 1);
    for (std::size_t f = 0; f < corners_.size(); ++f) {
        for (std::size_t k = 0; k < counts_[f]; ++k) {
            faces_[next[static_cast<std::size_t>(corners_[f][k])]++] =
                static_cast<std::uint32_t>(f);
        }
    }
}
