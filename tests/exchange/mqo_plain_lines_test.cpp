// The shortcut for plain vertex and face lines must read every line exactly as
// splitting it into tokens does: same values to the bit, same faces dropped,
// same repairs, same result code.
#include "exchange/mqo_plain_lines.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"
#include "test_files.h"

namespace {

using namespace std::string_view_literals;

struct Loaded {
    int result = 0;
    int repairs = 0;
    CCentigrade scene;
};

Loaded Load(const std::string& text, bool shortcut) {
    Loaded loaded;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        fmemopen(const_cast<char*>(text.data()), text.size(), "rb"), &std::fclose);
    LoaderMQO loader(loaded.scene, file.get());
    loader.plainLineShortcut = shortcut;
    loaded.result = loader.Load();
    loaded.repairs = loader.Repairs();
    return loaded;
}

// Bits, so that -0 and 0 differ.
std::vector<std::uint32_t> Bits(const CModel& m) {
    std::vector<std::uint32_t> bits;
    for (const CVector& v : m.vertices) {
        bits.insert(bits.end(),
                    {std::bit_cast<std::uint32_t>(v.x), std::bit_cast<std::uint32_t>(v.y),
                     std::bit_cast<std::uint32_t>(v.z)});
    }
    for (const CFace& f : m.faces) {
        bits.push_back(0xFFFFFFFFu);  // separates the faces
        bits.push_back(static_cast<std::uint32_t>(f.material));
        for (int i : f.indices) {
            bits.push_back(static_cast<std::uint32_t>(i));
        }
        bits.push_back(static_cast<std::uint32_t>(f.edgeSelected.size()));
        for (const CUV& uv : f.uvs) {
            bits.insert(bits.end(),
                        {std::bit_cast<std::uint32_t>(uv.u), std::bit_cast<std::uint32_t>(uv.v)});
        }
    }
    return bits;
}

void ExpectSameReading(const std::string& text) {
    const Loaded split = Load(text, false);
    const Loaded plain = Load(text, true);
    EXPECT_EQ(plain.result, split.result);
    EXPECT_EQ(plain.repairs, split.repairs);
    ASSERT_EQ(plain.scene.models.size(), split.scene.models.size());
    for (std::size_t m = 0; m < split.scene.models.size(); ++m) {
        EXPECT_EQ(Bits(plain.scene.models[m]), Bits(split.scene.models[m]));
    }
}

// An object with `vertexLines` and `faceLines`, each line as given (its own
// line end, if any), the file ending right after the last face line when
// `closed` is false.
std::string Document(const std::string& vertexLines, const std::string& faceLines,
                     bool closed = true) {
    return std::string(kHeader) + "Material 1 {\n\"m\"\n}\nObject \"o\" {\n\tvertex 9 {\n" +
           vertexLines + "\n\t}\n\tface 9 {\n" + faceLines + (closed ? "\n\t}\n}\nEof\n" : "");
}

const std::string_view kOddVertexLines[] = {
    "\t\t1.5 -2.25 3.0\r\n",
    "1 2 3\n",
    "  -0.000000 -0 +0.5\n",
    "1e3 2 3\n",
    "1 2 3e\n",
    "1E-2 2 3\n",
    "0x10 2 3\n",
    "inf nan 1\n",
    "1 2\n",
    "1 2 3 4\n",
    "1 2 3 extra\n",
    "1,2,3\n",
    "1 2 3,\n",
    "1. .5 .\n",
    "- + 3\n",
    "--1 2 3\n",
    "1\t2\t3\t\n",
    "1 2 3\r",
    "1 2\r3\n",
    "1 2 3\rjunk\n",
    "99999999999999999999 1 2\n",
    "123456789012345678.9 1 2\n",
    "9007199254740993 1 2\n",
    "1e400 -1e400 1\n",
    "1 2 \"3\"\n",
    "1 2 3(\n",
    "1a 2 3\n",
    "1 2 3\0 4\n"sv,
    "}\n",
    "\n",
    "\t\n",
    "1 2 3",
};

const std::string_view kOddFaceLines[] = {
    "\t\t3 V(0 1 2)\r\n",
    "4 V(0 1 2 3) M(0)\n",
    "4 V(0 1 2 3) M(0) UV(0 0 1 0 1 1 0 1)\n",
    "3 V(0 1 2) M(0) UID(7) UV(0.5 -0 1e2 0 1 1)\n",
    "3 V(0 1 2) UID(7) M(0)\n",
    "3 V(0 1 2) UV(0 0 1 0 1 1) M(0)\n",
    "3 v(0 1 2) m(0)\n",
    "3V(0 1 2)\n",
    "3 V (0 1 2)\n",
    "3 V( 0 1 2 )\n",
    "3\tV(0\t1\t2)\tM(0)\n",
    "3 V(0,1,2)\n",
    "3 V(0 1 2\n",
    "3 V(0 1)\n",
    "2 V(0 1 2)\n",
    "5 V(0 1 2 3 4) M(0)\n",
    "1 V(0) M(0)\n",
    "0 V() M(0)\n",
    "-3 V(0 1 2)\n",
    "+3 V(0 1 2)\n",
    "03 V(0 1 2)\n",
    "3 V(0 1 9)\n",
    "3 V(0 -1 2)\n",
    "3 V(0 +1 2)\n",
    "3 V(0 1 2) M(-1)\n",
    "3 V(0 1 2) M(+1)\n",
    "3 V(0 1 2) M(2147483647)\n",
    "3 V(0 1 2) M(99999999999)\n",
    "3 V(0 1 2) M(0\n",
    "3 V(0 1 2) M 0\n",
    "3 V(0 1 2) MX(0)\n",
    "3 V(0 1 2) M(0) COL(1 2 3)\n",
    "3 V(0 1 2) M(0) junk\n",
    "3 V(0 1 2) UV(0 0 1 0)\n",
    "3 V(0 1 2) UV(0 0 1 0 1 1 9)\n",
    "3 V(0 1 2) UV(nan 0 1 0 1 inf)\n",
    "3 V(0 1 2) UV(0 0 1 0 1 1e99)\n",
    "3 V(0 1 2) UID(x) UV(0 0 1 0 1 1)\n",
    "3 V(0 1 2)\r M(0)\n",
    "3 V(0 1 2) M(0)\r\n",
    "3 V(0 1 2) M(0)\0 UV(0 0 1 0 1 1)\n"sv,
    "3 V(0000000001 1 2)\n",
    "3 V(0 1 99999999999)\n",
    "3 V(0 1 2) M(1)UV(0 0 1 0 1 1)\n",
    "3 V(0 1 2)M(1)\n",
    "V(0 1 2)\n",
    "99999999999 V(0 1 2)\n",
    "}\n",
    "3 V(0 1 2) M(0)",
};

TEST(MqoPlainLines, OddVertexLinesReadAsWhenSplit) {
    for (const std::string_view line : kOddVertexLines) {
        SCOPED_TRACE(line);
        ExpectSameReading(Document("0 0 0\n" + std::string(line) + "1 1 1\n", "3 V(0 1 2)\n"));
        ExpectSameReading(std::string(kHeader) + "Object \"o\" {\n\tvertex 9 {\n0 0 0\n" +
                          std::string(line));
    }
}

TEST(MqoPlainLines, OddFaceLinesReadAsWhenSplit) {
    for (const std::string_view line : kOddFaceLines) {
        SCOPED_TRACE(line);
        const std::string vertices = "0 0 0\n1 0 0\n1 1 0\n0 1 0\n0 0 1\n";
        ExpectSameReading(Document(vertices, "3 V(0 1 2)\n" + std::string(line) + "3 V(2 1 0)\n"));
        ExpectSameReading(Document(vertices, std::string(line), false));
    }
}

// Lines put together from the pieces that decide between the two readings.
TEST(MqoPlainLines, RandomLinesReadAsWhenSplit) {
    static const char* const kPieces[] = {
        " ",  "\t",  "0",           "1",    "2", "3",        "4",    "7",  "12",
        "-",  "+",   ".",           "5.25", "e", "E5",       "x",    "V",  "v",
        "M",  "UID", "UV",          "(",    ")", ",",        "\r",   "\"", "-0.0",
        "1e", "nan", "99999999999", "\r\n", "}", "0.000001", "3 V(",
    };
    std::mt19937 random(2326);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(1, 14);
    auto line = [&](std::string start) {
        for (int n = length(random); n > 0; --n) {
            start += kPieces[piece(random)];
        }
        return start + "\n";
    };
    for (int round = 0; round < 300; ++round) {
        std::string vertices;
        std::string faces;
        for (int i = 0; i < 8; ++i) {
            vertices += line(i % 2 ? "1 2 " : "");
            faces += line(i % 2 ? "3 V(0 1 " : "4 V(");
        }
        SCOPED_TRACE(vertices + faces);
        ExpectSameReading(Document("0 0 0\n1 0 0\n1 1 0\n" + vertices, faces));
    }
}

// The comparisons above mean something only if the shortcut takes the lines
// that documents are made of.
TEST(MqoPlainLines, TakesTheCommonLines) {
    double xyz[3];
    EXPECT_TRUE(ReadPlainVertexLine("\t\t-4995.000000 0.000000 12.5\r\n", xyz));
    EXPECT_EQ(xyz[0], -4995.0);
    EXPECT_EQ(xyz[2], 12.5);
    MqoFaceLine face;
    EXPECT_TRUE(ReadPlainFaceLine("\t\t4 V(0 1001 1002 1) M(3)\n", face));
    EXPECT_EQ(face.corners, 4);
    EXPECT_EQ(face.indices[1], 1001);
    EXPECT_EQ(face.material, 3);
    EXPECT_FALSE(face.hasUvs);
    EXPECT_TRUE(ReadPlainFaceLine("3 V(0 1 2) M(0) UID(5) UV(0.5 1.000000 0 0 1 1)\r\n", face));
    EXPECT_TRUE(face.hasUvs);
    EXPECT_EQ(face.uvs[1], 1.0);
}

TEST(MqoPlainLines, RealDocumentsReadAsWhenSplit) {
    const std::filesystem::path folder = TestDataFolder() / "mqo";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no test data at " << folder;
    }
    int documents = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".mqo") {
            SCOPED_TRACE(entry.path());
            std::ifstream in(entry.path(), std::ios::binary);
            ExpectSameReading(std::string(std::istreambuf_iterator<char>(in), {}));
            ++documents;
        }
    }
    EXPECT_GT(documents, 0);
}

TEST(MqoPlainLines, ChunkCountsBeyondTheFileStillReadItAll) {
    ExpectSameReading(std::string(kHeader) +
                      "Object \"o\" {\n vertex 2147483647 {\n 0 0 0\n 1 0 0\n 1 1 0\n }\n"
                      " face 2147483647 {\n 3 V(0 1 2)\n }\n}\n");
}

}  // namespace
