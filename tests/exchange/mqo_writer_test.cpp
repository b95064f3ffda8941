#include "exchange/mqo_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "scene/centigrade.h"
#include "scene/document_error.h"
#include "support/mesh_generators.h"
#include "test_files.h"

namespace {

constexpr std::string_view kFrame =
    "Metasequoia Document\r\n"
    "Format Text Ver 1.0\r\n"
    "\r\n"
    "Scene {\r\n"
    "\tpos 0.0000 0.0000 1500.0000\r\n"
    "\tlookat 0.0000 0.0000 0.0000\r\n"
    "\thead -0.3800\r\n"
    "\tpich 0.2300\r\n"
    "\tortho 0\r\n"
    "\tzoom2 5.0000\r\n"
    "\tamb 0.250 0.250 0.250\r\n"
    "}\r\n";

constexpr std::string_view kObjectSettings =
    "\tvisible 15\r\n\tlocking 0\r\n\tshading 1\r\n\tfacet 89.5\r\n"
    "\tcolor 0.898 0.498 0.698\r\n\tcolor_type 0\r\n";

CFace Face(std::initializer_list<int> indices, int material, std::initializer_list<CUV> uvs = {}) {
    CFace f;
    f.indices = indices;
    f.edgeSelected.resize(f.indices.size(), false);
    f.material = material;
    f.uvs = uvs;
    return f;
}

TEST(FormatMQO, EmptyScene) {
    CCentigrade scene;
    EXPECT_EQ(FormatMQO(scene), std::string(kFrame) + "Material 0 {\r\n}\r\nEof\r\n");
}

TEST(FormatMQO, MaterialLines) {
    CCentigrade scene;
    CMaterial plain(0);
    plain.name = "plain";
    CMaterial wood(1);
    wood.name = "\x96\xD8";  // 木
    wood.red = 0.5f;
    wood.alpha = 0.25f;
    wood.power = 12.0f;
    wood.texture = "wood.bmp";
    wood.alphaPlane = "ignored.bmp";
    scene.materials = {plain, wood};
    EXPECT_EQ(FormatMQO(scene),
              std::string(kFrame) +
                  "Material 2 {\r\n"
                  "\t\"plain\" shader(3) col(0.800000 0.800000 0.800000 1.000000) dif(1.000000) "
                  "amb(0.250000) emi(0.000000) spc(0.000000) power(5.000000)\r\n"
                  "\t\"\x96\xD8\" shader(3) col(0.500000 0.800000 0.800000 0.250000) "
                  "dif(1.000000) amb(0.250000) emi(0.000000) spc(0.000000) power(12.000000) "
                  "tex(\"wood.bmp\")\r\n"
                  "}\r\nEof\r\n");
}

TEST(FormatMQO, ObjectBlock) {
    CModel model;
    model.name = "\x83\x7D\x83\x5C";  // マソ: trail bytes "}" and "\"
    model.facet = 30.0f;
    model.mirrorAxis = 2;
    model.vertices = {CVector(0, 0, 0), CVector(1.5f, -2, 0.25f), CVector(1, 1, 0),
                      CVector(0, 1, 0)};
    model.vertices[3].used = false;
    model.faces.push_back(Face({0, 1, 2}, 0, {{0, 0}, {1, 0}, {1, 1}}));
    model.faces.push_back(Face({0, 1, 2, 3}, 7));
    model.faces.push_back(Face({0, 1}, 1, {{0, 0}, {1, 0}}));
    model.faces.push_back(Face({0, 1, 2, 3}, 2, {{0, 0}, {1, 0}, {1, 1}}));
    CFace five = Face({0, 1, 2, 3}, 3);
    five.indices.push_back(0);
    model.faces.push_back(five);
    model.faces.push_back(Face({3, 2, 1, 0}, 2, {{0, 0}, {1, 0}, {1, 1}, {0.125f, 0.5f}}));
    CCentigrade scene;
    scene.models.push_back(model);
    EXPECT_EQ(FormatMQO(scene), std::string(kFrame) + "Material 0 {\r\n}\r\n" +
                                    "Object \"\x83\x7D\x83\x5C\" {\r\n" +
                                    std::string(kObjectSettings) +
                                    "\tvertex 4 {\r\n"
                                    "\t\t0.000000 0.000000 0.000000\r\n"
                                    "\t\t1.500000 -2.000000 0.250000\r\n"
                                    "\t\t1.000000 1.000000 0.000000\r\n"
                                    "\t\t0.000000 1.000000 0.000000\r\n"
                                    "\t}\r\n"
                                    "\tface 6 {\r\n"
                                    "\t\t3 V(0 1 2) M(0) UV(0.000000 0.000000 1.000000 0.000000 "
                                    "1.000000 1.000000)\r\n"
                                    "\t\t4 V(0 1 2 3) M(7)\r\n"
                                    "\t\t2 V(0 1) M(1)\r\n"
                                    "\t\t4 V(0 1 2 3) M(2)\r\n"
                                    "\t\t4 V(3 2 1 0) M(2) UV(0.000000 0.000000 1.000000 "
                                    "0.000000 1.000000 1.000000 0.125000 0.500000)\r\n"
                                    "\t}\r\n"
                                    "}\r\n"
                                    "Eof\r\n");
}

// A line end inside a name would end the document's line: it becomes a space.
TEST(FormatMQO, LineFeedsInsideNamesBecomeSpaces) {
    CCentigrade scene;
    CModel model;
    model.name = "a\nb";
    scene.models.push_back(model);
    EXPECT_NE(FormatMQO(scene).find("Object \"a b\" {\r\n"), std::string::npos);
}

TEST(FormatMQO, CommaDecimalLocaleWritesPoints) {
    CommaDecimalLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    CCentigrade scene = MakeSceneWith(MakeCube(1.0f));
    const std::string text = FormatMQO(scene);
    EXPECT_NE(text.find("\t\t-0.500000 -0.500000 -0.500000\r\n"), std::string::npos);
    EXPECT_NE(text.find("col(0.800000 0.800000 0.800000 1.000000)"), std::string::npos);
    EXPECT_EQ(text.find(','), std::string::npos);
}

TEST(SaveMQO, WritesTheFormattedText) {
    TempFolder folder;
    CCentigrade scene = MakeSceneWith(MakeCube(2.0f));
    const auto path = folder.Path() / "cube.mqo";
    SaveMQO(scene, path);
    EXPECT_EQ(ReadFile(path), FormatMQO(scene));
}

TEST(SaveMQO, RefusesAMissingFolderAndKeepsNoTemporaryFile) {
    TempFolder folder;
    CCentigrade scene;
    EXPECT_THROW(SaveMQO(scene, folder.Path() / "missing" / "x.mqo"), DocumentError);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(SaveMQO, ReadsBackToTheSameScene) {
    CCentigrade original;
    for (int i = 0; i < 3; ++i) {
        CMaterial m(original.materialSerial++);
        m.name = "m" + std::to_string(i);
        m.red = 0.125f * static_cast<float>(i);
        m.alpha = 0.5f;
        m.diffuse = 0.75f;
        m.ambient = 0.375f;
        m.emissive = 0.0625f;
        m.specular = 0.25f;
        m.power = 30.0f;
        original.materials.push_back(m);
    }
    CModel grid = MakeQuadGrid(3, 0.5f);
    grid.name = "\x8A\x69\x8E\x71";  // 格子
    grid.facet = 20.0f;
    for (std::size_t i = 0; i < grid.faces.size(); ++i) {
        CFace& f = grid.faces[i];
        f.material = static_cast<int>(i % 3);
        for (int k = 0; k < 4; ++k) {
            f.uvs.push_back(CUV{0.25f * static_cast<float>(k), 0.5f});
        }
    }
    grid.faces.push_back(Face({0, 1, 5}, 2, {{0, 0}, {1, 0}, {1, 1}}));
    grid.faces.push_back(Face({2, 3}, 1));
    grid.id = ++original.modelSerial;
    original.models.push_back(grid);
    CModel cube = MakeCube(3.0f);
    cube.id = ++original.modelSerial;
    original.models.push_back(cube);

    CCentigrade copy;
    ASSERT_EQ(ImportText(copy, FormatMQO(original)).result, 0);
    ASSERT_EQ(copy.materials.size(), original.materials.size());
    for (std::size_t i = 0; i < copy.materials.size(); ++i) {
        const CMaterial& a = original.materials[i];
        const CMaterial& b = copy.materials[i];
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.red, a.red);
        EXPECT_EQ(b.alpha, a.alpha);
        EXPECT_EQ(b.diffuse, a.diffuse);
        EXPECT_EQ(b.ambient, a.ambient);
        EXPECT_EQ(b.emissive, a.emissive);
        EXPECT_EQ(b.specular, a.specular);
        EXPECT_EQ(b.power, a.power);
    }
    ASSERT_EQ(copy.models.size(), original.models.size());
    for (std::size_t i = 0; i < copy.models.size(); ++i) {
        const CModel& a = original.models[i];
        const CModel& b = copy.models[i];
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.facet, 89.5f);
        ASSERT_EQ(b.vertices.size(), a.vertices.size());
        for (std::size_t v = 0; v < a.vertices.size(); ++v) {
            EXPECT_EQ(b.vertices[v].x, a.vertices[v].x);
            EXPECT_EQ(b.vertices[v].y, a.vertices[v].y);
            EXPECT_EQ(b.vertices[v].z, a.vertices[v].z);
        }
        ASSERT_EQ(b.faces.size(), a.faces.size());
        for (std::size_t f = 0; f < a.faces.size(); ++f) {
            EXPECT_EQ(b.faces[f].indices, a.faces[f].indices);
            EXPECT_EQ(b.faces[f].material, a.faces[f].material);
            if (a.faces[f].indices.size() == 2) {
                EXPECT_TRUE(b.faces[f].uvs.empty());
                continue;
            }
            ASSERT_EQ(b.faces[f].uvs.size(), a.faces[f].uvs.size());
            for (std::size_t k = 0; k < a.faces[f].uvs.size(); ++k) {
                EXPECT_EQ(b.faces[f].uvs[k].u, a.faces[f].uvs[k].u);
                EXPECT_EQ(b.faces[f].uvs[k].v, a.faces[f].uvs[k].v);
            }
        }
    }
}

TEST(SaveMQO, SixDecimalsKeepValuesToAMillionth) {
    CModel model;
    model.vertices = {CVector(0.1234567f, -98765.4321f, 1e-7f)};
    CCentigrade original = MakeSceneWith(model);
    CCentigrade copy;
    ImportText(copy, FormatMQO(original));
    const CVector& v = copy.models[0].vertices[0];
    EXPECT_NEAR(v.x, 0.1234567f, 5e-7);
    EXPECT_NEAR(v.y, -98765.4321f, 0.01);
    EXPECT_EQ(v.z, 0.0f);
}

}  // namespace
