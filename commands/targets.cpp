#include "commands/targets.h"

#include <algorithm>
#include <climits>
#include <string>

#include "scene/centigrade.h"
#include "scene/cp932.h"

namespace {

template <typename Record>
Record* At(std::vector<Record>& records, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
        return nullptr;
    }
    return &records[static_cast<std::size_t>(index)];
}

std::variant<std::size_t, Refusal> Indexed(std::size_t count, const CommandArguments& args,
                                           std::string_view name, int current, Reason noCurrent,
                                           Reason noSuch, std::string_view what) {
    if (!args.Has(name)) {
        if (current < 0 || static_cast<std::size_t>(current) >= count) {
            return Refusal{noCurrent, {}};
        }
        return static_cast<std::size_t>(current);
    }
    const int index = args.Int(name);
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        return Refusal{noSuch, std::string(name) + ": " + std::to_string(index) +
                                   ", but the scene has " + std::to_string(count) + " " +
                                   std::string(what)};
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

CModel* CurrentModel(CCentigrade& scene) {
    return At(scene.models, scene.currentModel);
}

CMaterial* CurrentMaterial(CCentigrade& scene) {
    return At(scene.materials, scene.currentMaterial);
}

std::variant<std::size_t, Refusal> NamedObject(const CCentigrade& scene,
                                               const CommandArguments& args, std::string_view name,
                                               bool editable) {
    auto object = Indexed(scene.models.size(), args, name, scene.currentModel,
                          Reason::NoCurrentObject, Reason::NoSuchObject, "objects");
    if (const std::size_t* index = std::get_if<std::size_t>(&object);
        index && editable && !scene.models[*index].IsEditable()) {
        return Refusal{Reason::ObjectNotEditable, "object " + std::to_string(*index)};
    }
    return object;
}

std::variant<std::size_t, Refusal> NamedMaterial(const CCentigrade& scene,
                                                 const CommandArguments& args,
                                                 std::string_view name) {
    return Indexed(scene.materials.size(), args, name, scene.currentMaterial,
                   Reason::NoCurrentMaterial, Reason::NoSuchMaterial, "materials");
}

std::variant<std::vector<std::size_t>, Refusal> NamedElements(const CommandArguments& args,
                                                              std::string_view name,
                                                              std::size_t count,
                                                              std::string_view what) {
    const std::vector<int>& given = args.Ints(name);
    std::vector<std::size_t> indices;
    indices.reserve(given.size());
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given[i] < 0 || static_cast<std::size_t>(given[i]) >= count) {
            return Refusal{Reason::NoSuchElement,
                           std::string(name) + "[" + std::to_string(i) +
                               "]: " + std::to_string(given[i]) + ", but the object has " +
                               std::to_string(count) + " " + std::string(what)};
        }
        indices.push_back(static_cast<std::size_t>(given[i]));
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

std::variant<std::string, Refusal> SceneName(const CommandArguments& args, std::string_view name) {
    const std::string& text = args.Text(name);
    int replaced = 0;
    std::string cp932 = Utf8ToCp932(text, &replaced);
    if (replaced > 0) {
        return Refusal{Reason::UnsavableText, std::string(name) + ": \"" + text + "\""};
    }
    return cp932;
}

std::optional<Reason> AnyEditableObject(const CommandState& state) {
    return state.anyEditableObject ? std::nullopt : std::optional(Reason::NoEditableObject);
}

std::optional<Reason> AnyObject(const CommandState& state) {
    return state.objects > 0 ? std::nullopt : std::optional(Reason::NoSuchObject);
}

std::optional<Reason> AnyMaterial(const CommandState& state) {
    return state.materials > 0 ? std::nullopt : std::optional(Reason::NoSuchMaterial);
}

ParamSpec ObjectParam() {
    return Optional("object", ParamKind::Int, "the object's index; the current one if left out");
}

ParamSpec MaterialParam() {
    return Optional("material", ParamKind::Int,
                    "the material's index in the list; the current one if left out");
}

std::optional<Refusal> MakeCurrent(int& current, const CommandArguments& args,
                                   const std::string& name, std::size_t count,
                                   std::string_view plural, Reason noSuch) {
    const int index = args.Int(name);
    if (index >= static_cast<int>(count)) {
        return Refusal{noSuch, name + ": " + std::to_string(index) + ", but the scene has " +
                                   std::to_string(count) + " " + std::string(plural)};
    }
    current = index;
    return std::nullopt;
}

CommandSpec CurrentCommand(std::string id, std::string text, std::string statusTip,
                           const std::string& name, PerformFunction perform, std::string help) {
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .params = {Required(name, ParamKind::Int, "the " + name + "'s index; -1 for none")
                           .Between(-1, INT_MAX)},
            .perform = perform,
            .help = std::move(help)};
}

CommandSpec RecordCommand(std::string id, std::string text, std::string statusTip,
                          std::vector<ParamSpec> params, EnabledRule enabled,
                          PerformFunction perform, std::string help) {
    return {.id = std::move(id),
            .text = std::move(text),
            .statusTip = std::move(statusTip),
            .params = std::move(params),
            .enabled = enabled,
            .perform = perform,
            .help = std::move(help)};
}
