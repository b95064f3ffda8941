// The material list and form: the current material and the fields of a
// material, each edit one step of the history.
#include <climits>

#include "commands/command_table.h"
#include "commands/material_edits.h"
#include "commands/targets.h"
#include "scene/centigrade.h"

namespace {

// The parameter names of the numeric fields, in the order of kMaterialValues.
constexpr const char* kValueNames[] = {"red",      "green",    "blue",  "alpha",  "diffuse",
                                       "emissive", "specular", "power", "ambient"};
static_assert(std::size(kValueNames) == std::size(kMaterialValues));

std::optional<Refusal> MakeCurrent(CommandContext& context, const CommandArguments& args) {
    const int index = args.Int("material");
    if (index >= static_cast<int>(context.scene.materials.size())) {
        return Refusal{Reason::NoSuchMaterial,
                       "material: " + std::to_string(index) + ", but the scene has " +
                           std::to_string(context.scene.materials.size()) + " materials"};
    }
    context.scene.currentMaterial = index;
    return std::nullopt;
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
        if (args.Has(kValueNames[i])) {
            values.emplace_back(kMaterialValues[i], args.Float(kValueNames[i]));
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
        params.push_back(Optional(kValueNames[i], ParamKind::Float, "the new value")
                             .Between(0, MaterialValueLimit(kMaterialValues[i])));
    }
    return params;
}

const CommandRegistration kMaterialCommands{{
    {.id = "material.current",
     .text = "現在の材質",
     .statusTip = "材質を選ぶ",
     .params = {Required("material", ParamKind::Int, "the material's index; -1 for none")
                    .Between(-1, INT_MAX)},
     .perform = MakeCurrent,
     .help = "make a material current (the paint tool uses it)"},
    {.id = "material.properties",
     .text = "材質のプロパティ",
     .statusTip = "材質のプロパティを表示する",
     .params = {MaterialParam()},
     .enabled = AnyMaterial,
     .perform = ShowProperties,
     .help = "make a material current and show its form"},
    {.id = "material.set",
     .text = "材質の変更",
     .statusTip = "材質の色と係数を変える",
     .params = ValueParams(),
     .enabled = AnyMaterial,
     .perform = SetValues,
     .help = "set a material's colour and factors (0 to 1; power 0 to 100)"},
    {.id = "material.rename",
     .text = "材質名",
     .statusTip = "材質の名前を変える",
     .params = {MaterialParam(), Required("name", ParamKind::Text, "the new name")},
     .enabled = AnyMaterial,
     .perform = Rename,
     .help = "rename a material"},
    {.id = "material.texture",
     .text = "テクスチャ",
     .statusTip = "材質のテクスチャを変える",
     .params = {MaterialParam(),
                Required("texture", ParamKind::Text,
                         "the file name, relative to the document's folder or absolute; "
                         "empty for none")},
     .enabled = AnyMaterial,
     .perform = Texture,
     .help = "name a material's texture and load it"},
}};

}  // namespace
