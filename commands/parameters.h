// The named, typed parameters of commands: what a caller hands in (`Value`,
// the kinds of JSON with integers apart), what a command declares
// (`ParamSpec`), and what it reads once they agree (`CommandArguments`).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "commands/refusal.h"
#include "scene/vector.h"

// A value as a script, a form or Python gives it, before it is checked.
class Value {
public:
    enum class Kind { Bool, Integer, Number, Text, List };

    Value(bool value) : kind_(Kind::Bool), integer_(value ? 1 : 0) {}
    Value(int value) : kind_(Kind::Integer), integer_(value) {}
    Value(std::int64_t value) : kind_(Kind::Integer), integer_(value) {}
    Value(double value) : kind_(Kind::Number), number_(value) {}
    Value(float value) : kind_(Kind::Number), number_(value) {}
    Value(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    Value(const char* text) : kind_(Kind::Text), text_(text) {}
    Value(std::vector<Value> items) : kind_(Kind::List), items_(std::move(items)) {}
    Value(const std::vector<int>& items);
    Value(const CVector& v);

    Kind GetKind() const { return kind_; }
    bool Boolean() const { return integer_ != 0; }
    std::int64_t Integer() const { return integer_; }
    // The number of an Integer or a Number.
    double Number() const {
        return kind_ == Kind::Integer ? static_cast<double>(integer_) : number_;
    }
    const std::string& Text() const { return text_; }
    const std::vector<Value>& Items() const { return items_; }

private:
    Kind kind_;
    std::int64_t integer_ = 0;
    double number_ = 0;
    std::string text_;
    std::vector<Value> items_;
};

// Named values, as a JSON object holds them.
using Values = std::map<std::string, Value, std::less<>>;

// An edge as a script names it: corner `corner` of face `face` to the next corner.
struct EdgeRef {
    int face = 0;
    int corner = 0;

    friend bool operator==(const EdgeRef&, const EdgeRef&) = default;
};

enum class ParamKind { Float, Int, Bool, Text, Vec3, IntList, EdgeList, Choice };

// A checked value. A choice is held as the index of the word among the choices.
using ParamValue =
    std::variant<float, int, bool, std::string, CVector, std::vector<int>, std::vector<EdgeRef>>;

struct ParamSpec {
    std::string name;
    ParamKind kind = ParamKind::Float;
    // Used when the caller leaves the parameter out.
    std::optional<ParamValue> fallback;
    // May be left out with no value at all; the command asks CommandArguments::Has.
    bool optional = false;
    // The words a Choice accepts, in the order of their indices.
    std::vector<std::string> choices;
    // Inclusive bounds of a number, of each coordinate and of each list item.
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::string help;  // one English line
    // The Japanese label of the parameter in the window's dialog; a parameter
    // without one is not asked for there (it comes from the selection, or
    // its fallback serves).
    std::string label;

    ParamSpec Between(double low, double high) &&;
    ParamSpec Labelled(std::string text) &&;
    bool Required() const { return !fallback && !optional; }
};

// Parameters in the words of a command table.
ParamSpec Required(std::string name, ParamKind kind, std::string help);
ParamSpec Optional(std::string name, ParamKind kind, std::string help);
ParamSpec WithDefault(std::string name, ParamValue value, std::string help);
ParamSpec ChoiceOf(std::string name, std::vector<std::string> choices,
                   std::optional<std::string> fallback, std::string help);

// How a parameter is spelt in a usage line: "by: [x, y, z]", "axis: x|y|z = x".
std::string DescribeParam(const ParamSpec& spec);

class CommandArguments {
public:
    // Given, or declared with a default.
    bool Has(std::string_view name) const { return values_.find(name) != values_.end(); }

    float Float(std::string_view name) const { return Get<float>(name); }
    int Int(std::string_view name) const { return Get<int>(name); }
    bool Bool(std::string_view name) const { return Get<bool>(name); }
    const std::string& Text(std::string_view name) const { return Get<std::string>(name); }
    const CVector& Vec3(std::string_view name) const { return Get<CVector>(name); }
    const std::vector<int>& Ints(std::string_view name) const {
        return Get<std::vector<int>>(name);
    }
    const std::vector<EdgeRef>& Edges(std::string_view name) const {
        return Get<std::vector<EdgeRef>>(name);
    }
    // The index of the chosen word among the parameter's choices.
    int Choice(std::string_view name) const { return Get<int>(name); }

    void Set(std::string name, ParamValue value) { values_[std::move(name)] = std::move(value); }

private:
    template <typename T>
    const T& Get(std::string_view name) const {
        return std::get<T>(values_.find(name)->second);
    }

    std::map<std::string, ParamValue, std::less<>> values_;
};

// Checks `values` against `specs`: every name known, every required one
// given, every value of its kind and within its bounds. The refusal names the
// parameter.
std::variant<CommandArguments, Refusal> CheckArguments(const std::vector<ParamSpec>& specs,
                                                       const Values& values);
