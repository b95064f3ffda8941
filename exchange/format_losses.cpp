#include "exchange/format_losses.h"

#include <algorithm>
#include <vector>

#include "exchange/document_files.h"
#include "exchange/written_names.h"
#include "image/texture_path.h"
#include "scene/ascii.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

struct Loss {
    const char* japanese;
    const char* english;
};

constexpr Loss kSmoothingAngles = {"スムージング角度", "smoothing angles"};
constexpr Loss kObjectStates = {"物体の表示・ロック状態", "object visibility and lock states"};
constexpr Loss kMaterials = {"材質", "materials"};
constexpr Loss kTextureCoordinates = {"UV 座標", "texture coordinates"};
constexpr Loss kLines = {"線の面 (2 頂点)", "two-corner line faces"};
constexpr Loss kMqoNameCharacters = {"名前の「\"」と制御文字 (「'」と空白になります)",
                                     "double quotes and control characters in names "
                                     "(written as ' and spaces)"};
constexpr Loss kObjNameCharacters = {"名前の空白と制御文字 (「_」になります)",
                                     "blanks and control characters in names (written as _)"};

// The angle every object comes back with after a save and a load, per format.
constexpr float kObjReadAngle = 59.5f;
constexpr float kMqoWrittenAngle = 89.5f;

template <typename Test>
bool AnyFace(const CCentigrade& scene, Test test) {
    return std::any_of(scene.models.begin(), scene.models.end(), [&](const CModel& m) {
        return std::any_of(m.faces.begin(), m.faces.end(), test);
    });
}

bool AnyAngleBut(const CCentigrade& scene, float kept) {
    return std::any_of(scene.models.begin(), scene.models.end(),
                       [kept](const CModel& m) { return m.facet != kept; });
}

bool AnyState(const CCentigrade& scene) {
    return std::any_of(scene.models.begin(), scene.models.end(),
                       [](const CModel& m) { return m.state != 0; });
}

bool AnyTextureCoordinates(const CCentigrade& scene) {
    return AnyFace(scene, [](const CFace& f) { return !f.uvs.empty(); });
}

bool AnyLines(const CCentigrade& scene) {
    return AnyFace(scene, [](const CFace& f) { return f.indices.size() == 2; });
}

bool AnyUnwritableMqoName(const CCentigrade& scene) {
    return std::any_of(scene.models.begin(), scene.models.end(),
                       [](const CModel& m) { return !IsMqoWritable(m.name); }) ||
           std::any_of(scene.materials.begin(), scene.materials.end(), [](const CMaterial& m) {
               return !IsMqoWritable(m.name) || !IsMqoWritable(m.texture);
           });
}

bool AnyUnwritableObjName(const CCentigrade& scene) {
    const auto fileName = [](const std::string& cp932) {
        return !IsObjFileNameWritable(TextureNameToPath(cp932));
    };
    return std::any_of(scene.models.begin(), scene.models.end(),
                       [](const CModel& m) { return !IsObjWritable(Cp932ToUtf8(m.name)); }) ||
           std::any_of(scene.materials.begin(), scene.materials.end(), [&](const CMaterial& m) {
               return !IsObjWritable(Cp932ToUtf8(m.name)) || fileName(m.texture) ||
                      fileName(m.alphaPlane) || fileName(m.bump);
           });
}

std::vector<Loss> Losses(const std::string& ext, const CCentigrade& scene) {
    std::vector<Loss> losses;
    auto add = [&losses](bool lost, const Loss& loss) {
        if (lost) {
            losses.push_back(loss);
        }
    };
    if (ext == "obj") {
        add(AnyAngleBut(scene, kObjReadAngle), kSmoothingAngles);
        add(AnyState(scene), kObjectStates);
        add(AnyUnwritableObjName(scene), kObjNameCharacters);
    } else if (ext == "mqo" || ext == "mqoz") {
        add(AnyAngleBut(scene, kMqoWrittenAngle), kSmoothingAngles);
        add(AnyState(scene), kObjectStates);
        add(AnyUnwritableMqoName(scene), kMqoNameCharacters);
    } else if (ext == "stl") {
        add(!scene.materials.empty() && AnyFace(scene, [](const CFace&) { return true; }),
            kMaterials);
        add(AnyTextureCoordinates(scene), kTextureCoordinates);
        add(AnyLines(scene), kLines);
    } else if (ext == "glb") {
        add(AnyState(scene), kObjectStates);
        add(AnyLines(scene), kLines);
    }
    return losses;
}

}  // namespace

std::string FormatLossNotice(const std::filesystem::path& target, const CCentigrade& scene,
                             NoticeLanguage language) {
    const std::string ext = LowerExtension(target);
    const std::vector<Loss> losses = Losses(ext, scene);
    if (losses.empty()) {
        return {};
    }
    const bool japanese = language == NoticeLanguage::Japanese;
    std::string notice = japanese ? "." + ext + " 形式に保存されないもの: "
                                  : "not kept by the ." + ext + " format: ";
    for (std::size_t i = 0; i < losses.size(); ++i) {
        if (i > 0) {
            notice += japanese ? "、" : ", ";
        }
        notice += japanese ? losses[i].japanese : losses[i].english;
    }
    return notice;
}
