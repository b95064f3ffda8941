#include "history/clipboard.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "edit/selection_counts.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "history/face_steps.h"
#include "history/record_steps.h"
#include "history/step_names.h"
#include "scene/centigrade.h"

namespace {

constexpr std::string_view kSignature = "Metasequoia Document";
// A face naming no material of the copy keeps naming none after a paste.
constexpr int kNoMaterial = -1;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool Copied(const CModel& model, const CFace& face) {
    return model.state == 0 && IsFaceTaken(face);
}

// The copied faces' materials, in list order, numbered by their place in the
// copy as Metasequoia documents number them.
std::vector<CMaterial> CopiedMaterials(const CCentigrade& scene, std::vector<int>& copyOf) {
    std::vector<bool> used(scene.materials.size(), false);
    for (const CModel& model : scene.models) {
        for (const CFace& face : model.faces) {
            if (!Copied(model, face)) {
                continue;
            }
            for (std::size_t k = 0; k < scene.materials.size(); ++k) {
                if (scene.materials[k].id == face.material) {
                    used[k] = true;
                    break;
                }
            }
        }
    }
    std::vector<CMaterial> materials;
    copyOf.assign(scene.materials.size(), kNoMaterial);
    for (std::size_t k = 0; k < scene.materials.size(); ++k) {
        if (used[k]) {
            copyOf[k] = static_cast<int>(materials.size());
            materials.push_back(scene.materials[k]);
            materials.back().id = copyOf[k];
        }
    }
    return materials;
}

int CopiedMaterialNumber(const CCentigrade& scene, const std::vector<int>& copyOf, int id) {
    for (std::size_t k = 0; k < scene.materials.size(); ++k) {
        if (scene.materials[k].id == id) {
            return copyOf[k];
        }
    }
    return kNoMaterial;
}

// The vertices keep their order; only those the copied faces use are taken.
CModel CopiedPart(const CCentigrade& scene, const CModel& model,
                  const std::vector<int>& materialCopyOf) {
    CModel part;
    part.name = model.name;
    part.mirrorAxis = model.mirrorAxis;
    part.facet = model.facet;
    std::vector<int> renumbered(model.vertices.size(), -1);
    for (const CFace& face : model.faces) {
        if (Copied(model, face)) {
            for (int i : face.indices) {
                renumbered[static_cast<std::size_t>(i)] = 0;
            }
        }
    }
    for (std::size_t v = 0; v < renumbered.size(); ++v) {
        if (renumbered[v] == 0) {
            renumbered[v] = static_cast<int>(part.vertices.size());
            part.vertices.push_back(
                CVector(model.vertices[v].x, model.vertices[v].y, model.vertices[v].z));
        }
    }
    for (const CFace& face : model.faces) {
        if (!Copied(model, face)) {
            continue;
        }
        CFace& copy = part.faces.emplace_back();
        for (int i : face.indices) {
            copy.indices.push_back(renumbered[static_cast<std::size_t>(i)]);
        }
        copy.uvs = face.uvs;
        copy.material = CopiedMaterialNumber(scene, materialCopyOf, face.material);
    }
    return part;
}

}  // namespace

std::string CopySelectedFaces(const CCentigrade& scene) {
    CCentigrade copy;
    std::vector<int> materialCopyOf;
    copy.materials = CopiedMaterials(scene, materialCopyOf);
    for (const CModel& model : scene.models) {
        const bool any = std::any_of(model.faces.begin(), model.faces.end(),
                                     [&model](const CFace& f) { return Copied(model, f); });
        if (any) {
            copy.models.push_back(CopiedPart(scene, model, materialCopyOf));
        }
    }
    return copy.models.empty() ? std::string() : FormatMQO(copy);
}

std::string CutSelectedFaces(EditHistory& history, CCentigrade& scene) {
    std::string text = CopySelectedFaces(scene);
    if (!text.empty()) {
        DeleteFacesWhere(history, scene, std::string(step_name::kCut), IsFaceTaken);
    }
    return text;
}

bool IsPasteableText(std::string_view text) {
    return text.starts_with(kSignature);
}

// The text is read into a scene of its own first, so a damaged one changes
// nothing, and its materials can be matched before anything is added.
PasteOutcome PasteFaces(EditHistory& history, CCentigrade& scene, std::string_view text) {
    PasteOutcome outcome;
    outcome.firstNewMaterial = scene.materials.size();
    if (!IsPasteableText(text)) {
        outcome.failure = "the clipboard holds no Metasequoia document";
        return outcome;
    }
    CCentigrade pasted;
    {
        std::string buffer(text);
        std::unique_ptr<std::FILE, FileCloser> file(::fmemopen(buffer.data(), buffer.size(), "rb"));
        if (!file) {
            outcome.failure = "cannot read the clipboard text";
            return outcome;
        }
        LoaderMQO loader(pasted, file.get());
        if (const int code = loader.Load(); code != 0) {
            outcome.failure = "the clipboard text is damaged: " + std::string(MqoResultText(code));
            return outcome;
        }
    }
    if (pasted.models.empty()) {
        outcome.failure = "the clipboard text holds no object";
        return outcome;
    }
    // As after an import: faces without a material group name the first
    // material, which a document without materials lacks.
    const bool faces = std::any_of(pasted.models.begin(), pasted.models.end(),
                                   [](const CModel& m) { return !m.faces.empty(); });
    if (pasted.materials.empty() && faces) {
        pasted.materials.emplace_back(0);
    }
    const AppendMark before = AppendMark::Of(scene);
    std::vector<int> idOf(pasted.materials.size(), kNoMaterial);
    for (std::size_t k = 0; k < pasted.materials.size(); ++k) {
        CMaterial& material = pasted.materials[k];
        const std::string line = FormatMQOMaterial(material);
        for (std::size_t e = 0; e < outcome.firstNewMaterial; ++e) {
            if (FormatMQOMaterial(scene.materials[e]) == line) {
                idOf[k] = scene.materials[e].id;
                break;
            }
        }
        if (idOf[k] == kNoMaterial) {
            material.id = scene.materialSerial++;
            material.UpdateColors();
            idOf[k] = material.id;
            scene.materials.push_back(std::move(material));
        }
    }
    for (CModel& model : pasted.models) {
        for (CFace& face : model.faces) {
            const bool known =
                face.material >= 0 && static_cast<std::size_t>(face.material) < idOf.size();
            face.material = known ? idOf[static_cast<std::size_t>(face.material)] : kNoMaterial;
        }
        model.id = ++scene.modelSerial;
        scene.models.push_back(std::move(model));
        ++outcome.objects;
    }
    RecordAppend(history, scene, before, step_name::kPaste);
    return outcome;
}
