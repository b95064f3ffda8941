#include "test_meshes.h"

#include <cmath>
#include <numbers>

#include "face_builder.h"
#include "support/mesh_generators.h"

CModel Fin() {
    CModel m;
    m.vertices.emplace_back(0.0f, 0.0f, 0.0f);
    m.vertices.emplace_back(0.0f, 1.0f, 0.0f);
    for (int wing = 0; wing < 3; ++wing) {
        const int base = static_cast<int>(m.vertices.size());
        for (int step = 1; step <= 3; ++step) {
            m.vertices.emplace_back(static_cast<float>(step), 0.0f, static_cast<float>(wing));
            m.vertices.emplace_back(static_cast<float>(step), 1.0f, static_cast<float>(wing));
        }
        m.faces.push_back(MakeFace({0, 1, base + 1, base}));
        m.faces.push_back(MakeFace({base, base + 1, base + 3, base + 2}));
        m.faces.push_back(MakeFace({base + 2, base + 3, base + 5, base + 4}));
    }
    return m;
}

CModel CappedCylinder(int around, int rings) {
    CModel m = MakeCylinder(around, rings, 10, 10);
    const int bottom = static_cast<int>(m.vertices.size());
    m.vertices.emplace_back(0.0f, 0.0f, 0.0f);
    m.vertices.emplace_back(0.0f, 10.0f, 0.0f);
    const int top = bottom + 1;
    const int last = rings * around;
    for (int a = 0; a < around; ++a) {
        m.faces.push_back(MakeFace({bottom, (a + 1) % around, a}));
    }
    for (int a = 0; a < around; ++a) {
        m.faces.push_back(MakeFace({top, last + a, last + (a + 1) % around}));
    }
    return m;
}

CModel UvSphere(int around, int bands) {
    CModel m;
    m.vertices.emplace_back(0.0f, 10.0f, 0.0f);
    for (int i = 1; i < bands; ++i) {
        const double polar = std::numbers::pi * i / bands;
        for (int a = 0; a < around; ++a) {
            const double azimuth = 2 * std::numbers::pi * a / around;
            m.vertices.emplace_back(static_cast<float>(10 * std::sin(polar) * std::cos(azimuth)),
                                    static_cast<float>(10 * std::cos(polar)),
                                    static_cast<float>(10 * std::sin(polar) * std::sin(azimuth)));
        }
    }
    const int south = static_cast<int>(m.vertices.size());
    m.vertices.emplace_back(0.0f, -10.0f, 0.0f);
    const auto ring = [around](int i, int a) { return 1 + (i - 1) * around + a % around; };
    for (int a = 0; a < around; ++a) {
        m.faces.push_back(MakeFace({0, ring(1, a + 1), ring(1, a)}));
    }
    for (int i = 1; i + 1 < bands; ++i) {
        for (int a = 0; a < around; ++a) {
            m.faces.push_back(
                MakeFace({ring(i, a), ring(i, a + 1), ring(i + 1, a + 1), ring(i + 1, a)}));
        }
    }
    for (int a = 0; a < around; ++a) {
        m.faces.push_back(MakeFace({south, ring(bands - 1, a), ring(bands - 1, a + 1)}));
    }
    return m;
}

CModel GridWithSplitQuad() {
    CModel m = MakeQuadGrid(3);
    m.faces[4] = MakeFace({5, 9, 10});
    m.faces.push_back(MakeFace({5, 10, 6}));
    return m;
}

CModel Bowtie() {
    CModel m;
    const float points[7][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {-1, 0}, {-1, -1}, {0, -1}};
    for (const auto& p : points) {
        m.vertices.emplace_back(p[0], 0.0f, p[1]);
    }
    m.faces.push_back(MakeFace({0, 1, 2, 3}));
    m.faces.push_back(MakeFace({0, 4, 5, 6}));
    return m;
}

CModel RandomMesh(std::mt19937& random) {
    std::uniform_int_distribution<int> vertex(0, 9);
    std::uniform_int_distribution<int> corners(2, 4);
    CModel m;
    for (int i = 0; i < 10; ++i) {
        m.vertices.emplace_back(static_cast<float>(i), 0.0f, 0.0f);
    }
    for (int i = 0; i < 16; ++i) {
        CFace f;
        const int n = corners(random);
        for (int c = 0; c < n; ++c) {
            f.indices.push_back(vertex(random));
        }
        f.edgeSelected.resize(f.indices.size(), false);
        m.faces.push_back(f);
    }
    return m;
}
