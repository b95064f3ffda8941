#include "modelling_meshes.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/primitives.h"
#include "scene/face_rules.h"
#include "support/mesh_generators.h"

namespace {

CModel FromFaces(std::initializer_list<CVector> points,
                 std::initializer_list<std::initializer_list<int>> faces) {
    CModel model;
    for (const CVector& p : points) {
        model.vertices.push_back(p);
    }
    for (const auto& corners : faces) {
        model.faces.push_back(MakeFace(corners, 0));
    }
    return model;
}

}  // namespace

std::string NameOf(TestMesh mesh) {
    switch (mesh) {
        case TestMesh::Quad:
            return "Quad";
        case TestMesh::Cube:
            return "Cube";
        case TestMesh::Grid:
            return "Grid";
        case TestMesh::Cylinder:
            return "Cylinder";
        case TestMesh::Fan:
            return "Fan";
        case TestMesh::WithUvs:
            return "WithUvs";
        case TestMesh::Orphans:
            return "Orphans";
    }
    return "";
}

CModel MakeTestMesh(TestMesh mesh) {
    switch (mesh) {
        case TestMesh::Quad:
            return FromFaces({{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 2, 3}});
        case TestMesh::Cube:
            return BuildPrimitive(Primitive::Cube, {2.0f, 1, 1, CVector()}, 0);
        case TestMesh::Grid:
            return MakeQuadGrid(3, 1.0f);
        case TestMesh::Cylinder:
            return BuildPrimitive(Primitive::Cylinder, {2.0f, 6, 1, CVector()}, 0);
        case TestMesh::Fan:
            return FromFaces({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}},
                             {{0, 1, 2}, {1, 0, 3}, {0, 1, 4}, {3, 4}});
        case TestMesh::WithUvs: {
            CModel model =
                FromFaces({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {1, 0, 1}, {2, 0, 1}},
                          {{0, 1, 4, 3}, {1, 2, 5, 4}});
            model.faces[0].uvs = {{0, 0}, {0.5f, 0}, {0.5f, 1}, {0, 1}};
            model.faces[1].uvs = {{0.5f, 0}, {1, 0}, {1, 1}, {0.5f, 1}};
            return model;
        }
        case TestMesh::Orphans:
            return FromFaces({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {5, 5, 5}, {6, 6, 6}}, {{0, 1, 2}});
    }
    return CModel();
}

CCentigrade SceneOf(TestMesh mesh) {
    CCentigrade scene = MakeSceneWith(MakeTestMesh(mesh));
    scene.currentModel = 0;
    return scene;
}

void SelectFaces(CCentigrade& scene, std::initializer_list<std::size_t> faces, std::size_t object) {
    CModel& model = scene.models[object];
    for (CVector& v : model.vertices) {
        v.selected = false;
    }
    for (CFace& f : model.faces) {
        f.selected = false;
        f.SetAllEdges(false);
    }
    for (std::size_t f : faces) {
        SelectWhole(model.faces[f]);
    }
    model.Touch();
    UpdateGizmo(scene);
}

void SelectAllFaces(CCentigrade& scene, std::size_t object) {
    SelectFaces(scene, {}, object);
    for (CFace& f : scene.models[object].faces) {
        SelectWhole(f);
    }
    UpdateGizmo(scene);
}

void SelectVertices(CCentigrade& scene, std::initializer_list<std::size_t> vertices,
                    std::size_t object) {
    SelectFaces(scene, {}, object);
    for (std::size_t v : vertices) {
        scene.models[object].vertices[v].selected = true;
    }
    UpdateGizmo(scene);
}

::testing::AssertionResult Valid(const CCentigrade& scene, const ModellingResult& result) {
    for (std::size_t m = 0; m < scene.models.size(); ++m) {
        const CModel& model = scene.models[m];
        for (std::size_t f = 0; f < model.faces.size(); ++f) {
            if (!IsValidFace(model.faces[f], model.vertices.size())) {
                return ::testing::AssertionFailure()
                       << "object " << m << " face " << f << " breaks the face rule";
            }
        }
    }
    for (std::size_t m : result.reshaped) {
        if (m >= scene.models.size()) {
            return ::testing::AssertionFailure()
                   << "reshaped object " << m << " is not in the list";
        }
        const CModel& model = scene.models[m];
        std::vector<bool> used(model.vertices.size(), false);
        std::vector<bool> marked(model.vertices.size(), false);
        for (const CFace& face : model.faces) {
            for (int v : face.indices) {
                used[static_cast<std::size_t>(v)] = true;
            }
            ForEachMarkedCorner(face, [&](int v) { marked[static_cast<std::size_t>(v)] = true; });
        }
        for (std::size_t v = 0; v < model.vertices.size(); ++v) {
            if (model.vertices[v].used != used[v]) {
                return ::testing::AssertionFailure() << "object " << m << " vertex " << v
                                                     << " has used " << model.vertices[v].used;
            }
            if (model.vertices[v].mark != marked[v]) {
                return ::testing::AssertionFailure() << "object " << m << " vertex " << v
                                                     << " has mark " << model.vertices[v].mark;
            }
        }
    }
    CCentigrade placed = scene;
    PlaceGizmo(placed);
    if (placed.showGizmo != scene.showGizmo || placed.gizmo.x != scene.gizmo.x ||
        placed.gizmo.y != scene.gizmo.y || placed.gizmo.z != scene.gizmo.z) {
        return ::testing::AssertionFailure() << "the manipulator is not on the selection";
    }
    if (result.objectListChanged &&
        (scene.currentModel < 0 ||
         static_cast<std::size_t>(scene.currentModel) >= scene.models.size())) {
        return ::testing::AssertionFailure() << "current object " << scene.currentModel;
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::size_t> SelectedFaces(const CModel& model) {
    std::vector<std::size_t> selected;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (model.faces[f].selected) {
            selected.push_back(f);
        }
    }
    return selected;
}

std::vector<std::size_t> SelectedVertices(const CModel& model) {
    std::vector<std::size_t> selected;
    for (std::size_t v = 0; v < model.vertices.size(); ++v) {
        if (model.vertices[v].selected) {
            selected.push_back(v);
        }
    }
    return selected;
}

bool IsClosedAndConsistent(const CModel& model) {
    std::map<std::pair<int, int>, int> directed;
    for (const CFace& face : model.faces) {
        const std::size_t n = face.indices.size();
        for (std::size_t k = 0; k < n; ++k) {
            ++directed[{face.indices[k], face.indices[(k + 1) % n]}];
        }
    }
    return std::all_of(directed.begin(), directed.end(), [&](const auto& edge) {
        const auto reverse = directed.find({edge.first.second, edge.first.first});
        return edge.second == 1 && reverse != directed.end() && reverse->second == 1;
    });
}

bool HasNoCrack(const CModel& model) {
    std::set<std::tuple<float, float, float>> points;
    for (const CVector& v : model.vertices) {
        if (v.used) {
            points.insert({v.x, v.y, v.z});
        }
    }
    for (const CFace& face : model.faces) {
        const std::size_t n = face.indices.size();
        for (std::size_t k = 0; k < EdgeCount(n); ++k) {
            const CVector mid =
                Midpoint(model.vertices[static_cast<std::size_t>(face.indices[k])],
                         model.vertices[static_cast<std::size_t>(face.indices[(k + 1) % n])]);
            if (points.count({mid.x, mid.y, mid.z}) != 0) {
                return false;
            }
        }
    }
    return true;
}
