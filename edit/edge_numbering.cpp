#include "edit/edge_numbering.h"

#include "scene/face_rules.h"
#include "scene/model.h"

EdgeLocation LocateEdge(const CModel& model, int edgeNumber) {
    int before = 0;
    for (std::size_t r = 0; r < model.faces.size(); ++r) {
        const int owned = static_cast<int>(EdgeCount(model.faces[r]));
        if (edgeNumber < before + owned) {
            return {static_cast<int>(r), edgeNumber - before};
        }
        before += owned;
    }
    return {};
}
