// The objects, materials and elements commands name, checked against the
// scene before a command changes anything. Each refusal names the parameter
// and the count it exceeded.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "commands/command.h"
#include "commands/command_state.h"
#include "commands/parameters.h"
#include "commands/refusal.h"

class CCentigrade;
class CMaterial;
class CModel;

// The object at currentModel, or null when that index names none.
CModel* CurrentModel(CCentigrade& scene);
// The material at currentMaterial, or null when that index names none.
CMaterial* CurrentMaterial(CCentigrade& scene);

// The object of parameter `name` when given, else the current one; with
// `editable`, one that is neither locked nor hidden.
std::variant<std::size_t, Refusal> NamedObject(const CCentigrade& scene,
                                               const CommandArguments& args, std::string_view name,
                                               bool editable);
// The material of parameter `name` when given, else the current one.
std::variant<std::size_t, Refusal> NamedMaterial(const CCentigrade& scene,
                                                 const CommandArguments& args,
                                                 std::string_view name);

// Indices of list parameter `name` against `count` elements of `object`,
// sorted and without repeats; `what` names the elements ("faces").
std::variant<std::vector<std::size_t>, Refusal> NamedElements(const CommandArguments& args,
                                                              std::string_view name,
                                                              std::size_t count,
                                                              std::string_view what);

// Reads text parameter `name` (UTF-8, as scripts write) as the code page 932
// bytes the scene stores names in; refused when it holds characters that code
// page lacks.
std::variant<std::string, Refusal> SceneName(const CommandArguments& args, std::string_view name);

// The enabled rules of the commands that need an editable object, any
// object, any material.
std::optional<Reason> AnyEditableObject(const CommandState& state);
std::optional<Reason> AnyObject(const CommandState& state);
std::optional<Reason> AnyMaterial(const CommandState& state);

// The optional "object" and "material" parameters: the current one if left out.
ParamSpec ObjectParam();
ParamSpec MaterialParam();

// Sets `current` (currentModel, currentMaterial) to the index `name` gives,
// of `count` records called `plural`; -1 makes none current.
std::optional<Refusal> MakeCurrent(int& current, const CommandArguments& args,
                                   const std::string& name, std::size_t count,
                                   std::string_view plural, Reason noSuch);

// The entry of "object.current" or "material.current": parameter `name` is
// the record's index in its list, -1 for none.
CommandSpec CurrentCommand(std::string id, std::string text, std::string statusTip,
                           const std::string& name, PerformFunction perform, std::string help);
// The entry of a command on one record of the object or material list:
// `params` begin with ObjectParam() or MaterialParam(), `enabled` asks for such a record.
CommandSpec RecordCommand(std::string id, std::string text, std::string statusTip,
                          std::vector<ParamSpec> params, EnabledRule enabled,
                          PerformFunction perform, std::string help);

// Runs edit(value) on what `target` found (an object's or material's index,
// a name), or gives its refusal.
template <typename T, typename Edit>
std::optional<Refusal> OnTarget(std::variant<T, Refusal> target, Edit edit) {
    if (auto* refusal = std::get_if<Refusal>(&target)) {
        return std::move(*refusal);
    }
    return edit(std::get<T>(std::move(target)));
}

// The refusal in `result`, if any.
template <typename T>
std::optional<Refusal> RefusalOf(std::variant<T, Refusal>& result) {
    if (auto* refusal = std::get_if<Refusal>(&result)) {
        return std::move(*refusal);
    }
    return std::nullopt;
}
