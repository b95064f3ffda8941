#include "edit/range_select.h"

#include <cstdint>

#include "edit/gizmo.h"
#include "scene/face_rules.h"
#include "scene/model.h"

namespace {

void SelectFaceFromMarks(const CModel& model, CFace& f, bool edges, bool faces) {
    if (!IsSurface(f) || f.hidden) {
        return;
    }
    const std::size_t n = f.indices.size();
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
    for (CFace& f : model.faces) {
        SelectFaceFromMarks(model, f, edges, faces);
    }
}

void SelectFromMarksThenRemark(std::vector<CModel>& models, bool edges, bool faces) {
    std::vector<std::uint8_t> gathered;
    for (CModel& model : models) {
        gathered.assign(model.vertices.size(), 0);
        for (CFace& f : model.faces) {
            if (edges || faces) {
                SelectFaceFromMarks(model, f, edges, faces);
            }
            ForEachMarkedCorner(
                f, [&gathered](int vertex) { gathered[static_cast<std::size_t>(vertex)] = 1; });
        }
        for (std::size_t i = 0; i < model.vertices.size(); ++i) {
            model.vertices[i].mark = gathered[i] != 0;
        }
    }
}
