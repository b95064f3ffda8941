#include "scene/hidden_vertices.h"

#include <algorithm>

#include "scene/model.h"

std::vector<bool> HiddenVertices(const CModel& model) {
    const bool anyHidden = std::any_of(model.faces.begin(), model.faces.end(),
                                       [](const CFace& f) { return f.hidden; });
    if (!anyHidden) {
        return {};
    }
    std::vector<bool> onFace(model.vertices.size(), false);
    std::vector<bool> onVisibleFace(model.vertices.size(), false);
    for (const CFace& f : model.faces) {
        for (int v : f.indices) {
            onFace[static_cast<std::size_t>(v)] = true;
            if (!f.hidden) {
                onVisibleFace[static_cast<std::size_t>(v)] = true;
            }
        }
    }
    std::vector<bool> hidden(model.vertices.size());
    for (std::size_t v = 0; v < hidden.size(); ++v) {
        hidden[v] = onFace[v] && !onVisibleFace[v];
    }
    return hidden;
}
