// The face tools without a click: painting faces with a material and
// deleting faces, named by index or by the selection, each one step.
#include "commands/command_table.h"
#include "commands/targets.h"
#include "history/face_steps.h"
#include "history/step_names.h"
#include "scene/centigrade.h"

namespace {

std::vector<std::size_t> SelectedFaces(const CModel& model) {
    std::vector<std::size_t> faces;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (model.faces[f].selected) {
            faces.push_back(f);
        }
    }
    return faces;
}

// Runs edit(faces): those of parameter "faces", else the selected faces of the object.
template <typename Edit>
std::optional<Refusal> OnFaces(const CModel& model, const CommandArguments& args, Edit edit) {
    if (args.Has("faces")) {
        auto faces = NamedElements(args, "faces", model.faces.size(), "faces");
        if (auto refusal = RefusalOf(faces)) {
            return refusal;
        }
        edit(std::get<std::vector<std::size_t>>(std::move(faces)));
        return std::nullopt;
    }
    std::vector<std::size_t> faces = SelectedFaces(model);
    if (faces.empty()) {
        return Refusal{Reason::NoSelectedFaces, {}};
    }
    edit(std::move(faces));
    return std::nullopt;
}

std::optional<Refusal> Paint(CommandContext& context, const CommandArguments& args) {
    CCentigrade& scene = context.scene;
    auto material = NamedMaterial(scene, args, "material");
    if (auto refusal = RefusalOf(material)) {
        return refusal;
    }
    // Faces name their material by number, not by place in the list.
    const int number = scene.materials[std::get<std::size_t>(material)].id;
    return OnTarget(NamedObject(scene, args, "object", true), [&](std::size_t model) {
        return OnFaces(scene.models[model], args, [&](std::vector<std::size_t> faces) {
            PaintFaces(context.history, scene, model, faces, number);
        });
    });
}

// Without an object or faces, the selected faces of every editable object go.
std::optional<Refusal> Delete(CommandContext& context, const CommandArguments& args) {
    CCentigrade& scene = context.scene;
    if (!args.Has("object") && !args.Has("faces")) {
        if (!DeleteSelectedFaces(context.history, scene, std::string(step_name::kDeleteFace))) {
            return Refusal{Reason::NoSelectedFaces, {}};
        }
        scene.ComputeAllNormals();
        return std::nullopt;
    }
    return OnTarget(NamedObject(scene, args, "object", true), [&](std::size_t model) {
        return OnFaces(scene.models[model], args, [&](std::vector<std::size_t> faces) {
            DeleteFaces(context.history, scene, model, std::move(faces), step_name::kDeleteFace);
            scene.models[model].ComputeNormals(scene.smooth);
        });
    });
}

const CommandRegistration kFaceCommands{{
    {.id = "face.paint",
     .text = "材質塗り",
     .statusTip = "面を材質で塗る",
     .params = {ObjectParam(),
                Optional("faces", ParamKind::IntList,
                         "face indices; the object's selected faces if left out"),
                MaterialParam()},
     .enabled = AnyEditableObject,
     .perform = Paint,
     .help = "give faces a material"},
    {.id = "face.delete",
     .text = "面削除",
     .statusTip = "面を削除する",
     .params = {ObjectParam(), Optional("faces", ParamKind::IntList,
                                        "face indices; the selected faces if left out")},
     .enabled = AnyEditableObject,
     .perform = Delete,
     .help = "delete faces; without object and faces, the selected faces of every editable "
             "object"},
}};

}  // namespace
