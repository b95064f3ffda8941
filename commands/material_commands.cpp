// The material list and form: the current material and the fields of a
// material, each edit one step of the history.
#include "commands/command_table.h"
#include "commands/material_edits.h"
#include "commands/targets.h"
#include "scene/centigrade.h"

namespace {

std::optional<Refusal> Choose(CommandContext& context, const CommandArguments& args) {
    return MakeCurrent(context.scene.currentMaterial, args, "material",
                       context.scene.materials.size(), "materials", Reason::NoSuchMaterial);
}

// Runs edit(material index) on the named material.
template <typename Edit>
std::optional<Refusal> OnMaterial(CommandContext& context, const CommandArguments& args,
                                  Edit edit) {
    return OnTarget(NamedMaterial(context.scene, args, "material"), edit);
}

std::optional<Refusal> ShowProperties(CommandContext& context, const CommandArguments& args) {
    return OnMaterial(context, args, [&](std::size_t material) {
        context.scene.currentMaterial = static_cast<int>(material);
        context.scene.toolMode = ToolMaterialForm;
        return std::nullopt;
    });
}

// Every field given changes in one step.
std::optional<Refusal> SetValues(CommandContext& context, const CommandArguments& args) {
    std::vector<std::pair<MaterialValue, float>> values;
    for (std::size_t i = 0; i < std::size(kMaterialValues); ++i) {
        const char* name = MaterialValueName(kMaterialValues[i]);
        if (args.Has(name)) {
            values.emplace_back(kMaterialValues[i], args.Float(name));
        }
    }
    if (values.empty()) {
        return Refusal{Reason::NothingToChange,
                       "give one of red, green, blue, alpha, diffuse, "
                       "emissive, specular, power, ambient"};
    }
    return OnMaterial(context, args, [&](std::size_t material) {
        SetMaterialValues(context.history, context.scene, material, values);
        return std::nullopt;
    });
}

std::optional<Refusal> Rename(CommandContext& context, const CommandArguments& args) {
    return OnMaterial(context, args, [&](std::size_t index) {
        return OnTarget(SceneName(args, "name"), [&](std::string name) {
            RenameMaterial(context.history, context.scene, index, std::move(name));
            return std::nullopt;
        });
    });
}

// A texture that cannot be loaded keeps its name; the outcome says why.
std::optional<Refusal> Texture(CommandContext& context, const CommandArguments& args) {
    return OnMaterial(context, args, [&](std::size_t index) {
        return OnTarget(SceneName(args, "texture"), [&](std::string name) {
            SetMaterialTexture(context.history, context.scene, index, name,
                               context.textureFailures);
            return std::nullopt;
        });
    });
}

std::vector<ParamSpec> ValueParams() {
    std::vector<ParamSpec> params{MaterialParam()};
    for (std::size_t i = 0; i < std::size(kMaterialValues); ++i) {
        params.push_back(
            Optional(MaterialValueName(kMaterialValues[i]), ParamKind::Float, "the new value")
                .Between(0, MaterialValueLimit(kMaterialValues[i])));
    }
    return params;
}

const CommandRegistration kMaterialCommands{{
    CurrentCommand("material.current", "現在の材質", "材質を選ぶ", "material", Choose,
                   "make a material current (the paint tool uses it)"),
    RecordCommand("material.properties", "材質のプロパティ", "材質のプロパティを表示する",
                  {MaterialParam()}, AnyMaterial, ShowProperties,
                  "make a material current and show its form"),
    RecordCommand("material.set", "材質の変更", "材質の色と係数を変える", ValueParams(),
                  AnyMaterial, SetValues,
                  "set a material's colour and factors (0 to 1; power 0 to 100)"),
    RecordCommand("material.rename", "材質名", "材質の名前を変える",
                  {MaterialParam(), Required("name", ParamKind::Text, "the new name")}, AnyMaterial,
                  Rename, "rename a material"),
    RecordCommand("material.texture", "テクスチャ", "材質のテクスチャを変える",
                  {MaterialParam(), Required("texture", ParamKind::Text,
                                             "the file name, relative to the document's folder "
                                             "or absolute; empty for none")},
                  AnyMaterial, Texture, "name a material's texture and load it"),
}};

}  // namespace
