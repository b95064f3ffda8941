#include "exchange/obj_writer.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "exchange/written_names.h"
#include "exchange/written_numbers.h"
#include "image/texture_path.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

// Enough for any float or double in its shortest form.
constexpr std::size_t kNumberChars = 32;

char* Shortest(char* p, float value) {
    return std::to_chars(p, p + kNumberChars, WrittenNumber(value)).ptr;
}

// OBJ's v runs up from the bottom of the picture, Quorvel's down from the
// top. The float form is used when it reads back to the same value; otherwise
// the double form, which always does.
char* FlippedV(char* p, float v) {
    v = WrittenNumber(v);
    const double flipped = 1.0 - static_cast<double>(v);
    char* const end = Shortest(p, static_cast<float>(flipped));
    double read = 0;
    std::from_chars(p, end, read);
    if (static_cast<float>(1.0 - read) == v) {
        return end;
    }
    return std::to_chars(p, p + kNumberChars, flipped).ptr;
}

// Names are single words in the file (see ObjWrittenName).
std::string LineSafe(std::string_view cp932, std::string_view fallback) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    return utf8.empty() ? std::string(fallback) : ObjWrittenName(utf8);
}

// Texture file names keep their blanks (see ObjWrittenFileName).
std::string MapFileName(std::string_view cp932) {
    return ObjWrittenFileName(TextureNameToPath(cp932));
}

// One name per material, in list order; repeated names get a number, since
// "usemtl" finds a material by its name.
std::vector<std::string> MaterialNames(const CCentigrade& scene) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken;
    for (const CMaterial& m : scene.materials) {
        const std::string base = LineSafe(m.name, "Material");
        std::string name = base;
        for (int n = 2; !taken.insert(name).second; ++n) {
            name = base + "." + std::to_string(n);
        }
        names.push_back(std::move(name));
    }
    return names;
}

class ObjText {
public:
    explicit ObjText(std::size_t estimate) { text.reserve(estimate); }

    ObjText& operator<<(std::string_view fixed) {
        text.append(fixed);
        return *this;
    }
    ObjText& Number(float value) {
        char digits[kNumberChars];
        text.append(digits, Shortest(digits, value));
        return *this;
    }
    void Append(const char* begin, const char* end) { text.append(begin, end); }
    std::string Take() { return std::move(text); }

private:
    std::string text;
};

void WriteVertex(ObjText& out, const CVector& v) {
    char line[8 + 3 * kNumberChars];
    char* p = line;
    *p++ = 'v';
    *p++ = ' ';
    p = Shortest(p, v.x);
    *p++ = ' ';
    p = Shortest(p, v.y);
    *p++ = ' ';
    p = Shortest(p, v.z);
    *p++ = '\n';
    out.Append(line, p);
}

// The corner written k-th: the first corner, then the others in reverse.
std::size_t WrittenCorner(std::size_t k, std::size_t corners) {
    return k == 0 ? 0 : corners - k;
}

void WriteTextureCoordinates(ObjText& out, const CFace& f) {
    for (std::size_t k = 0; k < f.indices.size(); ++k) {
        const CUV& uv = f.uvs[WrittenCorner(k, f.indices.size())];
        char line[8 + 2 * kNumberChars];
        char* p = line;
        *p++ = 'v';
        *p++ = 't';
        *p++ = ' ';
        p = Shortest(p, uv.u);
        *p++ = ' ';
        p = FlippedV(p, uv.v);
        *p++ = '\n';
        out.Append(line, p);
    }
}

// `firstVertex` and `firstUv` are the file's numbers of the object's first
// vertex and of the face's first texture coordinate (0 when it has none).
void WriteFace(ObjText& out, const CFace& f, std::size_t firstVertex, std::size_t firstUv) {
    const std::size_t corners = std::min<std::size_t>(f.indices.size(), 4);
    constexpr int kDigits = 20;  // of a 64-bit count
    char line[8 + 4 * 2 * (kDigits + 1)];
    char* p = line;
    *p++ = corners == 2 ? 'l' : 'f';
    for (std::size_t k = 0; k < corners; ++k) {
        *p++ = ' ';
        const auto index = static_cast<std::size_t>(f.indices[WrittenCorner(k, corners)]);
        p = std::to_chars(p, p + kDigits, firstVertex + index).ptr;
        if (firstUv != 0) {
            *p++ = '/';
            p = std::to_chars(p, p + kDigits, firstUv + k).ptr;
        }
    }
    *p++ = '\n';
    out.Append(line, p);
}

}  // namespace

std::string FormatObj(const CCentigrade& scene, std::string_view libraryName) {
    std::size_t estimate = 256;
    for (const CModel& m : scene.models) {
        estimate += 64 + 40 * m.vertices.size() + 32 * m.faces.size();
    }
    ObjText out(estimate);
    out << "# Quorvel\n";
    if (!libraryName.empty() && !scene.materials.empty()) {
        out << "mtllib " << libraryName << "\n";
    }
    const std::vector<std::string> names = MaterialNames(scene);
    std::unordered_map<int, std::size_t> materialIndex;
    for (std::size_t i = 0; i < scene.materials.size(); ++i) {
        materialIndex.emplace(scene.materials[i].id, i);
    }
    std::size_t vertexBase = 1;
    std::size_t nextUv = 1;
    for (const CModel& m : scene.models) {
        out << "o " << LineSafe(m.name, "Model") << "\n";
        for (const CVector& v : m.vertices) {
            WriteVertex(out, v);
        }
        int currentMaterial = -1;
        bool anyMaterial = false;
        for (const CFace& f : m.faces) {
            const std::size_t corners = f.indices.size();
            if (corners < 2 || corners > 4) {
                continue;
            }
            const bool withUvs = corners > 2 && f.uvs.size() >= corners;
            if (withUvs) {
                WriteTextureCoordinates(out, f);
            }
            if (!anyMaterial || f.material != currentMaterial) {
                if (auto found = materialIndex.find(f.material); found != materialIndex.end()) {
                    out << "usemtl " << names[found->second] << "\n";
                }
                currentMaterial = f.material;
                anyMaterial = true;
            }
            WriteFace(out, f, vertexBase, withUvs ? nextUv : 0);
            nextUv += withUvs ? corners : 0;
        }
        vertexBase += m.vertices.size();
    }
    return out.Take();
}

std::string FormatMaterialLibrary(const CCentigrade& scene) {
    const std::vector<std::string> names = MaterialNames(scene);
    ObjText out(256 + 256 * scene.materials.size());
    out << "# Quorvel\n";
    for (std::size_t i = 0; i < scene.materials.size(); ++i) {
        const CMaterial& m = scene.materials[i];
        out << "\nnewmtl " << names[i] << "\nKd ";
        out.Number(m.red * m.diffuse) << " ";
        out.Number(m.green * m.diffuse) << " ";
        out.Number(m.blue * m.diffuse) << "\n";
        const std::pair<std::string_view, float> greys[] = {
            {"Ka ", m.ambient}, {"Ks ", m.specular}, {"Ke ", m.emissive}};
        for (const auto& [keyword, grey] : greys) {
            out << keyword;
            out.Number(grey) << " ";
            out.Number(grey) << " ";
            out.Number(grey) << "\n";
        }
        out << "Ns ";
        out.Number(m.power) << "\nd ";
        out.Number(m.alpha) << "\nillum 2\n";
        if (!m.texture.empty()) {
            out << "map_Kd " << MapFileName(m.texture) << "\n";
        }
        if (!m.alphaPlane.empty()) {
            out << "map_d " << MapFileName(m.alphaPlane) << "\n";
        }
        if (!m.bump.empty()) {
            out << "map_Bump " << MapFileName(m.bump) << "\n";
        }
    }
    return out.Take();
}

std::filesystem::path MaterialLibraryPath(const std::filesystem::path& path) {
    std::filesystem::path library = path;
    library.replace_filename(ObjWrittenName(path.stem().string()) + ".mtl");
    return library;
}

FileFailure SaveObj(const std::filesystem::path& path, const CCentigrade& scene) {
    const std::string fileName = path.filename().string();
    if (fileName.find_first_of("\r\n") != std::string::npos) {
        return {FileStep::NameWithLineBreak, path};
    }
    // Both files are complete before either replaces what was there: a
    // failure leaves the user's .obj and .mtl as they were.
    const std::filesystem::path library = MaterialLibraryPath(path);
    PendingFile obj(path);
    PendingFile mtl(library);
    if (FileFailure failure = mtl.Write(FormatMaterialLibrary(scene))) {
        return failure;
    }
    if (FileFailure failure = obj.Write(FormatObj(scene, library.filename().string()))) {
        return failure;
    }
    if (FileFailure failure = mtl.Commit()) {
        return failure;
    }
    return obj.Commit();
}
