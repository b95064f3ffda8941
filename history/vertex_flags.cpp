#include "history/vertex_flags.h"

#include <algorithm>

#include "scene/centigrade.h"

namespace {

constexpr std::uint8_t kSelected = 1;
constexpr std::uint8_t kMark = 2;
constexpr std::uint8_t kUsed = 4;

std::uint8_t Pack(const CVector& v) {
    return static_cast<std::uint8_t>((v.selected ? kSelected : 0) | (v.mark ? kMark : 0) |
                                     (v.used ? kUsed : 0));
}

void Unpack(std::uint8_t bits, CVector& v) {
    v.selected = (bits & kSelected) != 0;
    v.mark = (bits & kMark) != 0;
    v.used = (bits & kUsed) != 0;
}

}  // namespace

VertexFlagSnapshot::VertexFlagSnapshot(const CCentigrade& scene) {
    std::size_t total = 0;
    for (const CModel& model : scene.models) {
        starts_.push_back(total);
        total += model.vertices.size();
    }
    starts_.push_back(total);
    bits_.resize(total);
    std::uint8_t* out = bits_.data();
    for (const CModel& model : scene.models) {
        for (const CVector& v : model.vertices) {
            *out++ = Pack(v);
        }
    }
}

void VertexFlagDelta::Record(const VertexFlagSnapshot& before, const CCentigrade& after) {
    changes_.clear();
    const std::size_t models = std::min(after.models.size(), before.starts_.size() - 1);
    for (std::size_t m = 0; m < models; ++m) {
        const std::uint8_t* old = before.bits_.data() + before.starts_[m];
        const std::size_t count =
            std::min(after.models[m].vertices.size(), before.starts_[m + 1] - before.starts_[m]);
        const CVector* v = after.models[m].vertices.data();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t now = Pack(v[i]);
            if (now != old[i]) {
                changes_.push_back(
                    {static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(i), old[i], now});
            }
        }
    }
    changes_.shrink_to_fit();
}

void VertexFlagDelta::Restore(CCentigrade& scene, bool toAfter) const {
    for (const Change& c : changes_) {
        if (c.model >= scene.models.size() || c.vertex >= scene.models[c.model].vertices.size()) {
            continue;
        }
        CModel& model = scene.models[c.model];
        Unpack(toAfter ? c.after : c.before, model.vertices[c.vertex]);
        // Selection and marks only recolour; a vertex that a face uses again
        // (or no longer) changes what is drawn.
        model.TouchSelection();
        if (((c.before ^ c.after) & kUsed) != 0) {
            model.TouchTopology();
        }
    }
}
