#include "commands/change_report.h"

#include <bit>
#include <cstdint>
#include <unordered_set>

#include "history/record_steps.h"
#include "scene/centigrade.h"

namespace {

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SameVector(const CVector& a, const CVector& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}

// Pairs the records before and after a command by their serial numbers, in
// list order: a record whose number the other list lacks was added or
// removed. Commands add and remove records but never reorder them.
template <typename Before, typename After, typename Pair>
void Align(const std::vector<Before>& before, const std::vector<After>& after,
           std::vector<std::size_t>& added, std::vector<std::size_t>& removed, Pair pair) {
    std::unordered_multiset<int> beforeIds;
    std::unordered_multiset<int> afterIds;
    for (const Before& b : before) {
        beforeIds.insert(b.id);
    }
    for (const After& a : after) {
        afterIds.insert(a.id);
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < before.size() && j < after.size()) {
        if (before[i].id == after[j].id) {
            pair(i++, j++);
        } else if (!afterIds.contains(before[i].id)) {
            removed.push_back(i++);
        } else if (!beforeIds.contains(after[j].id)) {
            added.push_back(j++);
        } else {
            // Reordered: told as a removal and an addition.
            removed.push_back(i++);
            added.push_back(j++);
        }
    }
    for (; i < before.size(); ++i) {
        removed.push_back(i);
    }
    for (; j < after.size(); ++j) {
        added.push_back(j);
    }
}

}  // namespace

bool ChangeReport::Visible() const {
    return !objects.empty() || !objectsAdded.empty() || !objectsRemoved.empty() ||
           !materialsChanged.empty() || !materialsAdded.empty() || !materialsRemoved.empty() ||
           currentObject || currentMaterial || tool || display || camera || manipulator ||
           documentReplaced;
}

bool ChangeReport::ObjectFieldsChanged() const {
    constexpr unsigned kFieldAspects = kObjectName | kObjectState | kObjectSettings;
    bool changed = currentObject || !objectsAdded.empty() || !objectsRemoved.empty();
    for (const ObjectChange& change : objects) {
        changed = changed || (change.aspects & kFieldAspects) != 0;
    }
    return changed || documentReplaced;
}

bool ChangeReport::MaterialFieldsChanged() const {
    return currentMaterial || !materialsAdded.empty() || !materialsRemoved.empty() ||
           !materialsChanged.empty() || documentReplaced;
}

SceneLedger::Settings SceneLedger::Settings::Of(const CCentigrade& scene) {
    Settings s;
    s.currentModel = scene.currentModel;
    s.currentMaterial = scene.currentMaterial;
    s.toolMode = scene.toolMode;
    s.selectMode = scene.selectMode;
    s.selectable[0] = scene.vertexSelectable;
    s.selectable[1] = scene.edgeSelectable;
    s.selectable[2] = scene.faceSelectable;
    s.display[0] = scene.showVertices;
    s.display[1] = scene.showEdges;
    s.display[2] = scene.showFaces;
    s.display[3] = scene.showAxis;
    s.display[4] = scene.xray;
    s.camera[0] = scene.camera.position;
    s.camera[1] = scene.camera.rotation;
    s.camera[2] = scene.camera.scale;
    s.view[0] = scene.zoom;
    s.view[1] = scene.fov;
    s.smooth = scene.smooth;
    s.gizmo = scene.gizmo;
    s.showGizmo = scene.showGizmo;
    return s;
}

SceneLedger::SceneLedger(const CCentigrade& scene)
    : materials_(scene.materials), settings_(Settings::Of(scene)) {
    objects_.reserve(scene.models.size());
    for (const CModel& m : scene.models) {
        objects_.push_back({m.id, m.name, m.state, m.facet, m.mirrorAxis, m.positionsRevision,
                            m.selectionRevision, m.topologyRevision});
    }
}

void SceneLedger::Compare(const CCentigrade& after, ChangeReport& report) const {
    Align(objects_, after.models, report.objectsAdded, report.objectsRemoved,
          [&](std::size_t i, std::size_t j) {
              const ObjectNote& b = objects_[i];
              const CModel& a = after.models[j];
              ObjectChange change{j, 0, {}, {}};
              if (b.positions != a.positionsRevision) {
                  change.aspects |= kObjectPositions;
                  change.positions = a.PositionChangesSince(b.positions);
              }
              if (b.topology != a.topologyRevision) {
                  change.aspects |= kObjectTopology;
              }
              if (b.selection != a.selectionRevision) {
                  change.aspects |= kObjectSelection;
                  change.selection = a.SelectionChangesSince(b.selection);
              }
              if (b.state != a.state) {
                  change.aspects |= kObjectState;
              }
              if (b.name != a.name) {
                  change.aspects |= kObjectName;
              }
              if (!SameBits(b.facet, a.facet) || b.mirrorAxis != a.mirrorAxis) {
                  change.aspects |= kObjectSettings;
              }
              if (change.aspects != 0) {
                  report.objects.push_back(change);
              }
          });
    Align(materials_, after.materials, report.materialsAdded, report.materialsRemoved,
          [&](std::size_t i, std::size_t j) {
              if (!SameMaterial(materials_[i], after.materials[j])) {
                  report.materialsChanged.push_back(j);
              }
          });

    const Settings& b = settings_;
    const Settings a = Settings::Of(after);
    report.currentObject = b.currentModel != a.currentModel;
    report.currentMaterial = b.currentMaterial != a.currentMaterial;
    report.tool = b.toolMode != a.toolMode;
    report.selectMode = b.selectMode != a.selectMode;
    report.selectable = b.selectable[0] != a.selectable[0] || b.selectable[1] != a.selectable[1] ||
                        b.selectable[2] != a.selectable[2];
    report.display = false;
    for (int k = 0; k < 5; ++k) {
        report.display = report.display || b.display[k] != a.display[k];
    }
    report.camera = !SameVector(b.camera[0], a.camera[0]) ||
                    !SameVector(b.camera[1], a.camera[1]) ||
                    !SameVector(b.camera[2], a.camera[2]) || !SameBits(b.view[0], a.view[0]) ||
                    !SameBits(b.view[1], a.view[1]) || b.smooth != a.smooth;
    report.manipulator = !SameVector(b.gizmo, a.gizmo) || b.showGizmo != a.showGizmo;
}
