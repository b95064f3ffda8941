// The writer fixes most of the document: the scene block, the object settings
// and the material shader are constants, not values of the scene. Every
// object's smoothing angle is written as 89.5.
#include "exchange/mqo_writer.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "exchange/c_numbers.h"
#include "exchange/written_names.h"
#include "exchange/written_numbers.h"
#include "scene/atomic_file.h"
#include "scene/centigrade.h"
#include "scene/document_error.h"
#include "scene/face_rules.h"

namespace {

// Every number the document holds, finite.
char* Fixed6(char* out, float value) {
    return FormatFixed6(out, WrittenNumber(value));
}

// The document under construction. Fixed text is written with its CR LF line
// ends; names as the format can hold them (see MqoWrittenName).
class MqoText {
public:
    explicit MqoText(std::size_t estimate) { text.reserve(estimate); }

    MqoText& operator<<(std::string_view fixed) {
        text.append(fixed);
        return *this;
    }
    MqoText& Name(std::string_view name) {
        text += MqoWrittenName(name);
        return *this;
    }
    MqoText& Int(int value) {
        char digits[16];
        return Append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    MqoText& Fixed(float value) {
        char digits[kFixed6MaxChars];
        return Append(digits, Fixed6(digits, value));
    }
    MqoText& Append(const char* begin, const char* end) {
        text.append(begin, static_cast<std::size_t>(end - begin));
        return *this;
    }
    std::string Take() { return std::move(text); }

private:
    std::string text;
};

void WriteMaterial(MqoText& out, const CMaterial& m) {
    out << "\t\"";
    out.Name(m.name) << "\" shader(3) col(";
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
        out << " tex(\"";
        out.Name(m.texture) << "\")";
    }
    out << "\r\n";
}

// The vertex and face lines are most of a document: each is built in a small
// buffer and appended at once.
void WriteVertex(MqoText& out, const CVector& v) {
    char line[8 + 3 * kFixed6MaxChars];
    char* p = line;
    *p++ = '\t';
    *p++ = '\t';
    p = Fixed6(p, v.x);
    *p++ = ' ';
    p = Fixed6(p, v.y);
    *p++ = ' ';
    p = Fixed6(p, v.z);
    *p++ = '\r';
    *p++ = '\n';
    out.Append(line, p);
}

// Faces of any other corner count have no line of their own, and a face with
// fewer texture coordinates than corners is written without them.
void WriteFace(MqoText& out, const CFace& f) {
    const std::size_t corners = f.indices.size();
    if (!HasValidCornerCount(corners)) {
        return;
    }
    char line[64 + 8 * kFixed6MaxChars];
    char* const end = line + sizeof line;
    char* p = line;
    auto text = [&p](std::string_view fixed) { p = std::copy(fixed.begin(), fixed.end(), p); };
    text("\t\t");
    *p++ = static_cast<char>('0' + corners);
    text(" V(");
    for (std::size_t k = 0; k < corners; ++k) {
        p = std::to_chars(p, end, f.indices[k]).ptr;
        *p++ = k + 1 < corners ? ' ' : ')';
    }
    text(" M(");
    p = std::to_chars(p, end, f.material).ptr;
    *p++ = ')';
    if (corners > 2 && f.uvs.size() >= corners) {
        text(" UV(");
        for (std::size_t k = 0; k < corners; ++k) {
            p = Fixed6(p, f.uvs[k].u);
            *p++ = ' ';
            p = Fixed6(p, f.uvs[k].v);
            *p++ = k + 1 < corners ? ' ' : ')';
        }
    }
    text("\r\n");
    out.Append(line, p);
}

// " N {" and a line a record; the caller closes the chunk.
template <typename Records, typename Write>
void WriteRecords(MqoText& out, const Records& records, Write write) {
    out.Int(static_cast<int>(records.size())) << " {\r\n";
    for (const auto& record : records) {
        write(out, record);
    }
}

void WriteObject(MqoText& out, const CModel& m) {
    out << "Object \"";
    out.Name(m.name) << "\" {\r\n"
                     << "\tvisible 15\r\n\tlocking 0\r\n\tshading 1\r\n\tfacet 89.5\r\n"
                     << "\tcolor 0.898 0.498 0.698\r\n\tcolor_type 0\r\n"
                     << "\tvertex ";
    WriteRecords(out, m.vertices, WriteVertex);
    out << "\t}\r\n\tface ";
    WriteRecords(out, m.faces, WriteFace);
    out << "\t}\r\n}\r\n";
}

}  // namespace

std::string FormatMQO(const CCentigrade& scene) {
    std::size_t estimate = 1024 + 256 * scene.materials.size();
    for (const CModel& m : scene.models) {
        estimate += 256 + 40 * m.vertices.size() + 40 * m.faces.size();
    }
    MqoText out(estimate);
    out << "Metasequoia Document\r\n"
        << "Format Text Ver 1.0\r\n"
        << "\r\n"
        << "Scene {\r\n"
        << "\tpos 0.0000 0.0000 1500.0000\r\n"
        << "\tlookat 0.0000 0.0000 0.0000\r\n"
        << "\thead -0.3800\r\n"
        << "\tpich 0.2300\r\n"
        << "\tortho 0\r\n"
        << "\tzoom2 5.0000\r\n"
        << "\tamb 0.250 0.250 0.250\r\n"
        << "}\r\n"
        << "Material ";
    WriteRecords(out, scene.materials, WriteMaterial);
    out << "}\r\n";
    for (const CModel& m : scene.models) {
        WriteObject(out, m);
    }
    out << "Eof\r\n";
    return out.Take();
}

std::string FormatMQOMaterial(const CMaterial& material) {
    MqoText out(128);
    WriteMaterial(out, material);
    return out.Take();
}

void SaveMQO(const CCentigrade& scene, const std::filesystem::path& path) {
    if (FileFailure failure = WriteFileAtomically(path, FormatMQO(scene))) {
        throw DocumentError(path, std::move(failure));
    }
}
