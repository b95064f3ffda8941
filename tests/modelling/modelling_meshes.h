// The small meshes every modelling command is tried on, and the checks that
// hold after every command.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "modelling/modelling_result.h"
#include "scene/centigrade.h"

enum class TestMesh {
    Quad,      // one quad seen from above (+y)
    Cube,      // side 2 around the origin, seen from outside
    Grid,      // 3 × 3 quads of side 1 around the origin in y = 0, seen from below
    Cylinder,  // 6 around, 1 ring, with a pole in each cap (triangle fans)
    Fan,       // three triangles on one edge, and a line
    WithUvs,   // two quads side by side, seen from above, each corner its own UV
    Orphans,   // a triangle and two vertices no face uses
};

inline constexpr TestMesh kAllTestMeshes[] = {TestMesh::Quad,     TestMesh::Cube, TestMesh::Grid,
                                              TestMesh::Cylinder, TestMesh::Fan,  TestMesh::WithUvs,
                                              TestMesh::Orphans};

std::string NameOf(TestMesh mesh);
CModel MakeTestMesh(TestMesh mesh);
// The mesh as object 1 of a scene with one material, current.
CCentigrade SceneOf(TestMesh mesh);

// Selects faces (with their edges) or vertices of object `object`, clearing
// the rest of its selection, and places the manipulator.
void SelectFaces(CCentigrade& scene, std::initializer_list<std::size_t> faces,
                 std::size_t object = 0);
void SelectAllFaces(CCentigrade& scene, std::size_t object = 0);
void SelectVertices(CCentigrade& scene, std::initializer_list<std::size_t> vertices,
                    std::size_t object = 0);

// After every command: the face rule in every object; in each reshaped one,
// `used` on exactly the vertices faces use and the marks those of the
// selection; the manipulator on the selection; after a change of the object
// list, the current object in it.
::testing::AssertionResult Valid(const CCentigrade& scene, const ModellingResult& result);

// The faces of `model` that are selected, by number.
std::vector<std::size_t> SelectedFaces(const CModel& model);
std::vector<std::size_t> SelectedVertices(const CModel& model);

// Every edge used by exactly two faces, once in each direction: a closed
// surface whose faces are all seen from one side.
bool IsClosedAndConsistent(const CModel& model);
// No vertex lies exactly on the middle of an edge it is not an end of.
bool HasNoCrack(const CModel& model);
