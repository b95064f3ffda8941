#include "samples/sample_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "scene/cp932.h"

namespace {

constexpr int kWood = 0;
constexpr int kRed = 1;
constexpr int kGlass = 2;
constexpr int kWhite = 3;

CMaterial Material(CCentigrade& scene, const char* utf8Name, float r, float g, float b) {
    CMaterial m(scene.materialSerial++);
    m.name = Utf8ToCp932(utf8Name);
    m.red = r;
    m.green = g;
    m.blue = b;
    return m;
}

// Adds a face whose corners run so that its normal, (P0 - P1) × (P0 - P2),
// points towards `inside`: the view shows a face from the side its normal
// points away from, so the face is seen from outside.
void AddFace(CModel& model, std::initializer_list<int> corners, int material,
             const CVector& inside) {
    CFace f;
    f.indices = corners;
    const CVector& p0 = model.vertices[static_cast<std::size_t>(f.indices[0])];
    const CVector& p1 = model.vertices[static_cast<std::size_t>(f.indices[1])];
    const CVector& p2 = model.vertices[static_cast<std::size_t>(f.indices[2])];
    CVector normal;
    normal.Cross(p0 - p1, p0 - p2);
    if (CVector::Dot(normal, p0 - inside) > 0) {
        std::reverse(f.indices.begin(), f.indices.end());
    }
    f.edgeSelected.resize(f.indices.size(), false);
    f.material = material;
    model.faces.push_back(f);
}

CModel Object(CCentigrade& scene, const char* utf8Name, float facet) {
    CModel m;
    m.id = ++scene.modelSerial;
    m.name = Utf8ToCp932(utf8Name);
    m.facet = facet;
    return m;
}

// A 4 × 4 grid of quads, 800 wide, facing up, the texture repeated twice.
CModel Floor(CCentigrade& scene) {
    CModel m = Object(scene, "床", 59.5f);
    constexpr int kCells = 4;
    constexpr float kSize = 800.0f;
    for (int z = 0; z <= kCells; ++z) {
        for (int x = 0; x <= kCells; ++x) {
            m.vertices.emplace_back(kSize * (static_cast<float>(x) / kCells - 0.5f), 0.0f,
                                    kSize * (static_cast<float>(z) / kCells - 0.5f));
        }
    }
    const CVector below(0, -1, 0);
    for (int z = 0; z < kCells; ++z) {
        for (int x = 0; x < kCells; ++x) {
            const int v = z * (kCells + 1) + x;
            AddFace(m, {v, v + kCells + 1, v + kCells + 2, v + 1}, kWood, below);
            CFace& f = m.faces.back();
            for (int corner : f.indices) {
                const int cx = corner % (kCells + 1);
                const int cz = corner / (kCells + 1);
                f.uvs.push_back(CUV{2.0f * static_cast<float>(cx) / kCells,
                                    2.0f * static_cast<float>(cz) / kCells});
            }
        }
    }
    return m;
}

// Sixteen quads around, closed by triangle fans: smooth sides, sharp rims.
CModel Pillar(CCentigrade& scene) {
    CModel m = Object(scene, "柱", 59.5f);
    constexpr int kAround = 16;
    constexpr float kRadius = 40.0f;
    constexpr float kHeight = 300.0f;
    const CVector centre(-200, kHeight / 2, -200);
    for (int ring = 0; ring < 2; ++ring) {
        for (int a = 0; a < kAround; ++a) {
            const double angle = 2.0 * 3.14159265358979 * a / kAround;
            m.vertices.emplace_back(centre.x + kRadius * static_cast<float>(std::cos(angle)),
                                    kHeight * static_cast<float>(ring),
                                    centre.z + kRadius * static_cast<float>(std::sin(angle)));
        }
    }
    const int bottomCentre = static_cast<int>(m.vertices.size());
    m.vertices.emplace_back(centre.x, 0.0f, centre.z);
    m.vertices.emplace_back(centre.x, kHeight, centre.z);
    for (int a = 0; a < kAround; ++a) {
        const int b = (a + 1) % kAround;
        AddFace(m, {a, b, kAround + b, kAround + a}, kRed, centre);
        AddFace(m, {bottomCentre, b, a}, kRed, centre);
        AddFace(m, {bottomCentre + 1, kAround + a, kAround + b}, kRed, centre);
    }
    return m;
}

// A cube whose right-angled edges stay sharp under any smoothing angle below 90.
CModel Box(CCentigrade& scene) {
    CModel m = Object(scene, "箱", 30.0f);
    const CVector centre(180, 80, 120);
    for (int i = 0; i < 8; ++i) {
        m.vertices.emplace_back(centre.x + (i & 1 ? 80.0f : -80.0f),
                                centre.y + (i & 2 ? 80.0f : -80.0f),
                                centre.z + (i & 4 ? 80.0f : -80.0f));
    }
    for (const auto& q : {std::initializer_list<int>{0, 2, 3, 1},
                          {4, 5, 7, 6},
                          {0, 1, 5, 4},
                          {2, 6, 7, 3},
                          {0, 4, 6, 2},
                          {1, 3, 7, 5}}) {
        AddFace(m, q, kWhite, centre);
    }
    return m;
}

// A square pyramid of glass over the box: four triangles and a quad base.
CModel Roof(CCentigrade& scene) {
    CModel m = Object(scene, "屋根", 59.5f);
    const CVector centre(180, 200, 120);
    m.vertices = {CVector(80, 160, 20), CVector(280, 160, 20), CVector(280, 160, 220),
                  CVector(80, 160, 220), CVector(180, 280, 120)};
    for (int i = 0; i < 4; ++i) {
        AddFace(m, {i, (i + 1) % 4, 4}, kGlass, centre);
    }
    AddFace(m, {0, 1, 2, 3}, kGlass, centre);
    return m;
}

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

}  // namespace

CCentigrade MakeSampleScene() {
    CCentigrade scene;
    CMaterial wood = Material(scene, "木目", 1.0f, 1.0f, 1.0f);
    wood.texture = kSampleTextureName;
    CMaterial red = Material(scene, "赤", 0.85f, 0.15f, 0.1f);
    red.specular = 0.6f;
    red.power = 30.0f;
    CMaterial glass = Material(scene, "ガラス", 0.6f, 0.8f, 1.0f);
    glass.alpha = 0.4f;
    glass.specular = 0.8f;
    glass.power = 50.0f;
    CMaterial white = Material(scene, "白", 0.9f, 0.9f, 0.88f);
    white.ambient = 0.4f;
    scene.materials = {wood, red, glass, white};
    scene.models.push_back(Floor(scene));
    scene.models.push_back(Pillar(scene));
    scene.models.push_back(Box(scene));
    scene.models.push_back(Roof(scene));
    scene.UpdateAllColors();
    // Small enough that the whole floor fits the default view.
    scene.zoom = 35.0f;
    return scene;
}

std::string SampleTextureBmp() {
    constexpr int kSide = 64;
    constexpr std::uint32_t kPixelBytes = kSide * kSide * 3;
    std::string bmp = "BM";
    PutLittleEndian(bmp, 54 + kPixelBytes, 4);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, 54, 4);
    PutLittleEndian(bmp, 40, 4);
    PutLittleEndian(bmp, kSide, 4);
    PutLittleEndian(bmp, kSide, 4);
    PutLittleEndian(bmp, 1, 2);
    PutLittleEndian(bmp, 24, 2);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, kPixelBytes, 4);
    PutLittleEndian(bmp, 2835, 4);
    PutLittleEndian(bmp, 2835, 4);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, 0, 4);
    // Bands of grain that wave along the board, with a little fibre noise;
    // integer arithmetic, so that every build writes the same bytes.
    auto triangle = [](int x, int period, int amplitude) {
        const int phase = x % period;
        return amplitude * std::abs(2 * phase - period) / period;
    };
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int wave = triangle(x, 64, 6) + triangle(x + 5, 21, 2);
            const int ring = (y + wave) % 16;
            const int dark = ring < 2 ? 45 : ring < 4 ? 25 : ring < 6 ? 10 : 0;
            const int fibre = (x * 7 + y * 13 + (x * y) % 7) % 9;
            bmp += static_cast<char>(55 - dark / 2 + fibre);   // blue
            bmp += static_cast<char>(115 - dark + fibre);      // green
            bmp += static_cast<char>(175 - dark + 2 * fibre);  // red
        }
    }
    return bmp;
}
