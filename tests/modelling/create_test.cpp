#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "history/edit_history.h"
#include "history/geometry_step.h"
#include "modelling/create.h"
#include "modelling/mesh_parts.h"
#include "modelling_meshes.h"
#include "scene/cp932.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

struct ShapeRow {
    Primitive shape;
    int segments;
    int rings;
    std::size_t vertices;
    std::size_t faces;
    std::size_t triangles;
};

class CreateShape : public ::testing::TestWithParam<ShapeRow> {};

CVector CentroidOf(const CModel& model, const CFace& face) {
    CVector sum;
    for (int v : face.indices) {
        sum = Plus(sum, model.vertices[static_cast<std::size_t>(v)]);
    }
    return Times(sum, 1.0f / static_cast<float>(face.indices.size()));
}

TEST_P(CreateShape, IsSeenFromOutsideWithItsCountsAndCoordinates) {
    const ShapeRow row = GetParam();
    CCentigrade scene;
    scene.materials.emplace_back(scene.materialSerial++);
    const CVector centre(10, -20, 30);
    const float size = 4;
    const ModellingResult result =
        CreatePrimitive(scene, row.shape, {size, row.segments, row.rings, centre});
    ASSERT_FALSE(result.Refused()) << TextOf(result.refusal).english;
    ASSERT_TRUE(Valid(scene, result));
    const CModel& model = scene.models.at(0);
    EXPECT_EQ(model.vertices.size(), row.vertices);
    EXPECT_EQ(model.faces.size(), row.faces);
    std::size_t triangles = 0;
    for (const CFace& face : model.faces) {
        triangles += face.indices.size() == 3 ? 1 : 0;
        const CVector front = FrontNormal(model, face);
        if (row.shape == Primitive::Plane) {
            EXPECT_GT(front.y, 0.999f);
        } else {
            EXPECT_GT(CVector::Dot(front, Minus(CentroidOf(model, face), centre)), 0)
                << "a face is seen from inside";
        }
        ASSERT_EQ(face.uvs.size(), face.indices.size());
        for (const CUV& uv : face.uvs) {
            EXPECT_TRUE(uv.u >= 0 && uv.u <= 1 && uv.v >= 0 && uv.v <= 1);
        }
        EXPECT_TRUE(face.selected);
    }
    EXPECT_EQ(triangles, row.triangles);
    if (row.shape != Primitive::Plane) {
        EXPECT_TRUE(IsClosedAndConsistent(model));
    }
    for (const CVector& v : model.vertices) {
        const CVector d = Minus(v, centre);
        EXPECT_LE(std::fabs(d.y), size / 2 + 1e-5f);
        if (row.shape == Primitive::Sphere) {
            EXPECT_NEAR(d.Length(), size / 2, 1e-5f);
        } else if (row.shape == Primitive::Cube || row.shape == Primitive::Plane) {
            EXPECT_LE(std::fabs(d.x), size / 2 + 1e-5f);
            EXPECT_LE(std::fabs(d.z), size / 2 + 1e-5f);
        } else {
            EXPECT_LE(std::hypot(d.x, d.z), size / 2 + 1e-5f);
        }
    }
    // Rings of an odd number of points reach further to +x than to -x.
    EXPECT_TRUE(scene.showGizmo);
    EXPECT_NEAR(scene.gizmo.y, centre.y, 1e-4f);
    EXPECT_NEAR(scene.gizmo.z, centre.z, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CreateShape,
                         ::testing::Values(ShapeRow{Primitive::Plane, 1, 1, 4, 1, 0},
                                           ShapeRow{Primitive::Plane, 3, 1, 16, 9, 0},
                                           ShapeRow{Primitive::Cube, 1, 1, 8, 6, 0},
                                           ShapeRow{Primitive::Cube, 2, 1, 26, 24, 0},
                                           ShapeRow{Primitive::Cylinder, 6, 1, 14, 18, 12},
                                           ShapeRow{Primitive::Cylinder, 8, 3, 34, 40, 16},
                                           ShapeRow{Primitive::Sphere, 4, 2, 6, 8, 8},
                                           ShapeRow{Primitive::Sphere, 256, 128, 32514, 32768, 512},
                                           ShapeRow{Primitive::Cone, 6, 1, 8, 12, 12},
                                           ShapeRow{Primitive::Cone, 5, 3, 17, 20, 10}));

TEST(CreatePrimitive, PlaneCoordinatesAreLaidOutFromTheTopLeftSeenFromAbove) {
    CCentigrade scene;
    scene.materials.emplace_back(scene.materialSerial++);
    CreatePrimitive(scene, Primitive::Plane, {2.0f, 2, 1, CVector()});
    const CModel& model = scene.models[0];
    // The first cell: x from -1 to 0, z from -1 to 0 (the top left seen from above).
    const CFace& first = model.faces[0];
    for (std::size_t k = 0; k < 4; ++k) {
        const CVector& p = model.vertices[static_cast<std::size_t>(first.indices[k])];
        EXPECT_FLOAT_EQ(first.uvs[k].u, (p.x + 1) / 2);
        EXPECT_FLOAT_EQ(first.uvs[k].v, (p.z + 1) / 2);
    }
}

TEST(CreatePrimitive, NamesTakeTheNextFreeNumber) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    scene.models[0].name = Utf8ToCp932("立方体2");
    CreatePrimitive(scene, Primitive::Cube, {});
    CreatePrimitive(scene, Primitive::Cube, {});
    CreatePrimitive(scene, Primitive::Sphere, DefaultPrimitiveOptions(Primitive::Sphere));
    ASSERT_EQ(scene.models.size(), 4u);
    EXPECT_EQ(Cp932ToUtf8(scene.models[1].name), "立方体");
    EXPECT_EQ(Cp932ToUtf8(scene.models[2].name), "立方体3");
    EXPECT_EQ(Cp932ToUtf8(scene.models[3].name), "球");
    EXPECT_EQ(scene.models[3].id, 4);
    EXPECT_EQ(scene.modelSerial, 4);
}

TEST(CreatePrimitive, TheNewObjectAloneIsCurrentAndSelected) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    SelectFaces(scene, {4});
    scene.models[0].vertices[0].selected = true;
    scene.materials.emplace_back(7);
    scene.currentMaterial = 1;
    const ModellingResult result = CreatePrimitive(scene, Primitive::Cube, {});
    ASSERT_TRUE(Valid(scene, result));
    EXPECT_EQ(scene.currentModel, 1);
    EXPECT_TRUE(SelectedFaces(scene.models[0]).empty());
    EXPECT_TRUE(SelectedVertices(scene.models[0]).empty());
    EXPECT_EQ(SelectedFaces(scene.models[1]).size(), 6u);
    for (const CFace& face : scene.models[1].faces) {
        EXPECT_EQ(face.material, 7);
        EXPECT_EQ(face.edgeSelected, (SmallArray<bool, 4>{true, true, true, true}));
    }
    EXPECT_FALSE(result.materialAdded);
}

TEST(CreatePrimitive, ASceneWithoutMaterialsGetsADefaultOne) {
    CCentigrade scene;
    const ModellingResult result = CreatePrimitive(scene, Primitive::Plane, {});
    EXPECT_TRUE(result.materialAdded);
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_EQ(scene.materials[0].id, 0);
    EXPECT_EQ(scene.materialSerial, 1);
    EXPECT_EQ(scene.models[0].faces[0].material, 0);
}

TEST(CreatePrimitive, UndoTakesTheObjectAndTheDefaultMaterialAwayAndGivesTheSelectionBack) {
    CCentigrade scene = SceneOf(TestMesh::Grid);
    scene.materials.clear();
    scene.materialSerial = 0;
    SelectFaces(scene, {1, 2});
    const CCentigrade before = scene;
    EditHistory history;
    RecordGeometryEdit(history, scene, "立方体", [&](PriorState& prior) {
        return CreatePrimitive(scene, Primitive::Cube, {}, &prior);
    });
    const CCentigrade after = scene;
    ASSERT_EQ(history.Count(), 1u);
    history.Undo(scene);
    EXPECT_TRUE(SameScene(before, scene));
    history.Redo(scene);
    EXPECT_TRUE(SameScene(after, scene));
}

struct RefusalRow {
    Primitive shape;
    PrimitiveOptions options;
    ModellingRefusal refusal;
};

class CreateRefusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(CreateRefusal, LeavesTheSceneAlone) {
    CCentigrade scene = SceneOf(TestMesh::Quad);
    const CCentigrade before = scene;
    EXPECT_EQ(CreatePrimitive(scene, GetParam().shape, GetParam().options).refusal,
              GetParam().refusal);
    EXPECT_TRUE(SameScene(before, scene));
}

INSTANTIATE_TEST_SUITE_P(
    Options, CreateRefusal,
    ::testing::Values(
        RefusalRow{Primitive::Cube, {0.0f, 1, 1, {}}, ModellingRefusal::SizeOutOfRange},
        RefusalRow{Primitive::Cube, {-1.0f, 1, 1, {}}, ModellingRefusal::SizeOutOfRange},
        RefusalRow{Primitive::Plane, {NAN, 1, 1, {}}, ModellingRefusal::SizeOutOfRange},
        RefusalRow{Primitive::Sphere, {INFINITY, 8, 4, {}}, ModellingRefusal::SizeOutOfRange},
        RefusalRow{Primitive::Plane, {1.0f, 0, 1, {}}, ModellingRefusal::SegmentsOutOfRange},
        RefusalRow{Primitive::Plane, {1.0f, 1025, 1, {}}, ModellingRefusal::SegmentsOutOfRange},
        RefusalRow{Primitive::Cube, {1.0f, 513, 1, {}}, ModellingRefusal::SegmentsOutOfRange},
        RefusalRow{Primitive::Cylinder, {1.0f, 2, 1, {}}, ModellingRefusal::SegmentsOutOfRange},
        RefusalRow{Primitive::Cylinder, {1.0f, 8, 0, {}}, ModellingRefusal::RingsOutOfRange},
        RefusalRow{Primitive::Sphere, {1.0f, 8, 1, {}}, ModellingRefusal::RingsOutOfRange},
        RefusalRow{Primitive::Cone, {1.0f, 8, 1025, {}}, ModellingRefusal::RingsOutOfRange},
        RefusalRow{Primitive::Cone,
                   {1.0f, 8, 1, CVector(0, NAN, 0)},
                   ModellingRefusal::CentreOutOfRange}));

}  // namespace
