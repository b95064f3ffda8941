#include "modelling/prior_state.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint8_t kSelected = 1;
constexpr std::uint8_t kMark = 2;
constexpr int kFirstEdgeBit = 1;

}  // namespace

void PriorState::BeginInPlace(std::size_t object, const CModel& model) {
    if (Holds(object)) {
        return;
    }
    InPlace& kept = inPlace.emplace_back();
    kept.object = object;
    kept.vertices = model.vertices;
    kept.faceCount = model.faces.size();
    kept.faceFlags.reserve(model.faces.size());
    for (const CFace& f : model.faces) {
        kept.faceFlags.push_back(PackedFlags(f));
    }
}

void PriorState::KeepFace(std::size_t object, std::size_t face, const CFace& record) {
    for (InPlace& kept : inPlace) {
        if (kept.object == object && face < kept.faceCount) {
            kept.changed.push_back({static_cast<std::uint32_t>(face), record});
        }
    }
}

void PriorState::TakeArrays(std::size_t object, LargeArray<CVector>&& vertices,
                            LargeArray<CFace>&& faces) {
    if (!Holds(object)) {
        arrays.push_back({object, std::move(vertices), std::move(faces)});
    }
}

void PriorState::CopyFlags(std::size_t object, const CModel& model) {
    const bool held =
        Holds(object) || std::any_of(flags.begin(), flags.end(),
                                     [object](const Flags& f) { return f.object == object; });
    if (held) {
        return;
    }
    Flags& kept = flags.emplace_back();
    kept.object = object;
    kept.vertices.reserve(model.vertices.size());
    for (const CVector& v : model.vertices) {
        kept.vertices.push_back(PackedFlags(v));
    }
    kept.faces.reserve(model.faces.size());
    for (const CFace& f : model.faces) {
        kept.faces.push_back(PackedFlags(f));
    }
}

void PriorState::TakeRemoved(std::size_t object, CModel&& model) {
    removed.push_back({object, std::move(model)});
}

bool PriorState::Holds(std::size_t object) const {
    return std::any_of(arrays.begin(), arrays.end(),
                       [object](const Arrays& a) { return a.object == object; }) ||
           std::any_of(inPlace.begin(), inPlace.end(),
                       [object](const InPlace& p) { return p.object == object; });
}

std::uint8_t PackedFlags(const CVector& vertex) {
    return static_cast<std::uint8_t>((vertex.selected ? kSelected : 0) | (vertex.mark ? kMark : 0));
}

std::uint8_t PackedFlags(const CFace& face) {
    unsigned bits = face.selected ? kSelected : 0;
    for (std::size_t k = 0; k < face.edgeSelected.size() && k < 4; ++k) {
        if (face.edgeSelected[k]) {
            bits |= 1u << (kFirstEdgeBit + k);
        }
    }
    return static_cast<std::uint8_t>(bits);
}

void SetPackedFlags(CVector& vertex, std::uint8_t flags) {
    vertex.selected = (flags & kSelected) != 0;
    vertex.mark = (flags & kMark) != 0;
}

void SetPackedFlags(CFace& face, std::uint8_t flags) {
    face.selected = (flags & kSelected) != 0;
    for (std::size_t k = 0; k < face.edgeSelected.size() && k < 4; ++k) {
        face.edgeSelected[k] = (flags & (1u << (kFirstEdgeBit + k))) != 0;
    }
}
