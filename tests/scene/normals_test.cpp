// Face and corner normals under the smoothing angle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>

#include "scene/centigrade.h"
#include "scene/smoothing_threshold.h"
#include "support/mesh_generators.h"

namespace {

// The computation step by step with an arccos per neighbouring pair, as the
// fast path must reproduce exactly.
struct ReferenceCorner {
    std::vector<int> faces;
    CVector normal;
};

std::vector<std::vector<ReferenceCorner>> ReferenceNormals(const CModel& m) {
    const float t = m.facet / 360.0f * 6.2831855f;
    std::vector<std::vector<int>> around(m.vertices.size());
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        for (int v : m.faces[r].indices) {
            around[static_cast<std::size_t>(v)].push_back(static_cast<int>(r));
        }
    }
    std::vector<CVector> normals(m.faces.size());
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        const CFace& f = m.faces[r];
        if (f.indices.size() > 2) {
            CVector a = m.vertices[static_cast<std::size_t>(f.indices[0])];
            CVector b = a;
            a -= m.vertices[static_cast<std::size_t>(f.indices[1])];
            b -= m.vertices[static_cast<std::size_t>(f.indices[2])];
            normals[r].Cross(a, b);
            normals[r].Normalize();
        } else {
            normals[r] = f.normal;
        }
    }
    std::vector<std::vector<ReferenceCorner>> result(m.faces.size());
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        for (int v : m.faces[r].indices) {
            ReferenceCorner corner;
            if (m.vertices[static_cast<std::size_t>(v)].used) {
                for (int a : around[static_cast<std::size_t>(v)]) {
                    if (a == static_cast<int>(r)) {
                        corner.faces.push_back(a);
                        continue;
                    }
                    float d = normals[r].x * normals[static_cast<std::size_t>(a)].x +
                              normals[r].y * normals[static_cast<std::size_t>(a)].y +
                              normals[r].z * normals[static_cast<std::size_t>(a)].z;
                    d = std::fmax(-1.0f, std::fmin(1.0f, d));
                    float angle = static_cast<float>(std::acos(static_cast<double>(d)));
                    if (angle < t) {
                        corner.faces.push_back(a);
                    }
                }
            }
            for (int a : corner.faces) {
                corner.normal += normals[static_cast<std::size_t>(a)];
            }
            corner.normal.Normalize();
            result[r].push_back(corner);
        }
    }
    return result;
}

void ExpectSameAsReference(const CModel& m) {
    const auto reference = ReferenceNormals(m);
    for (std::size_t r = 0; r < m.faces.size(); ++r) {
        const CFace& f = m.faces[r];
        ASSERT_TRUE(m.HasCornerNormals(r));
        for (std::size_t c = 0; c < f.indices.size(); ++c) {
            const ReferenceCorner& want = reference[r][c];
            ASSERT_EQ(m.CornerFaces(r, c), want.faces) << "face " << r << " corner " << c;
            const CVector got = m.CornerNormal(r, c);
            ASSERT_TRUE(got.x == want.normal.x && got.y == want.normal.y && got.z == want.normal.z)
                << "face " << r << " corner " << c;
        }
    }
}

// Two triangles sharing the edge (0,0,0)-(0,0,1) whose normals differ by `degrees`.
CModel Fold(float degrees, float facet) {
    CModel m;
    m.facet = facet;
    const double a = degrees * 3.14159265358979 / 180.0;
    m.vertices = {CVector(0, 0, 0), CVector(0, 0, 1), CVector(-1, 0, 0),
                  CVector(static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a)), 0)};
    CFace left;
    left.indices = {0, 2, 1};
    CFace right;
    right.indices = {0, 1, 3};
    m.faces = {left, right};
    return m;
}

CFace Face(std::initializer_list<int> indices) {
    CFace f;
    f.indices = indices;
    return f;
}

// A sphere of quads with a fan of triangles at each pole, some faces cut away
// (borders), a triangle of collinear corners, a quad using a vertex twice,
// lines, an unused vertex, copies of one triangle, and a fan whose centre has
// `fan` triangles (flat, a cone, or of random heights) and half as many lines
// around it.
CModel RandomMesh(std::mt19937& random, int fan) {
    std::uniform_real_distribution<float> jitter(-0.05f, 0.05f);
    CModel m;
    const int rings = 4 + static_cast<int>(random() % 4);
    const int around = 5 + static_cast<int>(random() % 6);
    m.vertices.push_back(CVector(0, 1, 0));
    for (int r = 1; r < rings; ++r) {
        const double polar = 3.14159265 * r / rings;
        for (int a = 0; a < around; ++a) {
            const double azimuth = 6.2831853 * a / around;
            m.vertices.push_back(
                CVector(static_cast<float>(std::sin(polar) * std::cos(azimuth)) + jitter(random),
                        static_cast<float>(std::cos(polar)) + jitter(random),
                        static_cast<float>(std::sin(polar) * std::sin(azimuth))));
        }
    }
    const int bottom = static_cast<int>(m.vertices.size());
    m.vertices.push_back(CVector(0, -1, 0));
    const auto ring = [around](int r, int a) { return 1 + (r - 1) * around + a % around; };
    for (int a = 0; a < around; ++a) {
        m.faces.push_back(Face({0, ring(1, a + 1), ring(1, a)}));
        m.faces.push_back(Face({bottom, ring(rings - 1, a), ring(rings - 1, a + 1)}));
        for (int r = 1; r + 1 < rings; ++r) {
            if (random() % 8 != 0) {
                m.faces.push_back(
                    Face({ring(r, a), ring(r, a + 1), ring(r + 1, a + 1), ring(r + 1, a)}));
            }
        }
    }
    const int line = static_cast<int>(m.vertices.size());
    m.vertices.insert(m.vertices.end(), {CVector(2, 0, 0), CVector(3, 0, 0), CVector(4, 0, 0)});
    m.faces.push_back(Face({line, line + 1, line + 2}));
    m.faces.push_back(Face({line, line + 1}));
    m.faces.push_back(Face({0, ring(1, 0), ring(1, 1), 0}));
    m.faces.push_back(Face({ring(2, 0), 0}));
    for (int copy = 0; copy < 70; ++copy) {
        m.faces.push_back(m.faces[1]);
    }
    m.vertices.push_back(CVector(9, 9, 9));
    m.vertices.back().used = false;
    m.faces.push_back(Face({static_cast<int>(m.vertices.size()) - 1, line}));

    const int centre = static_cast<int>(m.vertices.size());
    const int shape = static_cast<int>(random() % 3);
    std::uniform_real_distribution<float> height(-0.3f, 0.3f);
    m.vertices.push_back(CVector(0, 3, 0));
    for (int k = 0; k < fan; ++k) {
        const double azimuth = 6.2831853 * k / fan;
        const float y = shape == 0 ? 3.0f : shape == 1 ? 2.5f : 3.0f + height(random);
        m.vertices.push_back(CVector(static_cast<float>(std::cos(azimuth)), y,
                                     static_cast<float>(std::sin(azimuth))));
    }
    for (int k = 0; k < fan; ++k) {
        m.faces.push_back(Face({centre, centre + 1 + (k + 1) % fan, centre + 1 + k}));
    }
    // Lines keep the normals they carry: two just below and above unit length,
    // the first of which fails the test against itself under the smallest
    // angles while passing it against the second.
    for (int k = 0; k < fan; k += 2) {
        m.faces.push_back(Face({centre, centre + 1 + k}));
        m.faces.back().normal = k % 6 == 0 ? CVector(0.520572722f, 0.154371694f, 0.839746177f)
                                           : CVector(0.520572662f, 0.154371679f, 0.839746058f);
    }
    std::shuffle(m.faces.begin() + static_cast<std::ptrdiff_t>(m.faces.size() / 2), m.faces.end(),
                 random);
    return m;
}

void ExpectVector(const CVector& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

}  // namespace

TEST(Normals, CubeCornersKeepTheirFaceNormal) {
    CModel cube = MakeCube(2);
    cube.ComputeNormals(1);
    for (std::size_t r = 0; r < cube.faces.size(); ++r) {
        const CFace& f = cube.faces[r];
        const CVector& centre = cube.vertices[static_cast<std::size_t>(f.indices[0])];
        EXPECT_GT(CVector::Dot(f.normal, centre), 0) << "normals point outward";
        for (std::size_t c = 0; c < f.indices.size(); ++c) {
            ASSERT_EQ(cube.CornerFaces(r, c).size(), 1u);
            ExpectVector(cube.CornerNormal(r, c), f.normal.x, f.normal.y, f.normal.z);
        }
    }
    EXPECT_EQ(cube.vertexInfo.size(), 8u);
    EXPECT_EQ(cube.vertexInfo[0].faces.size(), 3u);
}

TEST(Normals, FoldSmoothsOnlyAboveItsAngle) {
    CModel sharp = Fold(60, 59.5f);
    sharp.ComputeNormals(1);
    EXPECT_EQ(sharp.CornerFaces(0, 0).size(), 1u);

    CModel smooth = Fold(60, 60.5f);
    smooth.ComputeNormals(1);
    ASSERT_EQ(smooth.CornerFaces(0, 0).size(), 2u);
    CVector sum = smooth.faces[0].normal;
    sum += smooth.faces[1].normal;
    sum.Normalize();
    ExpectVector(smooth.CornerNormal(0, 0), sum.x, sum.y, sum.z);
    EXPECT_EQ(smooth.CornerFaces(0, 1).size(), 1u) << "corner at the unshared vertex";
}

TEST(Normals, FacetZeroIsFullyFaceted) {
    CModel grid = MakeQuadGrid(3);
    grid.facet = 0;
    grid.ComputeNormals(1);
    for (std::size_t r = 0; r < grid.faces.size(); ++r) {
        for (std::size_t c = 0; c < grid.faces[r].indices.size(); ++c) {
            EXPECT_EQ(grid.CornerFaces(r, c).size(), 1u);
        }
    }
}

TEST(Normals, CoplanarNeighboursAreNeverLeftOutByRounding) {
    // A tilted plane: the face normals agree only up to rounding, and some dot
    // products land just above 1.
    CModel grid = MakeQuadGrid(30);
    for (CVector& v : grid.vertices) {
        const float y = 0.3f * v.x + 0.7f * v.z;
        v = CVector(v.x * 0.9f, y, v.z * 1.1f + 0.2f * v.x);
    }
    grid.facet = 0.5f;
    grid.ComputeNormals(1);
    const std::size_t centre = 15 * 31 + 15;
    for (int faceIndex : grid.vertexInfo[centre].faces) {
        const CFace& f = grid.faces[static_cast<std::size_t>(faceIndex)];
        for (std::size_t c = 0; c < f.indices.size(); ++c) {
            if (static_cast<std::size_t>(f.indices[c]) == centre) {
                EXPECT_EQ(grid.CornerFaces(static_cast<std::size_t>(faceIndex), c).size(), 4u);
            }
        }
    }
}

TEST(Normals, DegenerateLineAndUnusedCases) {
    CModel m;
    m.facet = 180;
    m.vertices = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(2, 0, 0), CVector(0, 1, 0),
                  CVector(5, 5, 5)};
    CFace collinear;
    collinear.indices = {0, 1, 2};
    CFace line;
    line.indices = {0, 3};
    CFace lonely;
    lonely.indices = {4, 0};
    m.faces = {collinear, line, lonely};
    m.vertices[4].used = false;
    m.ComputeNormals(1);

    ExpectVector(m.faces[0].normal, 0, 0, 1);
    ExpectVector(m.faces[1].normal, 0, 0, 0);
    ASSERT_TRUE(m.HasCornerNormals(1));
    // A line has no normal of its own: its corner sums the neighbours that pass.
    ExpectVector(m.CornerNormal(1, 0), 0, 0, 1);
    EXPECT_TRUE(m.CornerFaces(2, 0).empty());
    ExpectVector(m.CornerNormal(2, 0), 0, 0, 1);
}

TEST(Normals, NonPlanarQuadUsesItsFirstThreeCorners) {
    CModel m;
    m.vertices = {CVector(0, 0, 0), CVector(0, 0, 1), CVector(1, 0, 1), CVector(1, 5, 0)};
    CFace quad;
    quad.indices = {0, 1, 2, 3};
    m.faces = {quad};
    m.ComputeNormals(1);
    ExpectVector(m.faces[0].normal, 0, 1, 0);
}

TEST(Normals, VertexUsedTwiceByOneFaceCountsTwice) {
    CModel m;
    m.vertices = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 0, 1)};
    CFace f;
    f.indices = {0, 1, 2, 0};
    m.faces = {f};
    m.ComputeNormals(1);
    EXPECT_EQ(m.vertexInfo[0].faces.size(), 2u);
    EXPECT_EQ(m.CornerFaces(0, 0).size(), 2u);
}

TEST(Normals, MatchTheStepByStepComputationOnRandomMeshes) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> coordinate(-1, 1);
    for (float facet : {0.0f, 1.0f, 10.0f, 59.5f, 89.5f, 90.0f, 135.0f, 180.0f, 181.0f, 360.0f}) {
        CModel m = MakeQuadGrid(12);
        for (CVector& v : m.vertices) {
            v.y = coordinate(random) * 0.4f;
        }
        m.vertices[5].used = false;
        m.facet = facet;
        m.ComputeNormals(1);
        ExpectSameAsReference(m);
    }
}

TEST(Normals, LargeMeshesSplitAcrossThreadsGiveTheSameResult) {
    CModel m = MakeQuadGrid(220);
    std::mt19937 random(99);
    std::uniform_real_distribution<float> height(-0.5f, 0.5f);
    for (CVector& v : m.vertices) {
        v.y = height(random);
    }
    m.ComputeNormals(1);
    ExpectSameAsReference(m);
}

// Moves of runs of vertices, some several before an update, between changes
// of the smoothing angle and moves of unknown extent.
TEST(Normals, UpdatesAfterMovesMatchTheStepByStepComputation) {
    std::mt19937 random(77);
    std::uniform_real_distribution<float> offset(-0.6f, 0.6f);
    CModel m = MakeQuadGrid(30);
    for (CVector& v : m.vertices) {
        v.y = offset(random);
    }
    m.vertices[40].used = false;
    m.ComputeNormals(1);
    for (int step = 0; step < 80; ++step) {
        switch (random() % 6) {
            case 4:
                m.facet = static_cast<float>(random() % 120);
                break;
            case 5:
                m.vertices[random() % m.vertices.size()].x += offset(random);
                m.TouchPositions();
                break;
            default: {
                const std::size_t first = random() % m.vertices.size();
                const std::size_t end = std::min(first + 1 + random() % 100, m.vertices.size());
                for (std::size_t v = first; v < end; ++v) {
                    m.vertices[v].y += offset(random);
                }
                m.TouchPositions(first, end);
                break;
            }
        }
        if (random() % 3 != 0) {
            m.UpdateNormals(1);
            ExpectSameAsReference(m);
            ASSERT_FALSE(HasFailure()) << "step " << step;
        }
    }
}

// The packed normals, the faces bucketed around a vertex of high valence and
// the updates after moves against the step-by-step computation.
TEST(Normals, RandomMeshesOfEveryKindMatchTheStepByStepComputation) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> offset(-0.4f, 0.4f);
    const float facets[] = {0.0f, 0.001f, 1.0f, 30.0f, 59.5f, 90.0f, 179.0f, 181.0f};
    for (int trial = 0; trial < 24; ++trial) {
        CModel m = RandomMesh(random, trial % 2 == 0 ? 12 : 100 + static_cast<int>(random() % 80));
        m.facet = facets[static_cast<std::size_t>(trial) % std::size(facets)];
        m.ComputeNormals(1);
        ExpectSameAsReference(m);
        ASSERT_FALSE(HasFailure()) << "trial " << trial;
        for (int step = 0; step < 6; ++step) {
            const std::size_t first = random() % m.vertices.size();
            const std::size_t end = std::min(first + 1 + random() % 4, m.vertices.size());
            for (std::size_t v = first; v < end; ++v) {
                m.vertices[v].x += offset(random);
                m.vertices[v].y += offset(random);
            }
            m.TouchPositions(first, end);
            m.UpdateNormals(1);
            ExpectSameAsReference(m);
            ASSERT_FALSE(HasFailure()) << "trial " << trial << " step " << step;
        }
    }
}

TEST(SmoothingThreshold, MinimumDotIsTheExactBoundary) {
    for (float facet : {0.001f, 1.0f, 30.0f, 59.5f, 60.0f, 89.5f, 90.0f, 179.9f}) {
        const float t = SmoothingRadians(facet);
        const float d = SmoothingMinimumDot(t);
        EXPECT_LT(SmoothingAngle(d), t) << facet;
        EXPECT_GE(SmoothingAngle(std::nextafter(d, -2.0f)), t) << facet;
    }
    EXPECT_EQ(SmoothingMinimumDot(0), std::numeric_limits<float>::infinity());
    EXPECT_EQ(SmoothingMinimumDot(SmoothingRadians(181)), -std::numeric_limits<float>::infinity());
    EXPECT_LT(SmoothingAngle(1.0000001f), SmoothingRadians(0.001f));
}
