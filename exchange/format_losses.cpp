#include "exchange/format_losses.h"

#include <algorithm>
#include <vector>

#include "exchange/written_names.h"
#include "image/texture_path.h"
#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

constexpr FormatLoss kSmoothingAngles = {"スムージング角度", "smoothing angles"};
constexpr FormatLoss kObjectStates = {"物体の表示・ロック状態",
                                      "object visibility and lock states"};
constexpr FormatLoss kMaterials = {"材質", "materials"};
constexpr FormatLoss kTextureCoordinates = {"UV 座標", "texture coordinates"};
constexpr FormatLoss kLines = {"線の面 (2 頂点)", "two-corner line faces"};
constexpr FormatLoss kMqoNameCharacters = {"名前の「\"」と制御文字 (「'」と空白になります)",
                                           "double quotes and control characters in names "
                                           "(written as ' and spaces)"};
constexpr FormatLoss kObjNameCharacters = {"名前の空白と制御文字 (「_」になります)",
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

// Adds `loss` when `lost`.
void Note(std::vector<FormatLoss>& losses, bool lost, const FormatLoss& loss) {
    if (lost) {
        losses.push_back(loss);
    }
}

}  // namespace

std::vector<FormatLoss> ObjLosses(const CCentigrade& scene) {
    std::vector<FormatLoss> losses;
    Note(losses, AnyAngleBut(scene, kObjReadAngle), kSmoothingAngles);
    Note(losses, AnyState(scene), kObjectStates);
    Note(losses, AnyUnwritableObjName(scene), kObjNameCharacters);
    return losses;
}

std::vector<FormatLoss> MetasequoiaLosses(const CCentigrade& scene) {
    std::vector<FormatLoss> losses;
    Note(losses, AnyAngleBut(scene, kMqoWrittenAngle), kSmoothingAngles);
    Note(losses, AnyState(scene), kObjectStates);
    Note(losses, AnyUnwritableMqoName(scene), kMqoNameCharacters);
    return losses;
}

std::vector<FormatLoss> StlLosses(const CCentigrade& scene) {
    std::vector<FormatLoss> losses;
    Note(losses, !scene.materials.empty() && AnyFace(scene, [](const CFace&) { return true; }),
         kMaterials);
    Note(losses, AnyTextureCoordinates(scene), kTextureCoordinates);
    Note(losses, AnyLines(scene), kLines);
    return losses;
}

std::vector<FormatLoss> GlbLosses(const CCentigrade& scene) {
    std::vector<FormatLoss> losses;
    Note(losses, AnyState(scene), kObjectStates);
    Note(losses, AnyLines(scene), kLines);
    return losses;
}

std::string FormatLossNotice(const std::filesystem::path& target, const CCentigrade& scene,
                             NoticeLanguage language) {
    const DocumentFormat* format = FindDocumentFormat(target);
    if (!format || !format->losses) {
        return {};
    }
    const std::vector<FormatLoss> losses = format->losses(scene);
    if (losses.empty()) {
        return {};
    }
    const std::string ext(format->extension);
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
