#include "commands/parameters.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Shortest text that reads back as the number.
std::string NumberText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

std::string KindName(const Value& value) {
    switch (value.GetKind()) {
        case Value::Kind::Bool:
            return "true or false";
        case Value::Kind::Integer:
        case Value::Kind::Number:
            return NumberText(value.Number());
        case Value::Kind::Text:
            return "a string";
        case Value::Kind::List:
            return "a list of " + std::to_string(value.Items().size());
    }
    return "?";
}

class Checker {
public:
    explicit Checker(const ParamSpec& spec) : spec_(spec) {}

    std::variant<ParamValue, Refusal> Check(const Value& value) const {
        switch (spec_.kind) {
            case ParamKind::Float:
                return Number(value, spec_.name, false);
            case ParamKind::Int:
                return Number(value, spec_.name, true);
            case ParamKind::Bool:
                if (value.GetKind() != Value::Kind::Bool) {
                    return Wrong("true or false", value);
                }
                return ParamValue(value.Boolean());
            case ParamKind::Text:
                if (value.GetKind() != Value::Kind::Text) {
                    return Wrong("a string", value);
                }
                return ParamValue(value.Text());
            case ParamKind::Vec3:
                return Vector(value);
            case ParamKind::IntList:
                return Indices(value);
            case ParamKind::EdgeList:
                return Edges(value);
            case ParamKind::Choice:
                return Word(value);
        }
        return Wrong("a value", value);
    }

private:
    Refusal Wrong(std::string_view expected, const Value& value,
                  const std::string& where = {}) const {
        return {Reason::WrongType, (where.empty() ? spec_.name : where) + ": expected " +
                                       std::string(expected) + ", got " + KindName(value)};
    }

    bool IsNumber(const Value& value) const {
        return value.GetKind() == Value::Kind::Integer || value.GetKind() == Value::Kind::Number;
    }

    // A float or an int of `where`, within the bounds. Integers are also taken
    // as 3.0, as JSON writers print them.
    std::variant<ParamValue, Refusal> Number(const Value& value, const std::string& where,
                                             bool integer) const {
        const char* expected = integer ? "an integer" : "a number";
        if (!IsNumber(value)) {
            return Wrong(expected, value, where);
        }
        const double number = value.Number();
        const double limit = integer ? static_cast<double>(std::numeric_limits<int>::max())
                                     : static_cast<double>(std::numeric_limits<float>::max());
        if (!std::isfinite(number) || (integer && std::trunc(number) != number)) {
            return Wrong(expected, value, where);
        }
        const double low = spec_.minimum.value_or(-limit);
        const double high = spec_.maximum.value_or(limit);
        if (number < low || number > high) {
            return Refusal{Reason::OutOfRange, where + ": " + NumberText(number) + " is outside " +
                                                   NumberText(low) + " to " + NumberText(high)};
        }
        if (integer) {
            return ParamValue(static_cast<int>(number));
        }
        return ParamValue(static_cast<float>(number));
    }

    template <typename Item, typename ReadItem>
    std::variant<ParamValue, Refusal> List(const Value& value, std::string_view expected,
                                           ReadItem readItem) const {
        if (value.GetKind() != Value::Kind::List) {
            return Wrong(expected, value);
        }
        std::vector<Item> items;
        items.reserve(value.Items().size());
        for (std::size_t i = 0; i < value.Items().size(); ++i) {
            const std::string where = spec_.name + "[" + std::to_string(i) + "]";
            auto item = readItem(value.Items()[i], where);
            if (auto* refusal = std::get_if<Refusal>(&item)) {
                return std::move(*refusal);
            }
            items.push_back(std::get<Item>(std::move(item)));
        }
        return ParamValue(std::move(items));
    }

    std::variant<ParamValue, Refusal> Vector(const Value& value) const {
        constexpr std::string_view expected = "three numbers [x, y, z]";
        if (value.GetKind() != Value::Kind::List || value.Items().size() != 3) {
            return Wrong(expected, value);
        }
        float xyz[3];
        for (std::size_t i = 0; i < 3; ++i) {
            auto number =
                Number(value.Items()[i], spec_.name + "[" + std::to_string(i) + "]", false);
            if (auto* refusal = std::get_if<Refusal>(&number)) {
                return std::move(*refusal);
            }
            xyz[i] = std::get<float>(std::get<ParamValue>(number));
        }
        return ParamValue(CVector(xyz[0], xyz[1], xyz[2]));
    }

    std::variant<int, Refusal> Index(const Value& value, const std::string& where) const {
        auto number = Number(value, where, true);
        if (auto* refusal = std::get_if<Refusal>(&number)) {
            return std::move(*refusal);
        }
        return std::get<int>(std::get<ParamValue>(number));
    }

    std::variant<ParamValue, Refusal> Indices(const Value& value) const {
        return List<int>(
            value, "a list of integers",
            [this](const Value& item, const std::string& where) { return Index(item, where); });
    }

    std::variant<ParamValue, Refusal> Edges(const Value& value) const {
        return List<EdgeRef>(
            value, "a list of [face, corner] pairs",
            [this](const Value& item, const std::string& where) -> std::variant<EdgeRef, Refusal> {
                if (item.GetKind() != Value::Kind::List || item.Items().size() != 2) {
                    return Wrong("a [face, corner] pair", item, where);
                }
                auto face = Index(item.Items()[0], where + "[0]");
                if (auto* refusal = std::get_if<Refusal>(&face)) {
                    return std::move(*refusal);
                }
                auto corner = Index(item.Items()[1], where + "[1]");
                if (auto* refusal = std::get_if<Refusal>(&corner)) {
                    return std::move(*refusal);
                }
                return EdgeRef{std::get<int>(face), std::get<int>(corner)};
            });
    }

    std::variant<ParamValue, Refusal> Word(const Value& value) const {
        std::string words;
        for (const std::string& choice : spec_.choices) {
            words += (words.empty() ? "" : "|") + choice;
        }
        if (value.GetKind() == Value::Kind::Text) {
            for (std::size_t i = 0; i < spec_.choices.size(); ++i) {
                if (spec_.choices[i] == value.Text()) {
                    return ParamValue(static_cast<int>(i));
                }
            }
            return Refusal{Reason::OutOfRange,
                           spec_.name + ": \"" + value.Text() + "\" is not one of " + words};
        }
        return Wrong("one of " + words, value);
    }

    const ParamSpec& spec_;
};

}  // namespace

Value::Value(const std::vector<int>& items) : kind_(Kind::List) {
    items_.reserve(items.size());
    for (int i : items) {
        items_.emplace_back(i);
    }
}

Value::Value(const CVector& v) : kind_(Kind::List), items_{Value(v.x), Value(v.y), Value(v.z)} {}

ParamSpec ParamSpec::Between(double low, double high) && {
    minimum = low;
    maximum = high;
    return std::move(*this);
}

ParamSpec ParamSpec::Labelled(std::string text) && {
    label = std::move(text);
    return std::move(*this);
}

ParamSpec Required(std::string name, ParamKind kind, std::string help) {
    return {std::move(name), kind, std::nullopt, false, {}, {}, {}, std::move(help)};
}

ParamSpec Optional(std::string name, ParamKind kind, std::string help) {
    return {std::move(name), kind, std::nullopt, true, {}, {}, {}, std::move(help)};
}

ParamSpec WithDefault(std::string name, ParamValue value, std::string help) {
    static constexpr ParamKind kKinds[] = {ParamKind::Float,   ParamKind::Int,  ParamKind::Bool,
                                           ParamKind::Text,    ParamKind::Vec3, ParamKind::IntList,
                                           ParamKind::EdgeList};
    const ParamKind kind = kKinds[value.index()];
    return {std::move(name), kind, std::move(value), false, {}, {}, {}, std::move(help)};
}

ParamSpec ChoiceOf(std::string name, std::vector<std::string> choices,
                   std::optional<std::string> fallback, std::string help) {
    ParamSpec spec{
        std::move(name), ParamKind::Choice, std::nullopt, false, std::move(choices), {}, {},
        std::move(help)};
    for (std::size_t i = 0; fallback && i < spec.choices.size(); ++i) {
        if (spec.choices[i] == *fallback) {
            spec.fallback = ParamValue(static_cast<int>(i));
        }
    }
    return spec;
}

std::string DescribeParam(const ParamSpec& spec) {
    static constexpr const char* kShapes[] = {
        "number",
        "integer",
        "true|false",
        "\"text\"",
        "[x, y, z]",
        "[i, ...]",
        "[[face, corner], ...]",
    };
    std::string shape;
    if (spec.kind == ParamKind::Choice) {
        for (const std::string& choice : spec.choices) {
            shape += (shape.empty() ? "" : "|") + choice;
        }
    } else {
        shape = kShapes[static_cast<int>(spec.kind)];
    }
    std::string text = spec.name + ": " + shape;
    if (spec.fallback) {
        text += " = ";
        text += std::visit(
            [&spec](const auto& v) -> std::string {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, float>) {
                    return NumberText(v);
                } else if constexpr (std::is_same_v<T, int>) {
                    return spec.kind == ParamKind::Choice
                               ? spec.choices[static_cast<std::size_t>(v)]
                               : std::to_string(v);
                } else if constexpr (std::is_same_v<T, bool>) {
                    return v ? "true" : "false";
                } else if constexpr (std::is_same_v<T, std::string>) {
                    return "\"" + v + "\"";
                } else if constexpr (std::is_same_v<T, CVector>) {
                    return "[" + NumberText(v.x) + ", " + NumberText(v.y) + ", " + NumberText(v.z) +
                           "]";
                } else {
                    return "[]";
                }
            },
            *spec.fallback);
    } else if (spec.optional) {
        text += " (optional)";
    }
    return text;
}

std::variant<CommandArguments, Refusal> CheckArguments(const std::vector<ParamSpec>& specs,
                                                       const Values& values) {
    for (const auto& [name, value] : values) {
        bool known = false;
        for (const ParamSpec& spec : specs) {
            known = known || spec.name == name;
        }
        if (!known) {
            std::string accepted;
            for (const ParamSpec& spec : specs) {
                accepted += (accepted.empty() ? "" : ", ") + spec.name;
            }
            return Refusal{Reason::UnknownParameter,
                           name + (accepted.empty() ? " (the command takes none)"
                                                    : " (the command takes " + accepted + ")")};
        }
    }
    CommandArguments arguments;
    for (const ParamSpec& spec : specs) {
        const auto given = values.find(spec.name);
        if (given == values.end()) {
            if (spec.fallback) {
                arguments.Set(spec.name, *spec.fallback);
            } else if (!spec.optional) {
                return Refusal{Reason::MissingParameter, spec.name};
            }
            continue;
        }
        auto checked = Checker(spec).Check(given->second);
        if (auto* refusal = std::get_if<Refusal>(&checked)) {
            return std::move(*refusal);
        }
        arguments.Set(spec.name, std::get<ParamValue>(std::move(checked)));
    }
    return arguments;
}
