#include "exchange/stl_writer.h"

#include <bit>
#include <cstring>
#include <string_view>

#include "exchange/written_numbers.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"

namespace {

constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kTriangleBytes = 50;

// The header must not begin with "solid", or readers take the file for text.
constexpr std::string_view kHeader = "Binary STL written by Quorvel; units: millimetres";

std::uint64_t TriangleCount(const CCentigrade& scene) {
    std::uint64_t count = 0;
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            count += f.indices.size() >= 3 ? f.indices.size() - 2 : 0;
        }
    }
    return count;
}

std::uint8_t* Put(std::uint8_t* p, float value) {
    value = WrittenNumber(value);
    std::memcpy(p, &value, sizeof value);  // the format is little-endian, like this machine
    return p + sizeof value;
}

std::uint8_t* Put(std::uint8_t* p, const CVector& v) {
    return Put(Put(Put(p, v.x), v.y), v.z);
}

// Corners counter-clockwise seen from outside, the normal pointing out: the
// reverse of Quorvel's order, whose computed normals point into the surface.
std::uint8_t* PutTriangle(std::uint8_t* p, const CVector& a, const CVector& b, const CVector& c) {
    CVector normal;
    normal.Cross(b - a, c - a);
    normal.Normalize();
    p = Put(Put(Put(Put(p, normal), a), b), c);
    *p++ = 0;
    *p++ = 0;
    return p;
}

}  // namespace

static_assert(std::endian::native == std::endian::little);

std::vector<std::uint8_t> FormatStl(const CCentigrade& scene) {
    const std::uint64_t triangles = TriangleCount(scene);
    if (triangles > UINT32_MAX) {
        return {};
    }
    std::vector<std::uint8_t> out(kHeaderBytes + 4 + kTriangleBytes * triangles, 0);
    std::memcpy(out.data(), kHeader.data(), kHeader.size());
    const auto count = static_cast<std::uint32_t>(triangles);
    std::memcpy(out.data() + kHeaderBytes, &count, sizeof count);
    std::uint8_t* p = out.data() + kHeaderBytes + 4;
    for (const CModel& m : scene.models) {
        for (const CFace& f : m.faces) {
            const auto corner = [&](std::size_t k) -> const CVector& {
                return m.vertices[static_cast<std::size_t>(f.indices[k])];
            };
            for (std::size_t k = 1; k + 1 < f.indices.size(); ++k) {
                p = PutTriangle(p, corner(0), corner(k + 1), corner(k));
            }
        }
    }
    return out;
}

FileFailure SaveStl(const std::filesystem::path& path, const CCentigrade& scene) {
    const std::vector<std::uint8_t> bytes = FormatStl(scene);
    if (bytes.empty()) {
        return {FileStep::TooManyTriangles, path};
    }
    return WriteFileAtomically(path, bytes);
}
