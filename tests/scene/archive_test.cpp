// The byte layout of native documents, and the reader's refusal of damage.
#include "scene/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "scene/centigrade.h"
#include "support/mesh_generators.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Write(const CCentigrade& scene) {
    ArchiveWriter writer;
    scene.Serialize(writer);
    return writer.Bytes();
}

CCentigrade Read(const Bytes& bytes, int* repairs = nullptr) {
    CCentigrade scene;
    ArchiveReader reader{std::span(bytes)};
    int r = scene.Serialize(reader);
    if (repairs) {
        *repairs = r;
    }
    return scene;
}

Bytes StringBytes(const std::string& s) {
    ArchiveWriter writer;
    writer.WriteString(s);
    return writer.Bytes();
}

void AppendInt(Bytes& b, std::int32_t v) {
    const auto* p = reinterpret_cast<const unsigned char*>(&v);
    b.insert(b.end(), p, p + 4);
}

CModel Triangle() {
    CModel m;
    m.id = 1;
    m.name = "tri";
    m.vertices = {CVector(0, 0, 0), CVector(1, 0, 0), CVector(0, 1, 0)};
    CFace f;
    f.indices = {0, 1, 2};
    f.edgeSelected.resize(3, false);
    m.faces.push_back(f);
    return m;
}

// Hands the bytes out in pieces of at most `piece`, as reads of a file do, and
// runs dry at `endsAt`, as a file cut short while it is read does.
class PieceSource : public ArchiveSource {
public:
    PieceSource(const Bytes& bytes, std::size_t piece, std::size_t endsAt)
        : bytes_(bytes), piece_(piece), endsAt_(endsAt) {}

    std::size_t Read(unsigned char* out, std::size_t size) override {
        const std::size_t n = std::min({size, piece_, endsAt_ - at_});
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    const Bytes& bytes_;
    std::size_t piece_;
    std::size_t endsAt_;
    std::size_t at_ = 0;
};

// Records and strings both shorter and longer than the reader's buffer.
CCentigrade SceneOfAllSizes() {
    CCentigrade scene;
    scene.models.push_back(Triangle());
    CModel grid = MakeQuadGrid(200);
    grid.name = std::string(300000, 'g');
    grid.faces[7].uvs = {{0.5f, 0.25f}, {1, 0}, {0, 1}, {1, 1}};
    scene.models.push_back(grid);
    CMaterial material(0);
    material.texture = std::string(70000, 't');
    scene.materials.push_back(material);
    return scene;
}

}  // namespace

TEST(ArchiveLayout, EmptySceneIsSixtyBytes) {
    const Bytes expected = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,              // counts and serials
        1, 0, 0, 0, 0x00, 0x00, 0xC8, 0x42,                          // smooth 1, zoom 100
        0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0xFA, 0xC4,              // position (0, 0,
                                                                     // -2000)
        0x00, 0x00, 0xA0, 0x41, 0x00, 0x00, 0x48, 0xC2, 0, 0, 0, 0,  // rotation (20, -50,
                                                                     // 0)
        0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x80, 0x3F,  // scale 1
    };
    EXPECT_EQ(Write(CCentigrade()), expected);
}

TEST(ArchiveLayout, StringPrefixesGrowWithTheLength) {
    Bytes noMaterial = StringBytes("NoMaterial");
    ASSERT_EQ(noMaterial.size(), 11u);
    EXPECT_EQ(noMaterial[0], 0x0A);
    EXPECT_EQ(StringBytes(""), Bytes{0x00});

    Bytes long300 = StringBytes(std::string(300, 'a'));
    ASSERT_EQ(long300.size(), 303u);
    EXPECT_EQ(Bytes(long300.begin(), long300.begin() + 3), (Bytes{0xFF, 0x2C, 0x01}));

    Bytes exactly255 = StringBytes(std::string(255, 'b'));
    EXPECT_EQ(Bytes(exactly255.begin(), exactly255.begin() + 3), (Bytes{0xFF, 0xFF, 0x00}));

    Bytes huge = StringBytes(std::string(0x10000, 'c'));
    EXPECT_EQ(Bytes(huge.begin(), huge.begin() + 7),
              (Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    for (const std::string& s : {std::string(), std::string(254, 'x'), std::string(255, 'x'),
                                 std::string(0xFFFE, 'y'), std::string(0x10000, 'z')}) {
        Bytes b = StringBytes(s);
        ArchiveReader reader{std::span(b)};
        EXPECT_EQ(reader.ReadString(), s);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(ArchiveLayout, WideStringsAreReadAsCp932) {
    // 0xFF 0xFFFE marks UTF-16LE; then the length prefix starts again.
    Bytes b = {0xFF, 0xFE, 0xFF, 3, 'A', 0, 0xDE, 0x30, 0xFF, 0xFF};  // "A", "マ", U+FFFF
    ArchiveReader reader{std::span(b)};
    EXPECT_EQ(reader.ReadString(), "A\x83\x7D?");
    EXPECT_EQ(reader.ReplacedCharacters(), 1);
}

TEST(ArchiveLayout, TriangleFaceTakesThirtySixBytes) {
    CCentigrade scene;
    scene.models.push_back(Triangle());
    CCentigrade withoutFace = scene;
    withoutFace.models[0].faces.clear();
    EXPECT_EQ(Write(scene).size() - Write(withoutFace).size(), 36u);
}

TEST(ArchiveRoundTrip, KeepsStoredFieldsAndDropsDerivedOnes) {
    CCentigrade scene;
    scene.modelSerial = 7;
    scene.materialSerial = 3;
    scene.smooth = 0;
    scene.zoom = 42.5f;
    scene.camera.position = CVector(1, 2, 3);
    scene.camera.scale = CVector(4, 5, 6);
    CModel m = Triangle();
    m.facet = 12.25f;
    m.mirrorAxis = 5;
    m.state = 2;
    m.vertices[1].selected = true;
    m.vertices[2].used = false;
    m.faces[0].selected = true;
    m.faces[0].SetEdgeSelected(1, true);
    m.faces[0].material = 2;
    m.faces[0].uvs = {{0.5f, 0.25f}, {1, 0}, {0, 1}};
    m.faces[0].normal = CVector(0, 0, 1);
    scene.models.push_back(m);
    CMaterial mat(2);
    mat.name = "\x83\x7D";  // マ, whose trail byte is '}'
    mat.red = 0.1f;
    mat.power = 30;
    mat.texture = "sub\\wood.bmp";
    mat.alphaPlane = "a.bmp";
    mat.bump = "b.bmp";
    scene.materials.push_back(mat);

    const Bytes bytes = Write(scene);
    CCentigrade back = Read(bytes);
    EXPECT_EQ(Write(back), bytes);

    const CModel& bm = back.models.at(0);
    EXPECT_EQ(bm.state, 2);
    EXPECT_EQ(bm.mirrorAxis, 5);
    EXPECT_FALSE(bm.vertices[1].selected);
    EXPECT_TRUE(bm.vertices[2].used);
    EXPECT_FALSE(bm.faces[0].selected);
    ASSERT_EQ(bm.faces[0].edgeSelected.size(), 3u);
    EXPECT_FALSE(bm.faces[0].IsEdgeSelected(1));
    EXPECT_EQ(bm.faces[0].uvs[0].v, 0.25f);
    EXPECT_EQ(back.materials.at(0).name, "\x83\x7D");
    EXPECT_EQ(back.materials.at(0).texture, "sub\\wood.bmp");
    EXPECT_EQ(back.camera.scale.z, 6.0f);
    EXPECT_EQ(back.zoom, 42.5f);
}

TEST(ArchiveDamage, EveryTruncationIsRefused) {
    CCentigrade scene;
    scene.models.push_back(Triangle());
    scene.materials.emplace_back(0);
    const Bytes bytes = Write(scene);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(Read(cut), DocumentError) << "length " << length;
    }
}

TEST(ArchiveDamage, HugeCountsAreRefusedBeforeAllocating) {
    Bytes header;
    AppendInt(header, 0x7FFFFFFF);
    AppendInt(header, 0);
    try {
        Read(header);
        FAIL() << "a 2-billion-object header was accepted";
    } catch (const DocumentError& e) {
        EXPECT_NE(std::string(e.what()).find("2147483647 objects"), std::string::npos) << e.what();
    }

    CCentigrade scene;
    scene.models.push_back(Triangle());
    Bytes bytes = Write(scene);
    // The vertex count of the first object sits after its id and 4-byte name.
    const std::size_t vertexCountAt = 24 + 4 + 4;
    for (std::int32_t bad : {-1, 0x7FFFFFFF, 1 << 28}) {
        Bytes damaged = bytes;
        std::memcpy(&damaged[vertexCountAt], &bad, 4);
        EXPECT_THROW(Read(damaged), DocumentError) << bad;
    }
    // The index count of the face: a negative or absurd count must not resize.
    const std::size_t indexCountAt = vertexCountAt + 5 * 4 + 3 * 12 + 12 + 4;
    for (std::int32_t bad : {-5, 0x40000000}) {
        Bytes damaged = bytes;
        std::memcpy(&damaged[indexCountAt], &bad, 4);
        EXPECT_THROW(Read(damaged), DocumentError) << bad;
    }
}

TEST(ArchiveRepair, FacesBreakingTheInvariantsAreRepaired) {
    CCentigrade scene;
    CModel m = Triangle();
    CFace outOfRange;
    outOfRange.indices = {0, 1, 3};
    CFace negative;
    negative.indices = {0, -1};
    CFace fiveCorners;
    fiveCorners.indices = {0, 1, 2, 0, 1};
    CFace oneCorner;
    oneCorner.indices = {2};
    CFace badUvs;
    badUvs.indices = {0, 1, 2};
    badUvs.uvs.resize(2);
    CFace line;
    line.indices = {1, 2};
    for (const CFace& f : {outOfRange, negative, fiveCorners, oneCorner, badUvs, line}) {
        m.faces.push_back(f);
    }
    scene.models.push_back(m);

    int repairs = 0;
    CCentigrade back = Read(Write(scene), &repairs);
    EXPECT_EQ(repairs, 5);
    const auto& faces = back.models[0].faces;
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[1].indices.size(), 3u);
    EXPECT_TRUE(faces[1].uvs.empty());
    EXPECT_EQ(faces[2].indices.size(), 2u);
}

TEST(ArchiveRepair, NonFiniteNumbersBecomeZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    CCentigrade scene;
    CModel m = Triangle();
    m.vertices[1] = CVector(nan, 2, -inf);
    m.faces[0].uvs.resize(3);
    m.faces[0].uvs[2].u = inf;
    scene.models.push_back(m);
    CMaterial material;
    material.diffuse = nan;
    scene.materials.push_back(material);

    int repairs = 0;
    const CCentigrade back = Read(Write(scene), &repairs);
    EXPECT_EQ(repairs, 4);
    const CVector& v = back.models[0].vertices[1];
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 0.0f);
    EXPECT_EQ(back.models[0].faces[0].uvs[2].u, 0.0f);
    EXPECT_EQ(back.materials[0].diffuse, 0.0f);
}

TEST(ArchiveSource, ReadsWhatMemoryReadsWhateverThePieces) {
    const Bytes bytes = Write(SceneOfAllSizes());
    for (std::size_t piece :
         {std::size_t{1}, std::size_t{3}, std::size_t{4096}, std::size_t{1} << 20, bytes.size()}) {
        PieceSource source(bytes, piece, bytes.size());
        ArchiveReader reader(source, bytes.size());
        CCentigrade back;
        back.Serialize(reader);
        EXPECT_EQ(reader.Remaining(), 0u) << piece;
        EXPECT_TRUE(Write(back) == bytes) << piece;
    }
}

TEST(ArchiveSource, ASourceThatRunsDryIsATruncatedDocument) {
    const Bytes bytes = Write(SceneOfAllSizes());
    for (std::size_t endsAt :
         {std::size_t{0}, std::size_t{10}, bytes.size() / 2, bytes.size() - 1}) {
        PieceSource source(bytes, 1 << 16, endsAt);
        ArchiveReader reader(source, bytes.size());
        CCentigrade scene;
        EXPECT_THROW(scene.Serialize(reader), DocumentEndOfFile) << endsAt;
        EXPECT_TRUE(scene.models.empty());
    }
}
