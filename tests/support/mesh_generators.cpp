#include "support/mesh_generators.h"

#include <cmath>

namespace {

CFace Quad(int a, int b, int c, int d) {
    CFace f;
    f.indices = {a, b, c, d};
    f.edgeSelected.resize(4, false);
    return f;
}

}  // namespace

CModel MakeQuadGrid(int cells, float cellSize) {
    CModel m;
    m.name = "grid";
    const int side = cells + 1;
    const float origin = -0.5f * static_cast<float>(cells) * cellSize;
    m.vertices.reserve(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int z = 0; z < side; ++z) {
        for (int x = 0; x < side; ++x) {
            m.vertices.emplace_back(origin + static_cast<float>(x) * cellSize, 0.0f,
                                    origin + static_cast<float>(z) * cellSize);
        }
    }
    m.faces.reserve(static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells));
    for (int z = 0; z < cells; ++z) {
        for (int x = 0; x < cells; ++x) {
            const int v = z * side + x;
            m.faces.push_back(Quad(v, v + side, v + side + 1, v + 1));
        }
    }
    return m;
}

CModel MakeCylinder(int around, int rings, float radius, float height) {
    CModel m;
    m.name = "cylinder";
    for (int r = 0; r <= rings; ++r) {
        const float y = height * static_cast<float>(r) / static_cast<float>(rings);
        for (int a = 0; a < around; ++a) {
            const double angle = 2.0 * 3.14159265358979 * a / around;
            m.vertices.emplace_back(radius * static_cast<float>(std::cos(angle)), y,
                                    radius * static_cast<float>(std::sin(angle)));
        }
    }
    for (int r = 0; r < rings; ++r) {
        for (int a = 0; a < around; ++a) {
            const int a1 = (a + 1) % around;
            m.faces.push_back(Quad(r * around + a, r * around + a1, (r + 1) * around + a1,
                                   (r + 1) * around + a));
        }
    }
    return m;
}

CModel MakeCube(float size) {
    CModel m;
    m.name = "cube";
    const float h = size / 2;
    for (int i = 0; i < 8; ++i) {
        m.vertices.emplace_back(i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h);
    }
    // Each quad's first three corners give an outward normal through a := P0 - P1,
    // b := P0 - P2, n := a × b.
    const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : quads) {
        m.faces.push_back(Quad(q[0], q[1], q[2], q[3]));
    }
    return m;
}

CCentigrade MakeSceneWith(CModel model) {
    CCentigrade scene;
    model.id = ++scene.modelSerial;
    scene.models.push_back(std::move(model));
    scene.materials.emplace_back(scene.materialSerial++);
    return scene;
}
