#include "edit/selection_counts.h"

#include <algorithm>

#include "scene/centigrade.h"

bool IsFaceTaken(const CFace& face) {
    if (face.selected) {
        return true;
    }
    const std::size_t corners = face.indices.size();
    if (corners < 3 || corners > 4 || face.edgeSelected.size() < corners) {
        return false;
    }
    for (std::size_t k = 0; k < corners; ++k) {
        if (!face.edgeSelected[k]) {
            return false;
        }
    }
    return true;
}

namespace {

constexpr unsigned kEdgeBits = 0x1Eu;
constexpr unsigned kTakenBit = 0x20u;

// IsFaceTaken read from the edge bits already gathered, as this runs for
// every face after a select all.
std::uint8_t FaceBits(const CFace& face) {
    unsigned bits = face.selected ? 1u : 0u;
    const std::size_t edges = std::min<std::size_t>(face.edgeSelected.size(), 4);
    for (std::size_t k = 0; k < edges; ++k) {
        if (face.edgeSelected[k]) {
            bits |= 2u << k;
        }
    }
    const std::size_t corners = face.indices.size();
    if (face.selected) {
        bits |= kTakenBit;
    } else if (corners >= 3 && corners <= 4 && edges >= corners) {
        const unsigned everyEdge = ((1u << corners) - 1u) << 1;
        if ((bits & everyEdge) == everyEdge) {
            bits |= kTakenBit;
        }
    }
    return static_cast<std::uint8_t>(bits);
}

// The edge flags among a face's bits; a table, as the build targets processors
// without a population count instruction.
std::size_t EdgeFlagCount(std::uint8_t bits) {
    static constexpr std::uint8_t kCounts[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kCounts[(bits >> 1) & 15u];
}

// Replaces the element's bits, keeping the counts of the selected ones.
void Note(std::uint8_t& kept, std::uint8_t now, std::size_t& selected,
          SelectionCounts* faceCounts) {
    if (kept == now) {
        return;
    }
    selected = selected - (kept & 1u) + (now & 1u);
    if (faceCounts) {
        faceCounts->edges = faceCounts->edges - EdgeFlagCount(kept) + EdgeFlagCount(now);
        faceCounts->takenFaces =
            faceCounts->takenFaces - ((kept & kTakenBit) != 0) + ((now & kTakenBit) != 0);
    }
    kept = now;
}

}  // namespace

void SelectionCounter::Follow(const CModel& model, std::size_t firstVertex, std::size_t endVertex,
                              std::size_t firstFace, std::size_t endFace, ObjectState& state) {
    for (std::size_t v = firstVertex; v < endVertex && v < model.vertices.size(); ++v) {
        Note(state.vertices[v], model.vertices[v].selected ? 1 : 0, state.counts.vertices, nullptr);
    }
    for (std::size_t f = firstFace; f < endFace && f < model.faces.size(); ++f) {
        Note(state.faces[f], FaceBits(model.faces[f]), state.counts.faces, &state.counts);
    }
}

SelectionCounts SelectionCounter::Count(const CCentigrade& scene) {
    objects_.resize(scene.models.size());
    SelectionCounts total;
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        const CModel& model = scene.models[i];
        ObjectState& state = objects_[i];
        if (state.topology != model.topologyRevision ||
            state.vertices.size() != model.vertices.size() ||
            state.faces.size() != model.faces.size()) {
            state.vertices.assign(model.vertices.size(), 0);
            state.faces.assign(model.faces.size(), 0);
            state.counts = {};
            Follow(model, 0, model.vertices.size(), 0, model.faces.size(), state);
        } else if (state.selection != model.selectionRevision) {
            const SelectionChanges changed = model.SelectionChangesSince(state.selection);
            Follow(model, changed.vertices.first, changed.vertices.end, changed.faces.first,
                   changed.faces.end, state);
        }
        state.topology = model.topologyRevision;
        state.selection = model.selectionRevision;
        if (model.IsEditable()) {
            total.vertices += state.counts.vertices;
            total.edges += state.counts.edges;
            total.faces += state.counts.faces;
            total.takenFaces += state.counts.takenFaces;
        }
    }
    return total;
}
