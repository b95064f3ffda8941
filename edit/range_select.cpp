#include "edit/range_select.h"

#include "edit/parallel.h"
#include "scene/model.h"

namespace {

void SelectFaceFromMarks(const CModel& model, CFace& f, bool edges, bool faces) {
    const std::size_t n = f.indices.size();
    if (n != 3 && n != 4) {
        return;
    }
    const auto marked = [&model, &f](std::size_t corner) {
        return model.vertices[static_cast<std::size_t>(f.indices[corner])].mark;
    };
    bool allMarked = true;
    for (std::size_t k = 0; k < n; ++k) {
        if (edges && marked(k) && marked((k + 1) % n)) {
            f.SetEdgeSelected(static_cast<int>(k), true);
        }
        allMarked = allMarked && marked(k);
    }
    if (faces && allMarked) {
        f.SetAllEdges(true);
    }
}

}  // namespace

void SelectFromMarks(CModel& model, bool edges, bool faces) {
    if (!edges && !faces) {
        return;
    }
    ForParts(model.faces.size(), [&model, edges, faces](int, std::size_t begin, std::size_t end) {
        for (std::size_t r = begin; r < end; ++r) {
            SelectFaceFromMarks(model, model.faces[r], edges, faces);
        }
    });
}
