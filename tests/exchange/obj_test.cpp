// Wavefront OBJ: files as other programs write them, hostile files, and
// round trips through the writer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/document_files.h"
#include "exchange/mqo_writer.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "samples/sample_scene.h"
#include "scene/archive.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"
#include "scene/message_sink.h"
#include "support/mesh_generators.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

// Corner counts of every face of every object.
std::vector<std::vector<int>> Shapes(const CCentigrade& scene) {
    std::vector<std::vector<int>> shapes;
    for (const CModel& m : scene.models) {
        std::vector<int>& corners = shapes.emplace_back();
        for (const CFace& f : m.faces) {
            corners.push_back(static_cast<int>(f.indices.size()));
        }
    }
    return shapes;
}

struct ToolFile {
    const char* what;
    std::string obj;
    std::vector<std::vector<int>> shapes;
    int repairs;
    int conversions;
};

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

TEST(ObjReader, FilesOfOtherTools) {
    const ToolFile files[] = {
        {"Blender: normals, smoothing, vt/vn",
         std::string("# Blender 4.1\nmtllib m.mtl\no Plane\n") + kSquare +
             "vn 0 0 1\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\ns 0\nusemtl Mat\nf 1/1/1 2/2/1 3/3/1 "
             "4/4/1\n",
         {{4}},
         0,
         0},
        {"negative indices", std::string(kSquare) + "f -4 -3 -2\nf -4 -2 -1\n", {{3, 3}}, 0, 0},
        {"vt without vn",
         std::string(kSquare) + "vt 0 0\nvt 1 0\nvt 1 1\nf 1/1 2/2 3/3\n",
         {{3}},
         0,
         0},
        {"CR LF", "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n", {{3}}, 0, 0},
        {"objects and groups",
         std::string(kSquare) + "o A\nf 1 2 3\ng B\nf 1 3 4\no C\ng C_mat\nf 2 3 4\n",
         {{3}, {3}, {3}},
         0,
         0},
        {"pentagon and hexagon split by a fan",
         "v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 2 0\nv -1 1 0\nf 1 2 3 4 5\nf 1 2 3 4 5 6\n",
         {{4, 3, 4, 4}},
         0,
         2},
        {"polyline", std::string(kSquare) + "l 1 2 3\nl 3 4\n", {{2, 2, 2}}, 0, 1},
        {"broken faces dropped",
         std::string(kSquare) +
             "f 1\nf 0 1 2\nf 1 2 5\nf 1 2 -5\nf 1 2 x\nf 99999999999999999999 1 2\nf 1/9 2 3\n"
             "f\nf 1 2 3\n",
         {{3}},
         8,
         0},
        {"indices of a later object count across the file",
         std::string(kSquare) + "o A\nf 1 2 3\no B\nv 5 5 5\nf 3 4 5\n",
         {{3}, {3}},
         0,
         0},
    };
    for (const ToolFile& file : files) {
        CCentigrade scene;
        const ObjImport outcome = ImportObjText(scene, file.obj);
        EXPECT_EQ(Shapes(scene), file.shapes) << file.what;
        EXPECT_EQ(outcome.repairs, file.repairs) << file.what;
        EXPECT_EQ(outcome.conversions, file.conversions) << file.what;
        EXPECT_FALSE(scene.materials.empty()) << file.what;
        for (const CModel& m : scene.models) {
            for (const CFace& f : m.faces) {
                EXPECT_EQ(f.edgeSelected.size(), f.indices.size()) << file.what;
                for (int i : f.indices) {
                    EXPECT_LT(static_cast<std::size_t>(i), m.vertices.size()) << file.what;
                }
            }
        }
    }
}

TEST(ObjReader, ObjectsTakeTheVerticesTheyUseInFileOrder) {
    CCentigrade scene;
    ImportObjText(scene, std::string(kSquare) + "o A\nf 1 2 3\no B\nv 5 5 5\nf 3 4 5\n");
    ASSERT_EQ(scene.models.size(), 2u);
    EXPECT_EQ(scene.models[0].name, "A");
    EXPECT_EQ(scene.models[1].name, "B");
    ASSERT_EQ(scene.models[1].vertices.size(), 3u);
    EXPECT_FLOAT_EQ(scene.models[1].vertices[2].x, 5.0f);
    EXPECT_EQ(scene.models[1].id, 2);
}

// A counter-clockwise triangle seen from +z in Blender is seen from +z here:
// Quorvel's computed normal points away from the side a face is seen from.
TEST(ObjReader, WindingAndTextureCoordinatesKeepTheirSide) {
    CCentigrade scene;
    ImportObjText(scene,
                  "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.25 0.75\nvt 1 0\nvt 0 1\nf 1/1 2/2 3/3\n");
    ASSERT_EQ(scene.models.size(), 1u);
    CModel& m = scene.models[0];
    m.ComputeNormals(1);
    const CFace& f = m.faces[0];
    EXPECT_EQ(f.indices, (SmallArray<int, 4>{0, 2, 1}));
    EXPECT_FLOAT_EQ(f.normal.z, -1.0f);
    ASSERT_EQ(f.uvs.size(), 3u);
    EXPECT_FLOAT_EQ(f.uvs[0].u, 0.25f);
    EXPECT_FLOAT_EQ(f.uvs[0].v, 0.25f);
    EXPECT_FLOAT_EQ(f.uvs[1].v, 0.0f);
    EXPECT_FLOAT_EQ(f.uvs[2].v, 1.0f);
}

TEST(ObjReader, MaterialsFromTheLibraryAndByName) {
    const std::string mtl =
        "newmtl Red\nKd 1 0 0\nKa 0.2 0.2 0.2\nKs 0.5 0.5 0.5\nKe 0.1 0.1 0.1\nNs 40\nd 0.5\n"
        "map_Kd -s 1 1 1 -bm 0.5 wood grain.png\nnewmtl Glass\nTr 0.25\n";
    CCentigrade scene;
    scene.materialSerial = 3;
    ImportObjText(
        scene,
        std::string("mtllib lib.mtl\n") + kSquare +
            "f 1 2 3\nusemtl Red\nf 1 3 4\nusemtl Unknown\nf 2 3 4\nusemtl Red\nf 1 2 4\n",
        [&mtl](std::string_view name) -> std::optional<std::string> {
            return name == "lib.mtl" ? std::optional(mtl) : std::nullopt;
        });
    ASSERT_EQ(scene.materials.size(), 4u);
    const CMaterial& red = scene.materials[0];
    EXPECT_EQ(red.name, "Red");
    EXPECT_EQ(red.id, 3);
    EXPECT_FLOAT_EQ(red.red, 1.0f);
    EXPECT_FLOAT_EQ(red.green, 0.0f);
    EXPECT_FLOAT_EQ(red.ambient, 0.2f);
    EXPECT_FLOAT_EQ(red.specular, 0.5f);
    EXPECT_FLOAT_EQ(red.emissive, 0.1f);
    EXPECT_FLOAT_EQ(red.power, 40.0f);
    EXPECT_FLOAT_EQ(red.alpha, 0.5f);
    EXPECT_EQ(red.texture, "wood grain.png");
    EXPECT_FLOAT_EQ(scene.materials[1].alpha, 0.75f);
    EXPECT_EQ(scene.materials[2].name, "NoMaterial");  // faces before any usemtl
    EXPECT_EQ(scene.materials[3].name, "Unknown");     // named, missing from the library
    const CModel& m = scene.models[0];
    EXPECT_EQ(m.faces[0].material, 5);
    EXPECT_EQ(m.faces[1].material, 3);
    EXPECT_EQ(m.faces[2].material, 6);
    EXPECT_EQ(m.faces[3].material, 3);
}

class ObjFiles : public ::testing::Test {
protected:
    void SetUp() override {
        previous = SetMessageSink([this](const std::string& m) { messages.push_back(m); });
    }
    void TearDown() override { SetMessageSink(previous); }

    TempFolder folder;
    std::vector<std::string> messages;
    MessageSink previous;
};

TEST_F(ObjFiles, MissingLibraryAndEscapingTextureNames) {
    folder.Write("escape.mtl", "newmtl M\nmap_Kd ../../../etc/passwd\n");
    folder.Write("材質 一覧.MTL", "newmtl 赤\nKd 1 0 0\n");
    const fs::path path = folder.Write(
        "model.obj", std::string("mtllib missing.mtl\nmtllib escape.mtl\nmtllib /dev/zero\n"
                                 "mtllib 材質 一覧.mtl\n") +
                         kSquare + "usemtl M\nf 1 2 3\nusemtl Other\nf 1 3 4\n");
    CCentigrade scene;
    const DocumentLoadResult loaded = OpenDocumentFile(path, scene);
    EXPECT_TRUE(loaded.imported);
    ASSERT_EQ(scene.materials.size(), 3u);
    // Not a picture: refused like any bad texture, and the name stays for the user.
    EXPECT_EQ(scene.materials[0].texture, "../../../etc/passwd");
    EXPECT_TRUE(scene.materials[0].TextureMissing());
    EXPECT_EQ(loaded.textureFailures.size(), 1u);
    EXPECT_EQ(scene.materials[1].name, Utf8ToCp932("赤"));
    EXPECT_FLOAT_EQ(scene.materials[1].green, 0.0f);
    EXPECT_EQ(scene.materials[2].name, "Other");
    EXPECT_TRUE(scene.models[0].HasCornerNormals(0));  // normals computed
}

TEST_F(ObjFiles, LongLinesAndUnreadableFiles) {
    const std::string longName(10 << 20, 'n');
    const fs::path path = folder.Write("long.obj", "# " + std::string(10 << 20, 'c') + "\no " +
                                                       longName + "\n" + kSquare + "f 1 2 3 4");
    CCentigrade scene;
    OpenDocumentFile(path, scene);
    ASSERT_EQ(scene.models.size(), 1u);
    EXPECT_EQ(scene.models[0].name.size(), longName.size());
    EXPECT_EQ(scene.models[0].faces.size(), 1u);

    EXPECT_THROW(OpenDocumentFile(folder.Path() / "absent.obj", scene), DocumentError);
    fs::create_directory(folder.Path() / "folder.obj");
    EXPECT_THROW(OpenDocumentFile(folder.Path() / "folder.obj", scene), DocumentError);
    EXPECT_EQ(scene.models.size(), 1u);
}

void ExpectSameGeometry(const CCentigrade& a, const CCentigrade& b) {
    ASSERT_EQ(a.models.size(), b.models.size());
    for (std::size_t i = 0; i < a.models.size(); ++i) {
        const CModel& x = a.models[i];
        const CModel& y = b.models[i];
        EXPECT_EQ(x.name, y.name);
        ASSERT_EQ(x.vertices.size(), y.vertices.size());
        for (std::size_t v = 0; v < x.vertices.size(); ++v) {
            EXPECT_EQ(x.vertices[v].x, y.vertices[v].x);
            EXPECT_EQ(x.vertices[v].y, y.vertices[v].y);
            EXPECT_EQ(x.vertices[v].z, y.vertices[v].z);
        }
        ASSERT_EQ(x.faces.size(), y.faces.size());
        for (std::size_t r = 0; r < x.faces.size(); ++r) {
            EXPECT_EQ(x.faces[r].indices, y.faces[r].indices) << x.name << " face " << r;
            ASSERT_EQ(x.faces[r].uvs.size(), y.faces[r].uvs.size());
            for (std::size_t k = 0; k < x.faces[r].uvs.size(); ++k) {
                EXPECT_EQ(x.faces[r].uvs[k].u, y.faces[r].uvs[k].u);
                EXPECT_EQ(x.faces[r].uvs[k].v, y.faces[r].uvs[k].v);
            }
        }
    }
}

// The sample scene (quads, triangles, textures, Japanese names) through OBJ
// comes back face for face; materials as the writer maps them.
TEST(ObjRoundTrip, SceneToObjAndBack) {
    CCentigrade original = MakeSampleScene();
    original.models[0].faces[0].uvs[1].v = 0.1f;  // not exact after 1 − v in float
    const std::string library = FormatMaterialLibrary(original);
    auto source = [&library](std::string_view) { return std::optional(library); };
    CCentigrade first;
    ImportObjText(first, FormatObj(original, "m.mtl"), source);
    ExpectSameGeometry(original, first);
    for (std::size_t i = 0; i < original.models.size(); ++i) {
        for (std::size_t r = 0; r < original.models[i].faces.size(); ++r) {
            const int id = first.models[i].faces[r].material;
            EXPECT_EQ(
                first.materials[static_cast<std::size_t>(id)].name,
                original.materials[static_cast<std::size_t>(original.models[i].faces[r].material)]
                    .name);
        }
    }
    // OBJ → scene → OBJ → scene: everything the format holds is kept exactly.
    const std::string secondLibrary = FormatMaterialLibrary(first);
    CCentigrade second;
    ImportObjText(second, FormatObj(first, "m.mtl"),
                  [&secondLibrary](std::string_view) { return std::optional(secondLibrary); });
    ExpectSameGeometry(first, second);
    EXPECT_EQ(FormatMaterialLibrary(second), secondLibrary);
    EXPECT_EQ(FormatObj(second, "m.mtl"), FormatObj(first, "m.mtl"));
}

TEST_F(ObjFiles, MetasequoiaThroughObjKeepsQuads) {
    const fs::path obj = folder.Path() / "grid.obj";
    SaveDocumentFile(obj, MakeSceneWith(MakeQuadGrid(3)));
    EXPECT_TRUE(fs::exists(folder.Path() / "grid.mtl"));
    CCentigrade scene;
    EXPECT_EQ(OpenDocumentFile(obj, scene).conversions, 0);
    const fs::path mqo = folder.Path() / "grid.mqo";
    SaveDocumentFile(mqo, scene);
    CCentigrade back;
    OpenDocumentFile(mqo, back);
    ExpectSameGeometry(MakeSceneWith(MakeQuadGrid(3)), back);
}

}  // namespace
