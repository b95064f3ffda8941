#include "edit/pick_edge.h"

#include "edit/edge_numbering.h"
#include "edit/pick.h"
#include "scene/centigrade.h"

std::optional<ObjectEdgeRef> PickEdge(const CCentigrade& scene, int x, int y) {
    std::vector<PickHit> records =
        CollectHits(scene, ClickPickWindow(scene, x, y), PickEligibility{.edges = true});
    if (records.empty()) {
        return std::nullopt;
    }
    const PickHit best = ResolveHits(std::move(records)).best;
    const EdgeLocation at =
        LocateEdge(scene.models[static_cast<std::size_t>(best.object)], best.element);
    if (at.face < 0) {
        return std::nullopt;
    }
    return ObjectEdgeRef{best.object, at.face, at.corner};
}
