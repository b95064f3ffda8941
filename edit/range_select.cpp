#include "edit/range_select.h"

#include <cstdint>

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
    for (CFace& f : model.faces) {
        SelectFaceFromMarks(model, f, edges, faces);
    }
}

namespace {

void Gather(std::vector<std::uint8_t>& marks, int vertex) {
    marks[static_cast<std::size_t>(vertex)] = 1;
}

void GatherFaceCorners(const CFace& f, std::vector<std::uint8_t>& marks) {
    if (f.selected) {
        for (int v : f.indices) {
            Gather(marks, v);
        }
    }
    const std::size_t n = f.indices.size();
    if (n < 2 || n > 4) {
        return;
    }
    const std::size_t edges = n == 2 ? 1 : n;
    for (std::size_t k = 0; k < edges && k < f.edgeSelected.size(); ++k) {
        if (f.edgeSelected[k]) {
            Gather(marks, f.indices[k]);
            Gather(marks, f.indices[k + 1 == n ? 0 : k + 1]);
        }
    }
}

}  // namespace

void SelectFromMarksThenRemark(std::vector<CModel>& models, bool edges, bool faces) {
    std::vector<std::vector<std::uint8_t>> marks(models.size());
    for (std::size_t o = 0; o < models.size(); ++o) {
        CModel& model = models[o];
        std::vector<std::uint8_t>& gathered = marks[o];
        gathered.assign(model.vertices.size(), 0);
        for (CFace& f : model.faces) {
            if (edges || faces) {
                SelectFaceFromMarks(model, f, edges, faces);
            }
            GatherFaceCorners(f, gathered);
        }
    }
    for (std::size_t o = 0; o < models.size(); ++o) {
        CModel& model = models[o];
        const std::vector<std::uint8_t>& gathered = marks[o];
        for (std::size_t i = 0; i < model.vertices.size(); ++i) {
            model.vertices[i].mark = gathered[i] != 0;
        }
    }
}
