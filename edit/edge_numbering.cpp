#include "edit/edge_numbering.h"

#include "scene/model.h"

EdgeLocation LocateEdge(const CModel& model, int edgeNumber) {
    int before = 0;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const std::size_t n = model.faces[r].indices.size();
        const int owned = n == 2 ? 1 : (n == 3 || n == 4) ? static_cast<int>(n) : 0;
        if (edgeNumber < before + owned) {
            return {static_cast<int>(r), edgeNumber - before};
        }
        before += owned;
    }
    return {};
}
