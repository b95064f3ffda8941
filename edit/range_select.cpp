#include "edit/range_select.h"

#include "edit/parallel.h"
#include "scene/model.h"

namespace {

void SelectFaceFromMarks(const CModel& model, CFace& f, bool edges, bool faces) {
    const std::size_t n = f.indices.size();
    if (n != 3 && n != 4) {
        return;
    }
    bool marked[4];
    bool allMarked = true;
    for (std::size_t k = 0; k < n; ++k) {
        marked[k] = model.vertices[static_cast<std::size_t>(f.indices[k])].mark;
        allMarked = allMarked && marked[k];
    }
    // Flags already set are not written again: most faces of a big range are
    // untouched, and a write would dirty their cache lines.
    for (std::size_t k = 0; k < n && k < f.edgeSelected.size(); ++k) {
        const bool take =
            (faces && allMarked) || (edges && marked[k] && marked[k + 1 == n ? 0 : k + 1]);
        if (take && !f.edgeSelected[k]) {
            f.edgeSelected[k] = true;
        }
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
