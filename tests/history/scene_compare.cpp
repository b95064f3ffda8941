#include "scene_compare.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace {

bool Same(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SameVector(const CVector& a, const CVector& b, bool flags) {
    return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z) &&
           (!flags || (a.selected == b.selected && a.mark == b.mark)) && a.used == b.used;
}

bool SameFace(const CFace& a, const CFace& b, bool flags) {
    if (!SameVector(a.normal, b.normal, true) || a.material != b.material ||
        a.visited != b.visited || !(a.indices == b.indices) || a.uvs.size() != b.uvs.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.uvs.size(); ++k) {
        if (!Same(a.uvs[k].u, b.uvs[k].u) || !Same(a.uvs[k].v, b.uvs[k].v)) {
            return false;
        }
    }
    return !flags || (a.selected == b.selected && a.edgeSelected == b.edgeSelected);
}

bool SameMaterial(const CMaterial& a, const CMaterial& b) {
    const float af[] = {a.red,     a.green,    a.blue,     a.alpha, a.diffuse,
                        a.ambient, a.emissive, a.specular, a.power};
    const float bf[] = {b.red,     b.green,    b.blue,     b.alpha, b.diffuse,
                        b.ambient, b.emissive, b.specular, b.power};
    for (std::size_t k = 0; k < std::size(af); ++k) {
        if (!Same(af[k], bf[k])) {
            return false;
        }
    }
    const bool colours = std::memcmp(a.glDiffuse, b.glDiffuse, sizeof a.glDiffuse) == 0 &&
                         std::memcmp(a.glAmbient, b.glAmbient, sizeof a.glAmbient) == 0 &&
                         std::memcmp(a.glSpecular, b.glSpecular, sizeof a.glSpecular) == 0 &&
                         std::memcmp(a.glEmission, b.glEmission, sizeof a.glEmission) == 0;
    return colours && a.id == b.id && a.name == b.name && a.texture == b.texture &&
           a.alphaPlane == b.alphaPlane && a.bump == b.bump && a.image == b.image;
}

}  // namespace

::testing::AssertionResult SameScene(const CCentigrade& expected, const CCentigrade& actual,
                                     bool selection) {
    std::ostringstream diff;
    if (expected.models.size() != actual.models.size()) {
        diff << "object count " << expected.models.size() << " vs " << actual.models.size();
    } else if (expected.materials.size() != actual.materials.size()) {
        diff << "material count " << expected.materials.size() << " vs " << actual.materials.size();
    } else if (expected.modelSerial != actual.modelSerial ||
               expected.materialSerial != actual.materialSerial) {
        diff << "serial counters";
    } else if (expected.currentModel != actual.currentModel ||
               (selection && expected.currentMaterial != actual.currentMaterial)) {
        diff << "current object or material";
    } else if (selection && (!SameVector(expected.gizmo, actual.gizmo, true) ||
                             expected.showGizmo != actual.showGizmo)) {
        diff << "manipulator";
    }
    for (std::size_t k = 0; diff.str().empty() && k < expected.materials.size(); ++k) {
        if (!SameMaterial(expected.materials[k], actual.materials[k])) {
            diff << "material " << k;
        }
    }
    for (std::size_t m = 0; diff.str().empty() && m < expected.models.size(); ++m) {
        const CModel& a = expected.models[m];
        const CModel& b = actual.models[m];
        if (a.id != b.id || a.name != b.name || a.mirrorAxis != b.mirrorAxis ||
            !Same(a.facet, b.facet) || a.state != b.state) {
            diff << "object " << m << " fields";
        } else if (a.vertices.size() != b.vertices.size() || a.faces.size() != b.faces.size()) {
            diff << "object " << m << " sizes " << a.vertices.size() << "/" << a.faces.size()
                 << " vs " << b.vertices.size() << "/" << b.faces.size();
        }
        for (std::size_t v = 0; diff.str().empty() && v < a.vertices.size(); ++v) {
            if (!SameVector(a.vertices[v], b.vertices[v], selection)) {
                diff << "object " << m << " vertex " << v;
            }
        }
        for (std::size_t f = 0; diff.str().empty() && f < a.faces.size(); ++f) {
            if (!SameFace(a.faces[f], b.faces[f], selection)) {
                diff << "object " << m << " face " << f;
            }
        }
    }
    if (diff.str().empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "scenes differ: " << diff.str();
}

void CopySelectionState(const CCentigrade& from, CCentigrade& to) {
    for (std::size_t m = 0; m < from.models.size() && m < to.models.size(); ++m) {
        auto& vertices = to.models[m].vertices;
        for (std::size_t v = 0; v < vertices.size() && v < from.models[m].vertices.size(); ++v) {
            vertices[v].selected = from.models[m].vertices[v].selected;
            vertices[v].mark = from.models[m].vertices[v].mark;
        }
        auto& faces = to.models[m].faces;
        for (std::size_t f = 0; f < faces.size() && f < from.models[m].faces.size(); ++f) {
            faces[f].selected = from.models[m].faces[f].selected;
            faces[f].edgeSelected = from.models[m].faces[f].edgeSelected;
        }
    }
    to.gizmo = from.gizmo;
    to.showGizmo = from.showGizmo;
    to.currentMaterial = from.currentMaterial;
    to.toolMode = from.toolMode;
    to.hitIndex = from.hitIndex;
}
