#include "modelling/separate.h"

#include <utility>
#include <vector>

#include "edit/gizmo.h"
#include "edit/selection.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "scene/centigrade.h"

ModellingResult SeparateFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& source = scene.models[target.object];
    CModel part;
    part.name = UnusedObjectName(scene, source.name);
    part.facet = source.facet;
    part.mirrorAxis = source.mirrorAxis;
    std::vector<int> copyOf(source.vertices.size(), -1);
    for (const CFace& face : source.faces) {
        if (face.selected) {
            for (int v : face.indices) {
                copyOf[static_cast<std::size_t>(v)] = 0;
            }
        }
    }
    for (std::size_t v = 0; v < copyOf.size(); ++v) {
        if (copyOf[v] == 0) {
            copyOf[v] = static_cast<int>(part.vertices.size());
            const CVector& p = source.vertices[v];
            part.vertices.push_back(Point(p.x, p.y, p.z));
        }
    }
    ModellingResult result;
    LargeArray<CFace> kept;
    for (CFace& face : source.faces) {
        if (!face.selected) {
            CarryFace(kept, face, prior);
            continue;
        }
        CFace moved = CopyFace(face);
        for (int& v : moved.indices) {
            v = copyOf[static_cast<std::size_t>(v)];
        }
        SelectWhole(moved);
        part.faces.push_back(std::move(moved));
        ++result.acted;
    }
    ReplaceFaces(source, target.object, std::move(kept), prior);
    ClearSelectionOf(source);
    FinishReshape(source, target.object, result);
    AddCurrentObject(scene, std::move(part), result, prior);
    PlaceGizmo(scene);
    return result;
}
