// The OBJ, STL and glTF files read back by an independent reader (Assimp),
// with the counts the scene gives.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <cmath>

#include "exchange/document_files.h"
#include "samples/sample_scene.h"
#include "scene/centigrade.h"
#include "support/mesh_generators.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

struct Counts {
    unsigned polygons = 0;   // faces of 3 or 4 corners
    unsigned triangles = 0;  // after splitting quads
};

Counts SurfaceCounts(const CCentigrade& scene) {
    Counts counts;
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            if (f.indices.size() >= 3) {
                ++counts.polygons;
                counts.triangles += static_cast<unsigned>(f.indices.size() - 2);
            }
        }
    }
    return counts;
}

unsigned Faces(const aiScene& s) {
    unsigned faces = 0;
    for (unsigned i = 0; i < s.mNumMeshes; ++i) {
        faces += s.mMeshes[i]->mNumFaces;
    }
    return faces;
}

// A cube whose faces are seen from outside (the generator's are seen from inside).
CCentigrade OutwardCube(float facet) {
    CModel cube = MakeCube(2.0f);
    for (CFace& f : cube.faces) {
        std::swap(f.indices[1], f.indices[3]);
    }
    cube.facet = facet;
    CCentigrade scene = MakeSceneWith(std::move(cube));
    scene.ComputeAllNormals();
    return scene;
}

class AssimpReadBack : public ::testing::Test {
protected:
    const aiScene* Save(const CCentigrade& scene, const std::string& name, unsigned flags = 0) {
        const fs::path path = folder.Path() / name;
        SaveDocumentFile(path, scene);
        const aiScene* read = importer.ReadFile(path.string(), flags);
        EXPECT_NE(read, nullptr) << importer.GetErrorString();
        return read;
    }

    TempFolder folder;
    Assimp::Importer importer;
};

TEST_F(AssimpReadBack, ObjKeepsQuadsAndObjects) {
    CCentigrade scene = MakeSampleScene();
    const aiScene* read = Save(scene, "sample.obj");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Faces(*read), SurfaceCounts(scene).polygons);
    EXPECT_EQ(read->mRootNode->mNumChildren, scene.models.size());
    EXPECT_GE(read->mNumMaterials, scene.materials.size());
}

TEST_F(AssimpReadBack, StlTrianglesFaceOutwards) {
    const CCentigrade cube = OutwardCube(59.5f);
    const aiScene* read = Save(cube, "cube.stl");
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->mNumMeshes, 1u);
    const aiMesh& mesh = *read->mMeshes[0];
    EXPECT_EQ(mesh.mNumFaces, 12u);
    ASSERT_TRUE(mesh.HasNormals());
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
        EXPECT_GT(mesh.mNormals[v] * mesh.mVertices[v], 0.0f) << "vertex " << v;
    }
    const CCentigrade sample = MakeSampleScene();
    const aiScene* many = Save(sample, "sample.stl");
    ASSERT_NE(many, nullptr);
    EXPECT_EQ(Faces(*many), SurfaceCounts(sample).triangles);
}

TEST_F(AssimpReadBack, GlbSplitsVerticesAtCreasesOnly) {
    struct Case {
        float facet;
        unsigned vertices;
    };
    for (const Case c : {Case{59.5f, 24u}, Case{100.0f, 8u}}) {
        const aiScene* read = Save(OutwardCube(c.facet), "cube.glb");
        ASSERT_NE(read, nullptr);
        ASSERT_EQ(read->mNumMeshes, 1u);
        const aiMesh& mesh = *read->mMeshes[0];
        EXPECT_EQ(mesh.mNumVertices, c.vertices) << "facet " << c.facet;
        EXPECT_EQ(mesh.mNumFaces, 12u);
        ASSERT_TRUE(mesh.HasNormals());
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            EXPECT_NEAR(mesh.mNormals[v].Length(), 1.0f, 1e-5f);
            EXPECT_GT(mesh.mNormals[v] * mesh.mVertices[v], 0.0f);
        }
    }
}

TEST_F(AssimpReadBack, GlbHoldsMaterialsAndTheEmbeddedTexture) {
    TempFolder documents;
    documents.Write(kSampleTextureName, SampleTextureBmp());
    CCentigrade scene = MakeSampleScene();
    scene.SetDocumentFolder(documents.Path() / "sample.qvl");
    const aiScene* read = Save(scene, "sample.glb");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Faces(*read), SurfaceCounts(scene).triangles);
    // Assimp adds a default material of its own after the file's.
    ASSERT_GE(read->mNumMaterials, scene.materials.size());
    ASSERT_EQ(read->mNumTextures, 1u);
    EXPECT_STREQ(read->mTextures[0]->achFormatHint, "png");
    aiString name;
    read->mMaterials[0]->Get(AI_MATKEY_NAME, name);
    EXPECT_STREQ(name.C_Str(), "木目");
    for (unsigned i = 0; i < read->mNumMeshes; ++i) {
        const aiMesh& mesh = *read->mMeshes[i];
        EXPECT_EQ(mesh.HasTextureCoords(0), mesh.mMaterialIndex == 0) << "mesh " << i;
    }
}

}  // namespace
