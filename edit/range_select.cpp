#include "edit/range_select.h"

#include "scene/model.h"

void SelectFromMarks(CModel& model, bool edges, bool faces) {
    for (CFace& f : model.faces) {
        const std::size_t n = f.indices.size();
        if (n != 3 && n != 4) {
            continue;
        }
        const auto marked = [&model, &f](std::size_t corner) {
            return model.vertices[static_cast<std::size_t>(f.indices[corner])].mark;
        };
        bool allMarked = true;
        for (std::size_t k = 0; k < n; ++k) {
            const bool edgeMarked = marked(k) && marked((k + 1) % n);
            if (edges && edgeMarked) {
                f.SetEdgeSelected(static_cast<int>(k), true);
            }
            allMarked = allMarked && marked(k);
        }
        if (faces && allMarked) {
            f.SetAllEdges(true);
        }
    }
}
