// "quorvel-cli run": a script of commands applied to a document without a
// window, and "quorvel-cli commands": the commands a script can run.
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <variant>

#include "cli/commands.h"
#include "cli/scene_json.h"
#include "commands/command_table.h"
#include "commands/session.h"
#include "exchange/document_files.h"
#include "exchange/format_losses.h"
#include "exchange/loader_mqo.h"

namespace {

using Json = nlohmann::json;

constexpr const char* kUsage = "usage: quorvel-cli run IN OUT SCRIPT.jsonl [--dump]";

// One line of the script: a command and its parameters.
struct ScriptLine {
    std::size_t number = 0;
    std::string command;
    Values values;
};

std::variant<Value, std::string> ToValue(const Json& json, const std::string& where) {
    switch (json.type()) {
        case Json::value_t::boolean:
            return Value(json.get<bool>());
        case Json::value_t::number_integer:
            return Value(json.get<std::int64_t>());
        case Json::value_t::number_unsigned:
            if (json.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
                return Value(json.get<double>());
            }
            return Value(static_cast<std::int64_t>(json.get<std::uint64_t>()));
        case Json::value_t::number_float:
            return Value(json.get<double>());
        case Json::value_t::string:
            return Value(json.get<std::string>());
        case Json::value_t::array: {
            std::vector<Value> items;
            for (std::size_t i = 0; i < json.size(); ++i) {
                auto item = ToValue(json[i], where + "[" + std::to_string(i) + "]");
                if (auto* error = std::get_if<std::string>(&item)) {
                    return *error;
                }
                items.push_back(std::get<Value>(std::move(item)));
            }
            return Value(std::move(items));
        }
        default:
            return where + ": expected a number, true, false, a string or a list, got " +
                   json.type_name();
    }
}

// Reads the line's command and parameters and checks them against the
// command table: an unknown command, one that needs the window, or a
// parameter it does not take, is refused before anything runs.
std::variant<ScriptLine, std::string> ReadLine(const std::string& text, std::size_t number) {
    Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        return std::string("not a JSON object");
    }
    if (!json.is_object() || !json.contains("command") || !json["command"].is_string()) {
        return std::string("expected an object with a \"command\" string");
    }
    ScriptLine line{number, json["command"].get<std::string>(), {}};
    for (const auto& [name, member] : json.items()) {
        if (name == "command") {
            continue;
        }
        auto value = ToValue(member, name);
        if (auto* error = std::get_if<std::string>(&value)) {
            return line.command + ": " + Refusal{Reason::WrongType, *error}.Message();
        }
        line.values.emplace(name, std::get<Value>(std::move(value)));
    }
    const CommandSpec* spec = CommandTable::Global().Find(line.command);
    std::optional<Refusal> refusal;
    if (!spec) {
        refusal = Refusal{Reason::UnknownCommand, {}};
    } else if (!spec->Headless()) {
        refusal = Refusal{Reason::NeedsWindow, {}};
    } else if (auto checked = CheckArguments(spec->params, line.values);
               std::holds_alternative<Refusal>(checked)) {
        refusal = std::get<Refusal>(std::move(checked));
    }
    if (refusal) {
        return line.command + ": " + refusal->Message();
    }
    return line;
}

// What a script changes besides the document: the tools, the selection, the
// manipulator's centre, the history.
nlohmann::ordered_json SessionJson(const CommandSession& session) {
    const CCentigrade& scene = session.Scene();
    const CommandState state = session.State();
    nlohmann::ordered_json json;
    json["tool"] = scene.toolMode;
    json["selectMode"] = scene.selectMode;
    json["selectable"] = {scene.vertexSelectable, scene.edgeSelectable, scene.faceSelectable};
    json["display"] = {scene.showVertices, scene.showEdges, scene.showFaces, scene.showAxis};
    json["currentObject"] = scene.currentModel;
    json["currentMaterial"] = scene.currentMaterial;
    json["centre"] = VectorToJson(scene.gizmo);
    json["selected"] = {{"vertices", state.selected.vertices},
                        {"edges", state.selected.edges},
                        {"faces", state.selected.faces}};
    json["modified"] = session.Modified();
    json["undo"] = state.undoName;
    json["redo"] = state.redoName;
    return json;
}

// Blank lines are passed over.
std::variant<std::vector<ScriptLine>, int> ReadScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail(1, path + ": cannot be read");
    }
    std::vector<ScriptLine> lines;
    std::string text;
    for (std::size_t number = 1; std::getline(in, text); ++number) {
        if (text.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        auto line = ReadLine(text, number);
        if (auto* error = std::get_if<std::string>(&line)) {
            return Fail(2, path + ":" + std::to_string(number) + ": " + *error);
        }
        lines.push_back(std::get<ScriptLine>(std::move(line)));
    }
    if (in.bad()) {
        return Fail(1, path + ": cannot be read");
    }
    return lines;
}

}  // namespace

int RunScript(const Arguments& args) {
    std::vector<std::string> files;
    bool dump = false;
    for (const std::string& a : args) {
        if (a == "--dump") {
            dump = true;
        } else if (a.starts_with("--")) {
            return Fail(2, kUsage);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 3) {
        return Fail(2, kUsage);
    }
    const std::string& in = files[0];
    const std::string& out = files[1];
    const std::string& scriptPath = files[2];

    auto script = ReadScript(scriptPath);
    if (const int* status = std::get_if<int>(&script)) {
        return *status;
    }
    CommandSession session;
    DocumentLoadResult loaded;
    try {
        loaded = OpenDocumentFile(in, session.Scene());
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    ReportTextureFailures(loaded.textureFailures);
    if (loaded.importResult != 0) {
        return Fail(1, in + ": read stopped early (import result " +
                           std::to_string(loaded.importResult) + ", " +
                           std::string(MqoResultText(loaded.importResult)) + "); nothing written");
    }
    for (const ScriptLine& line : std::get<std::vector<ScriptLine>>(script)) {
        const CommandOutcome outcome = session.Run(line.command, line.values);
        if (outcome.refusal) {
            return Fail(2, scriptPath + ":" + std::to_string(line.number) + ": " + line.command +
                               ": " + outcome.refusal->Message() + "; nothing written");
        }
        ReportTextureFailures(outcome.textureFailures);
        if (dump) {
            auto json = SceneToJson(session.Scene(), loaded.repairs, true);
            json["session"] = SessionJson(session);
            std::printf("%s\n", json.dump().c_str());
        }
    }
    std::fflush(stdout);
    try {
        SaveDocumentFile(out, session.Scene());
    } catch (const DocumentError& e) {
        return Fail(1, e.what());
    }
    if (const std::string notice = FormatLossNotice(out, session.Scene(), NoticeLanguage::English);
        !notice.empty()) {
        std::fprintf(stderr, "quorvel-cli: %s: %s\n", out.c_str(), notice.c_str());
    }
    return 0;
}

int ListCommands(const Arguments& args) {
    if (!args.empty()) {
        return Fail(2, "usage: quorvel-cli commands");
    }
    for (const CommandSpec* spec : CommandTable::Global().All()) {
        if (!spec->Headless()) {
            continue;
        }
        std::printf("%s  %s\n", spec->id.c_str(), spec->help.c_str());
        for (const ParamSpec& param : spec->params) {
            std::printf("    %s  %s\n", DescribeParam(param).c_str(), param.help.c_str());
        }
    }
    return 0;
}
