// Numbers that are not finite ("nan", "inf", "1e400") are repaired to 0 as
// they are read, and no writer puts one out, whatever the scene holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "exchange/glb_writer.h"
#include "exchange/mqo_writer.h"
#include "exchange/obj_writer.h"
#include "exchange/stl_writer.h"
#include "hostile_files.h"
#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

bool AllFinite(const nlohmann::json& j) {
    if (j.is_null() || (j.is_number_float() && !std::isfinite(j.get<double>()))) {
        return false;
    }
    return !j.is_structured() || std::all_of(j.begin(), j.end(), AllFinite);
}

}  // namespace

TEST(FiniteNumbers, TheObjReaderRepairsNumbersThatAreNotFinite) {
    TempFolder folder;
    folder.Write("a.mtl", "newmtl m\nKd nan inf 1\nNs 1e400\nd -inf\nKa 3e38 3e38 -3e38\n");
    const auto obj = folder.Write("a.obj",
                                  "mtllib a.mtl\nv nan nan nan\nv inf 1e400 -inf\nv 0 1 0\n"
                                  "vt nan 1e400\nvt 0 0\nvt 1 1\nusemtl m\nf 1/1 2/2 3/3\n");
    const BoundedRun info = RunWithinBounds({"info", obj, "--json", "--geometry"}, "nan");
    ASSERT_EQ(info.status, 0) << info.err;
    const nlohmann::json scene = nlohmann::json::parse(info.out);
    EXPECT_EQ(scene["repairs"], 6 + 2 + 4);  // vertices, texture coordinates, library
    EXPECT_TRUE(AllFinite(scene)) << info.out;
}

TEST(FiniteNumbers, NoWriterPutsOutANumberThatIsNotFinite) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(1));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    scene.models[0].vertices[0] = CVector(nan, inf, -inf);
    scene.models[0].faces[0].uvs = {{nan, inf}, {0, 0}, {1, 1}, {1, 0}};
    CMaterial& m = scene.materials[0];
    m.red = nan;
    m.diffuse = inf;
    m.power = -inf;
    m.specular = 3e38f;
    m.emissive = 3e38f;
    const auto text = [](const std::string& s) {
        return s.find("nan") == std::string::npos && s.find("inf") == std::string::npos;
    };
    EXPECT_TRUE(text(FormatMQO(scene))) << FormatMQO(scene);
    EXPECT_TRUE(text(FormatObj(scene, "a.mtl"))) << FormatObj(scene, "a.mtl");
    EXPECT_TRUE(text(FormatMaterialLibrary(scene))) << FormatMaterialLibrary(scene);

    const std::vector<std::uint8_t> stl = FormatStl(scene);
    for (std::size_t at = 84; at + 50 <= stl.size(); at += 50) {
        for (int k = 0; k < 12; ++k) {
            float value;
            std::memcpy(&value, &stl[at + 4 * static_cast<std::size_t>(k)], sizeof value);
            EXPECT_TRUE(std::isfinite(value)) << "STL triangle at " << at << ", number " << k;
        }
    }
    const std::vector<std::uint8_t> glb = FormatGlb(scene);
    std::uint32_t jsonLength = 0;
    std::memcpy(&jsonLength, &glb[12], 4);
    const nlohmann::json gltf =
        nlohmann::json::parse(glb.begin() + 20, glb.begin() + 20 + jsonLength);
    EXPECT_TRUE(AllFinite(gltf)) << gltf.dump();
}
