#include "exchange/loader_mqo.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "scene/centigrade.h"
#include "test_files.h"

namespace {

std::string Doc(std::string_view body) {
    return std::string(kHeader) + std::string(body);
}

std::string Triangle(std::string_view faceLines) {
    return Doc(
        "Object \"t\" {\r\n\tvertex 3 {\r\n\t\t0 0 0\r\n\t\t1 0 0\r\n\t\t1 1 0\r\n\t}\r\n"
        "\tface 1 {\r\n" +
        std::string(faceLines) + "\t}\r\n}\r\nEof\r\n");
}

TEST(LoaderMQO, HeaderOnlyLeavesOneNoMaterial) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, kHeader).result, 0);
    EXPECT_TRUE(scene.models.empty());
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_EQ(scene.materials[0].name, "NoMaterial");
    EXPECT_EQ(scene.materials[0].id, 0);
    EXPECT_EQ(scene.materialSerial, 1);
    EXPECT_FLOAT_EQ(scene.materials[0].glDiffuse[0], 0.8f);
}

TEST(LoaderMQO, HeaderVersionAndDocumentLine) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, "Metasequoia Document\nFormat Text Ver 0.9\n").result,
              MQO_BAD_FORMAT);
    EXPECT_EQ(ImportText(scene, "Metasequoia Document\nFormat Text Ver 1.1\n").result, 0);
    EXPECT_EQ(ImportText(scene, "metasequoia document extra\nFORMAT TEXT VER 1.2 x\n").result, 0);
    EXPECT_EQ(ImportText(scene, "Metasequoia Document\n\nFormat Text Ver 1.0\n").result,
              MQO_BAD_FORMAT);
    EXPECT_EQ(ImportText(scene, "Metasequoia Document\nFormat Compress Ver 1.0\n").result,
              MQO_BAD_FORMAT);
    EXPECT_EQ(ImportText(scene, "Metasequoia\nFormat Text Ver 1.0\n").result, MQO_NOT_MQO);
    EXPECT_EQ(ImportText(scene, "").result, MQO_NOT_MQO);
    EXPECT_EQ(scene.materials.size(), 1u) << "only the first import adds NoMaterial";
}

TEST(LoaderMQO, KeywordsMatchInAnyCase) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("OBJECT \"a\" {\nVERTEX 2 {\n0 0 0\n1 1 1\n}\nFACE 1 {\n"
                                    "2 v(0 1) m(0)\n}\n}\n"))
                  .result,
              0);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].name, "a");
    EXPECT_EQ(scene.models[0].faces.size(), 1u);
}

TEST(LoaderMQO, ObjectNames) {
    CCentigrade scene;
    ImportText(scene, Doc("Object {\n}\nObject \"my box\" {\n}\nObject \"\" {\n}\n"
                          "Object \"\x83\x7B\x83\x7D\x83\x28\x83\x5C\" {\n}\n"));
    ASSERT_EQ(scene.models.size(), 4u);
    EXPECT_EQ(scene.models[0].name, "Model");
    EXPECT_EQ(scene.models[1].name, "my box");
    EXPECT_EQ(scene.models[2].name, "");
    EXPECT_EQ(scene.models[3].name, "\x83\x7B\x83\x7D\x83\x28\x83\x5C");
    EXPECT_EQ(scene.models[3].id, 4);
}

TEST(LoaderMQO, ObjectSettingsAndUnknownKeys) {
    CCentigrade scene;
    ImportText(scene, Doc("Object \"o\" {\n\tvisible 15\n\tfacet 30.5\n\tmirror_axis 4\n"
                          "\tshading 1\n\tcolor 0.1 0.2 0.3\n\tunknown {\n\t\tnested {\n"
                          "\t\t\tvertex 1 {\n\t\t\t}\n\t\t}\n\t}\n}\n"));
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_FLOAT_EQ(scene.models[0].facet, 30.5f);
    EXPECT_EQ(scene.models[0].mirrorAxis, 4);
    EXPECT_TRUE(scene.models[0].vertices.empty());
    EXPECT_EQ(scene.models[0].id, 1);
}

TEST(LoaderMQO, MaterialAttributes) {
    CCentigrade scene;
    ImportText(scene, Doc("Material 2 {\n"
                          "\t\"m\" shader(3) col(0.1 0.2 0.3 0.4) dif(0.5) amb(0.6) emi(0.7) "
                          "spc(0.8) power(12.5) aplane(\"a.bmp\") bump(\"b.bmp\") uid(7) dbls(1)\n"
                          "\t\"\x83\x7D\"\n"
                          "}\n"));
    ASSERT_EQ(scene.materials.size(), 2u);
    const CMaterial& m = scene.materials[0];
    EXPECT_EQ(m.name, "m");
    EXPECT_EQ(m.id, 0);
    EXPECT_FLOAT_EQ(m.red, 0.1f);
    EXPECT_FLOAT_EQ(m.green, 0.2f);
    EXPECT_FLOAT_EQ(m.blue, 0.3f);
    EXPECT_FLOAT_EQ(m.alpha, 0.4f);
    EXPECT_FLOAT_EQ(m.diffuse, 0.5f);
    EXPECT_FLOAT_EQ(m.ambient, 0.6f);
    EXPECT_FLOAT_EQ(m.emissive, 0.7f);
    EXPECT_FLOAT_EQ(m.specular, 0.8f);
    EXPECT_FLOAT_EQ(m.power, 12.5f);
    EXPECT_EQ(m.alphaPlane, "a.bmp");
    EXPECT_EQ(m.bump, "b.bmp");
    EXPECT_FLOAT_EQ(m.glDiffuse[1], 0.1f) << "colours are updated after the import";
    EXPECT_EQ(scene.materials[1].name, "\x83\x7D");
    EXPECT_EQ(scene.materials[1].id, 1);
    EXPECT_EQ(scene.materialSerial, 2);
}

TEST(LoaderMQO, UnknownAttributesAreSkipped) {
    CCentigrade scene;
    ImportText(
        scene,
        Doc("Material 1 {\n\"m\" shader(3) foo(1) col(1 0 0 1) proj_pos(1 2 3) dif(0.5)\n}\n"));
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_FLOAT_EQ(scene.materials[0].red, 1.0f);
    EXPECT_FLOAT_EQ(scene.materials[0].green, 0.0f);
    EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 0.5f);
}

TEST(LoaderMQO, MalformedAttributeAbandonsTheRestOfTheLine) {
    CCentigrade scene;
    ImportText(scene, Doc("Material 3 {\n\"short col\" col(1 0 0) dif(0.5)\n"
                          "\"no paren\" foo 1 dif(0.5)\n\"open\" dif(0.25 emi(0.5)\n}\n"));
    ASSERT_EQ(scene.materials.size(), 3u);
    EXPECT_FLOAT_EQ(scene.materials[0].red, 0.8f);
    EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 1.0f);
    EXPECT_FLOAT_EQ(scene.materials[1].diffuse, 1.0f);
    EXPECT_FLOAT_EQ(scene.materials[2].diffuse, 1.0f);
    EXPECT_FLOAT_EQ(scene.materials[2].emissive, 0.0f);
}

TEST(LoaderMQO, FaceWithUvsGetsMaterialBase) {
    CCentigrade scene;
    scene.materialSerial = 5;
    EXPECT_EQ(ImportText(scene, Triangle("3 V(0 1 2) UV(0 0 1 0 1 1)\n")).result, 0);
    const CFace& f = scene.models[0].faces[0];
    EXPECT_EQ(f.material, 5);
    ASSERT_EQ(f.uvs.size(), 3u);
    EXPECT_FLOAT_EQ(f.uvs[1].u, 1.0f);
    EXPECT_FLOAT_EQ(f.uvs[2].v, 1.0f);
    EXPECT_EQ(f.edgeSelected.size(), 3u);
    EXPECT_FALSE(f.selected);
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_EQ(scene.materials[0].id, 5);
}

TEST(LoaderMQO, FaceKeepsItsFirstFourCorners) {
    CCentigrade scene;
    ImportText(scene,
               Doc("Object \"p\" {\nvertex 5 {\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 2 0\n}\nface 1 {\n"
                   "5 V(0 1 2 3 4) M(0) UV(0 0 1 0 1 1 0 1 0 2)\n}\n}\n"));
    const CFace& f = scene.models[0].faces[0];
    EXPECT_EQ(f.indices, (SmallArray<int, 4>{0, 1, 2, 3}));
    EXPECT_EQ(f.uvs.size(), 4u);
    EXPECT_EQ(f.edgeSelected.size(), 4u);
}

TEST(LoaderMQO, FaceWithoutVGroupStopsTheLoad) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Triangle("3 X(0 1 2)\n")).result, MQO_SYNTAX);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].id, 0) << "an object that failed keeps number 0";
    EXPECT_EQ(scene.modelSerial, 0);
    EXPECT_EQ(ImportText(scene, Triangle("3 V(0 1)\n")).result, MQO_SYNTAX)
        << "too few tokens for the stated corners";
}

TEST(LoaderMQO, MalformedGroupsSkipOnlyTheirFace) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Triangle("3 V[0 1 2]\n3 V(0 1 2] M(0)\n3 V(0 1 2) M(1]\n"
                                         "3 V(0 1 2) M(0) UID(1]\n3 V(0 1 2) UV(0 0 1 0 1 1]\n"
                                         "3 V(2 1 0) M(1)\n"))
                  .result,
              0);
    ASSERT_EQ(scene.models[0].faces.size(), 1u);
    EXPECT_EQ(scene.models[0].faces[0].indices[0], 2);
    EXPECT_EQ(scene.models[0].faces[0].material, 1);
}

TEST(LoaderMQO, GroupsAreReadOnlyInOrder) {
    CCentigrade scene;
    ImportText(scene, Triangle("3 V(0 1 2) M 0\n3 V(0 1 2) M(2) UID(9) UV(0 0 1 0 1 1)\n"
                               "3 V(0 1 2) UV(0 0 1 0 1 1) M(3)\n3 V(0 1 2) UID(1) M(4)\n"
                               "3 V(0 1 2) M(1) UV(1 1)\n"));
    const auto& faces = scene.models[0].faces;
    ASSERT_EQ(faces.size(), 5u);
    EXPECT_EQ(faces[0].material, 0);
    EXPECT_EQ(faces[1].material, 2);
    EXPECT_EQ(faces[1].uvs.size(), 3u);
    EXPECT_EQ(faces[2].material, 0);
    EXPECT_EQ(faces[2].uvs.size(), 3u);
    EXPECT_EQ(faces[3].material, 0);
    EXPECT_EQ(faces[4].material, 1);
    EXPECT_TRUE(faces[4].uvs.empty());
}

TEST(LoaderMQO, HugeCornerCountsDoNotOverflow) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Triangle("2147483647 V(0 1 2)\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Triangle("-2147483648 V(0 1 2)\n")).result, 0);
    EXPECT_EQ(ImportText(scene, Triangle("3 V(0 1 2) M(2147483647)\n")).result, 0);
    EXPECT_EQ(scene.models.back().faces[0].material, 2147483647);
}

TEST(LoaderMQO, FacesBreakingTheInvariantsAreDropped) {
    CCentigrade scene;
    const auto outcome = ImportText(scene, Triangle("3 V(0 1 3)\n3 V(0 -1 2)\n1 V(0)\n0 V()\n"
                                                    "2 V(0 2)\n3 V(0 0 1)\n"));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.repairs, 4);
    ASSERT_EQ(scene.models[0].faces.size(), 2u);
    EXPECT_EQ(scene.models[0].faces[0].indices.size(), 2u);
    EXPECT_EQ(scene.models[0].faces[1].indices, (SmallArray<int, 4>{0, 0, 1}));
}

TEST(LoaderMQO, VertexCountOnTheChunkLineIsNotUsed) {
    CCentigrade scene;
    ImportText(scene, Doc("Object \"v\" {\n\tvertex 8 {\n\t\t1 2 3\n\t\t1.0 2.0\n\t\t4 5 6 7\n"
                          "\n\t}\n}\n"));
    const auto& v = scene.models[0].vertices;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_FLOAT_EQ(v[1].x, 4.0f);
    EXPECT_FLOAT_EQ(v[1].z, 6.0f);
    EXPECT_TRUE(v[0].used);
    EXPECT_FALSE(v[0].selected);
}

TEST(LoaderMQO, StatedCountsFarBeyondTheFileReserveNothingHuge) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("Object \"v\" {\nvertex 2000000000 {\n1 2 3\n}\n"
                                    "face 2000000000 {\n}\n}\n"))
                  .result,
              0);
    EXPECT_LT(scene.models[0].faces.capacity(), 100u);
    EXPECT_LT(scene.models[0].vertices.capacity(), 100u);
}

TEST(LoaderMQO, UnknownChunkWithBinaryBlockIsSkipped) {
    CCentigrade scene;
    std::string binary(96, '\0');
    binary[5] = '\n';
    binary[17] = '}';
    binary[40] = '{';
    binary[41] = '\n';
    EXPECT_EQ(ImportText(scene, Doc("Object \"b\" {\n\tExtra 8 {\n\t\tVector 8 [96]\n" + binary +
                                    "\n\t}\n\tfacet 12\n}\n"))
                  .result,
              0);
    EXPECT_FLOAT_EQ(scene.models[0].facet, 12.0f);
}

TEST(LoaderMQO, BinaryBlocksThatCannotBeSkipped) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("Thumbnail {\nblob [-20]\n}\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Doc("Thumbnail {\nblob [200]\n}\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Doc("blob [4]\nxyz\nObject \"after\" {\n}\n")).result, 0);
    EXPECT_EQ(scene.models.back().name, "after");
}

TEST(LoaderMQO, BinaryVerticesAreRead) {
    CCentigrade scene;
    const float coordinates[6] = {1.5f, -2.0f, 3.25f, 0.0f, 10.0f, -0.5f};
    std::string bytes(reinterpret_cast<const char*>(coordinates), sizeof coordinates);
    EXPECT_EQ(
        ImportText(scene, Doc("Object \"b\" {\n\tBVertex 2 {\n\t\tVector 2 [24]\n" + bytes +
                              "\r\n\t\tweit {\n\t\t}\n\t}\n\tface 1 {\n\t\t2 V(0 1)\n\t}\n}\n"))
            .result,
        0);
    const auto& v = scene.models[0].vertices;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].x, 1.5f);
    EXPECT_EQ(v[0].z, 3.25f);
    EXPECT_EQ(v[1].y, 10.0f);
    EXPECT_EQ(scene.models[0].faces.size(), 1u);
}

TEST(LoaderMQO, NonFiniteNumbersBecomeZeroAndCountAsRepairs) {
    CCentigrade scene;
    const float binary[3] = {std::numeric_limits<float>::quiet_NaN(), 1.0f, 2.0f};
    const std::string bytes(reinterpret_cast<const char*>(binary), sizeof binary);
    const auto outcome =
        ImportText(scene, Doc("Material 1 {\n\t\"m\" col(nan 1 1 1) dif(inf)\n}\n"
                              "Object \"a\" {\n\tvertex 2 {\n\t\tnan 1 -inf\n\t\t1e300 2 3\n\t}\n"
                              "\tface 1 {\n\t\t2 V(0 1) UV(nan 0 0 inf)\n\t}\n}\n"
                              "Object \"b\" {\n\tBVertex 1 {\n\t\tVector 1 [12]\n" +
                              bytes + "\r\n\t}\n}\n"));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.repairs, 8);
    EXPECT_EQ(scene.materials[0].red, 0.0f);
    EXPECT_EQ(scene.materials[0].diffuse, 0.0f);
    const auto& v = scene.models[0].vertices;
    EXPECT_EQ(v[0].x, 0.0f);
    EXPECT_EQ(v[0].y, 1.0f);
    EXPECT_EQ(v[0].z, 0.0f);
    EXPECT_EQ(v[1].x, 0.0f);
    EXPECT_EQ(scene.models[0].faces[0].uvs[1].v, 0.0f);
    EXPECT_EQ(scene.models[1].vertices[0].x, 0.0f);
}

TEST(LoaderMQO, FileEndingInsideAFaceChunk) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("Object \"cut\" {\nvertex 3 {\n0 0 0\n1 0 0\n1 1 0\n}\n"
                                    "face 2 {\n3 V(0 1 2)\n"))
                  .result,
              MQO_EOF);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].faces.size(), 1u);
    EXPECT_EQ(scene.models[0].id, 0);
}

TEST(LoaderMQO, FileEndingInsideTheMaterialChunkKeepsEarlierMaterials) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("Material 2 {\n\"a\" dif(0.5)\n\"b\"")).result, MQO_EOF);
    ASSERT_EQ(scene.materials.size(), 2u);
    EXPECT_EQ(scene.materials[1].name, "b");
    EXPECT_EQ(ImportText(scene, Doc("Scene {\n")).result, MQO_EOF);
}

TEST(LoaderMQO, ChunkLinesWithoutBrace) {
    CCentigrade scene;
    EXPECT_EQ(ImportText(scene, Doc("Material 1\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Doc("Object \"x\"\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Doc("Object \"x\" {\nvertex 1 (\n}\n")).result, MQO_SYNTAX);
    EXPECT_EQ(ImportText(scene, Doc("Object \"x\" {\nface 1\n}\n")).result, MQO_SYNTAX);
}

TEST(LoaderMQO, EofLineDoesNotStopReading) {
    CCentigrade scene;
    ImportText(scene, Doc("Eof\nObject \"late\" {\n}\n"));
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].name, "late");
}

TEST(LoaderMQO, ImportsAppend) {
    CCentigrade scene;
    const std::string doc =
        Doc("Material 2 {\n\"a\"\n\"b\"\n}\nObject \"o\" {\nvertex 2 {\n0 0 0\n1 0 0\n}\n"
            "face 1 {\n2 V(0 1) M(1)\n}\n}\n");
    ImportText(scene, doc);
    ImportText(scene, doc);
    ASSERT_EQ(scene.models.size(), 2u);
    EXPECT_EQ(scene.models[1].id, 2);
    EXPECT_EQ(scene.modelSerial, 2);
    ASSERT_EQ(scene.materials.size(), 4u);
    EXPECT_EQ(scene.materials[3].id, 3);
    EXPECT_EQ(scene.models[0].faces[0].material, 1);
    EXPECT_EQ(scene.models[1].faces[0].material, 3);
}

TEST(LoaderMQO, DocumentWithoutMaterialsKeepsItsFacesDrawable) {
    CCentigrade scene;
    const std::string doc = Triangle("3 V(0 1 2)\n");
    ImportText(scene, doc);
    ImportText(scene, doc);
    ImportText(scene, kHeader);
    ASSERT_EQ(scene.materials.size(), 2u) << "one default material per import that brought faces";
    EXPECT_EQ(scene.materials[1].name, "NoMaterial");
    EXPECT_EQ(scene.materials[1].id, 1);
    EXPECT_EQ(scene.models[0].faces[0].material, 0);
    EXPECT_EQ(scene.models[1].faces[0].material, 1);
}

TEST(LoaderMQO, Utf8NamesBecomeCp932) {
    CCentigrade scene;
    const auto outcome =
        ImportText(scene, Doc("CodePage utf8\nMaterial 1 {\n\t\"マテリアル\" dif(0.5)\n}\n"
                              "Object \"三角形😀\" {\n}\n"));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.repairs, 1) << "the emoji has no CP932 code";
    EXPECT_EQ(scene.materials[0].name, "\x83\x7D\x83\x65\x83\x8A\x83\x41\x83\x8B");
    EXPECT_EQ(scene.models[0].name, "\x8E\x4F\x8A\x70\x8C\x60?");
}

TEST(LoaderMQO, CodePage932KeepsBytes) {
    CCentigrade scene;
    ImportText(scene, Doc("CodePage 932\nObject \"\x8E\x4F\x8A\x70\x8C\x60\" {\n}\n"
                          "CodePage 65001\nObject \"\xE4\xB8\x89\" {\n}\n"));
    ASSERT_EQ(scene.models.size(), 2u);
    EXPECT_EQ(scene.models[0].name, "\x8E\x4F\x8A\x70\x8C\x60");
    EXPECT_EQ(scene.models[1].name, "\x8E\x4F");
}

TEST(LoaderMQO, LongLinesAreNotCutIntoPieces) {
    CCentigrade scene;
    const std::string longAttribute = "note(" + std::string(20000, 'x') + ")";
    ImportText(scene, Doc("Material 1 {\n\"m\" " + longAttribute + " dif(0.5)\n}\n"));
    ASSERT_EQ(scene.materials.size(), 1u);
    EXPECT_FLOAT_EQ(scene.materials[0].diffuse, 0.5f);
}

TEST(LoaderMQO, CommaDecimalLocaleReadsPoints) {
    CommaDecimalLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    CCentigrade scene;
    ImportText(scene, Doc("Material 1 {\n\"m\" col(0.5 0.25 1 1)\n}\nObject \"o\" {\nfacet 30.5\n"
                          "vertex 1 {\n0.5 -1.25e2 3\n}\n}\n"));
    EXPECT_FLOAT_EQ(scene.materials[0].red, 0.5f);
    EXPECT_FLOAT_EQ(scene.models[0].facet, 30.5f);
    EXPECT_FLOAT_EQ(scene.models[0].vertices[0].y, -125.0f);
}

}  // namespace
