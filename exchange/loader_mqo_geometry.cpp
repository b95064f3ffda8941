// The Object chunk: settings, vertices (as text or as a binary block) and faces.
#include <algorithm>
#include <bit>
#include <climits>

#include "exchange/loader_mqo.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

namespace {

// The shortest lines that can add an element: "0 0 0" and "2 V(0 1)", each
// with a line feed. They bound what a stated count may reserve.
constexpr std::uint64_t kMinVertexLineBytes = 6;
constexpr std::uint64_t kMinFaceLineBytes = 9;
constexpr int kBinaryVertexBytes = 12;

float LittleEndianFloat(const unsigned char* p) {
    const std::uint32_t bits =
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return std::bit_cast<float>(bits);
}

int SaturatedInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

template <typename Array>
void LoaderMQO::ReserveStated(Array& array, int stated, std::uint64_t minLineBytes) {
    if (stated <= 0) {
        return;
    }
    const std::uint64_t possible = lines.RemainingBytes() / minLineBytes;
    array.reserve(array.size() +
                  std::min<std::uint64_t>(static_cast<std::uint64_t>(stated), possible));
}

int LoaderMQO::ReadObject(CModel& model) {
    return ReadChunkLines([&](int n) {
        if (lines.Begins("facet", 2)) {
            model.facet = Number(1);
            return 0;
        }
        if (lines.Begins("mirror_axis", 2)) {
            model.mirrorAxis = lines.ToInt(1);
            return 0;
        }
        const bool vertices = lines.Begins("vertex", 3);
        const bool binary = lines.Begins("BVertex", 3);
        const bool faces = lines.Begins("face", 2);
        if (!vertices && !binary && !faces) {
            return SkipChunk(n);
        }
        if (!lines.Is(n - 1, "{")) {
            return MQO_SYNTAX;
        }
        if (vertices) {
            ReserveStated(model.vertices, lines.ToInt(1), kMinVertexLineBytes);
            return ReadVertices(model);
        }
        if (binary) {
            return ReadBinaryVertices(model);
        }
        if (n >= 3) {
            ReserveStated(model.faces, lines.ToInt(1), kMinFaceLineBytes);
        }
        return ReadFaces(model);
    });
}

int LoaderMQO::ReadVertices(CModel& model) {
    auto plain = [&](std::string_view line) {
        double xyz[3];
        if (!plainLineShortcut || !ReadPlainVertexLine(line, xyz)) {
            return false;
        }
        model.vertices.emplace_back(Narrow(xyz[0]), Narrow(xyz[1]), Narrow(xyz[2]));
        return true;
    };
    return ReadChunkLines(plain, [&](int n) {
        if (n >= 3) {
            model.vertices.emplace_back(Number(0), Number(1), Number(2));
        }
        return 0;
    });
}

// Newer modelers store the positions as a "Vector count [bytes]" line followed
// by the bytes: little-endian x, y, z floats per vertex. Other lines of the
// chunk are read past like any unknown chunk.
int LoaderMQO::ReadBinaryVertices(CModel& model) {
    return ReadChunkLines([&](int n) {
        if (!lines.Begins("Vector", 3) || !IsBinaryLine(n)) {
            return SkipChunk(n);
        }
        const int size = lines.ToInt(n - 2);
        if (size < 0) {
            return MQO_SYNTAX;
        }
        ReserveStated(model.vertices, size / kBinaryVertexBytes, kBinaryVertexBytes);
        unsigned char bytes[kBinaryVertexBytes];
        int left = size;
        for (; left >= kBinaryVertexBytes; left -= kBinaryVertexBytes) {
            if (!lines.ReadBytes(reinterpret_cast<char*>(bytes), sizeof bytes)) {
                return MQO_SYNTAX;
            }
            model.vertices.emplace_back(Finite(LittleEndianFloat(bytes)),
                                        Finite(LittleEndianFloat(bytes + 4)),
                                        Finite(LittleEndianFloat(bytes + 8)));
        }
        if (!lines.SkipBytes(static_cast<std::uint64_t>(left))) {
            return MQO_SYNTAX;
        }
        return 0;
    });
}

// A face line: "n V(i1 .. in)" followed by the optional groups M(material),
// UID(number) and UV(u1 v1 .. un vn), recognised only in this order. A line
// without its V group ends the whole load; a malformed group drops the line.
int LoaderMQO::ReadFaces(CModel& model) {
    MqoFaceLine face;
    auto plain = [&](std::string_view line) {
        if (!plainLineShortcut || !ReadPlainFaceLine(line, face)) {
            return false;
        }
        AddFace(model, face);
        return true;
    };
    return ReadChunkLines(plain, [&](int n) {
        // 64-bit, so that a huge stated corner count cannot overflow the sums.
        const std::int64_t r = lines.ToInt(0);
        if (!lines.Is(1, "V") || n < r + 4) {
            return MQO_SYNTAX;
        }
        if (SplitFaceLine(n, r, face)) {
            AddFace(model, face);
        }
        return 0;
    });
}

bool LoaderMQO::SplitFaceLine(int n, std::int64_t r, MqoFaceLine& face) const {
    if (!lines.Is(2, "(") || r + 3 < 0 || !lines.Is(static_cast<int>(r + 3), ")")) {
        return false;
    }
    // From here 0 <= r <= n - 4: token r + 3 is ")", which neither "-3",
    // "V" nor "(" in tokens 0 to 2 can be.
    face.corners = static_cast<int>(std::min<std::int64_t>(r, 4));
    for (int k = 0; k < face.corners; ++k) {
        face.indices[k] = lines.ToInt(3 + k);
    }
    int s = static_cast<int>(r) + 4;
    face.material = 0;
    if (lines.Is(s, "M") && s + 4 <= n) {
        if (!lines.Is(s + 1, "(") || !lines.Is(s + 3, ")")) {
            return false;
        }
        face.material = lines.ToInt(s + 2);
        s += 4;
    }
    if (lines.Is(s, "UID") && s + 4 <= n) {
        if (!lines.Is(s + 1, "(") || !lines.Is(s + 3, ")")) {
            return false;
        }
        s += 4;
    }
    face.hasUvs = lines.Is(s, "UV") && s + 2 * r + 3 <= n;
    if (face.hasUvs) {
        if (!lines.Is(s + 1, "(") || !lines.Is(static_cast<int>(s + 2 * r + 2), ")")) {
            return false;
        }
        for (int k = 0; k < 2 * face.corners; ++k) {
            face.uvs[k] = lines.ToFloat(s + 2 + k);
        }
    }
    return true;
}

void LoaderMQO::AddFace(CModel& model, const MqoFaceLine& line) {
    CFace& face = model.faces.emplace_back();
    const auto vertexCount = static_cast<std::int64_t>(model.vertices.size());
    facesToCheck = facesToCheck || line.corners < 2;
    for (int k = 0; k < line.corners; ++k) {
        const int index = line.indices[k];
        // Vertices may still follow; DropBrokenFaces decides at the end.
        facesToCheck = facesToCheck || index < 0 || index >= vertexCount;
        face.indices.push_back(index);
        face.edgeSelected.push_back(false);
    }
    face.material = SaturatedInt(line.material + materialBase);
    if (line.hasUvs) {
        face.uvs.resize(static_cast<std::size_t>(line.corners));
        for (int k = 0; k < line.corners; ++k) {
            face.uvs[k].u = Narrow(line.uvs[2 * k]);
            face.uvs[k].v = Narrow(line.uvs[2 * k + 1]);
        }
    }
}

// Keeps only faces with valid corners (scene/face_rules.h); the reader never
// makes mismatched texture coordinates.
void LoaderMQO::DropBrokenFaces(CModel& model) {
    if (!facesToCheck) {
        return;
    }
    facesToCheck = false;
    const std::size_t vertexCount = model.vertices.size();
    auto broken = [vertexCount](const CFace& f) { return !HasValidCorners(f, vertexCount); };
    const auto first = std::find_if(model.faces.begin(), model.faces.end(), broken);
    if (first == model.faces.end()) {
        return;
    }
    const auto kept = std::remove_if(first, model.faces.end(), broken);
    repairs += static_cast<int>(model.faces.end() - kept);
    model.faces.erase(kept, model.faces.end());
}
