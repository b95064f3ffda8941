// The writer fixes most of the document: the scene block, the object settings
// and the material shader are constants, not values of the scene. Every
// object's smoothing angle is written as 89.5.
#include "exchange/mqo_writer.h"

#include <charconv>
#include <string_view>

#include "exchange/c_numbers.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"

namespace {

class MqoText {
public:
    explicit MqoText(std::size_t estimate) { text.reserve(estimate); }

    // A literal that may hold "\n" line ends.
    MqoText& operator<<(std::string_view literal) {
        for (char c : literal) {
            if (c == '\n') {
                text += '\r';
            }
            text += c;
        }
        return *this;
    }
    MqoText& Int(int value) {
        char digits[16];
        const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text.append(digits, static_cast<std::size_t>(end - digits));
        return *this;
    }
    MqoText& Fixed(float value) {
        char digits[kFixed6MaxChars];
        const char* end = FormatFixed6(digits, value);
        text.append(digits, static_cast<std::size_t>(end - digits));
        return *this;
    }
    std::string Take() { return std::move(text); }

private:
    std::string text;
};

void WriteMaterial(MqoText& out, const CMaterial& m) {
    out << "\t\"" << m.name << "\" shader(3) col(";
    out.Fixed(m.red) << " ";
    out.Fixed(m.green) << " ";
    out.Fixed(m.blue) << " ";
    out.Fixed(m.alpha) << ") dif(";
    out.Fixed(m.diffuse) << ") amb(";
    out.Fixed(m.ambient) << ") emi(";
    out.Fixed(m.emissive) << ") spc(";
    out.Fixed(m.specular) << ") power(";
    out.Fixed(m.power) << ")";
    if (!m.texture.empty()) {
        out << " tex(\"" << m.texture << "\")";
    }
    out << "\n";
}

// Faces of any other corner count have no line of their own, and a face with
// fewer texture coordinates than corners is written without them.
void WriteFace(MqoText& out, const CFace& f) {
    const std::size_t corners = f.indices.size();
    if (corners < 2 || corners > 4) {
        return;
    }
    out << "\t\t";
    out.Int(static_cast<int>(corners)) << " V(";
    for (std::size_t k = 0; k < corners; ++k) {
        out.Int(f.indices[k]) << (k + 1 < corners ? " " : ")");
    }
    out << " M(";
    out.Int(f.material) << ")";
    if (corners > 2 && f.uvs.size() >= corners) {
        out << " UV(";
        for (std::size_t k = 0; k < corners; ++k) {
            out.Fixed(f.uvs[k].u) << " ";
            out.Fixed(f.uvs[k].v) << (k + 1 < corners ? " " : ")");
        }
    }
    out << "\n";
}

void WriteObject(MqoText& out, const CModel& m) {
    out << "Object \"" << m.name << "\" {\n"
        << "\tvisible 15\n\tlocking 0\n\tshading 1\n\tfacet 89.5\n"
        << "\tcolor 0.898 0.498 0.698\n\tcolor_type 0\n";
    out << "\tvertex ";
    out.Int(static_cast<int>(m.vertices.size())) << " {\n";
    for (const CVector& v : m.vertices) {
        out << "\t\t";
        out.Fixed(v.x) << " ";
        out.Fixed(v.y) << " ";
        out.Fixed(v.z) << "\n";
    }
    out << "\t}\n\tface ";
    out.Int(static_cast<int>(m.faces.size())) << " {\n";
    for (const CFace& f : m.faces) {
        WriteFace(out, f);
    }
    out << "\t}\n}\n";
}

}  // namespace

std::string FormatMQO(const CCentigrade& scene) {
    std::size_t estimate = 1024 + 256 * scene.materials.size();
    for (const CModel& m : scene.models) {
        estimate += 256 + 40 * m.vertices.size() + 40 * m.faces.size();
    }
    MqoText out(estimate);
    out << "Metasequoia Document\n"
        << "Format Text Ver 1.0\n\n"
        << "Scene {\n"
        << "\tpos 0.0000 0.0000 1500.0000\n"
        << "\tlookat 0.0000 0.0000 0.0000\n"
        << "\thead -0.3800\n"
        << "\tpich 0.2300\n"
        << "\tortho 0\n"
        << "\tzoom2 5.0000\n"
        << "\tamb 0.250 0.250 0.250\n"
        << "}\n";
    out << "Material ";
    out.Int(static_cast<int>(scene.materials.size())) << " {\n";
    for (const CMaterial& m : scene.materials) {
        WriteMaterial(out, m);
    }
    out << "}\n";
    for (const CModel& m : scene.models) {
        WriteObject(out, m);
    }
    out << "Eof\n";
    return out.Take();
}

bool CCentigrade::SaveMQO(const std::filesystem::path& path, std::string* failure) const {
    std::string reason = WriteFileAtomically(path, FormatMQO(*this));
    if (failure) {
        *failure = reason;
    }
    return reason.empty();
}
