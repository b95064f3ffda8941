// The commands of the modeler for Python: Scene.run, undo and redo, the
// modified flag, quorvel.commands() and CommandError.
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "commands/command_table.h"
#include "python/bindings.h"

namespace {

// Made once and kept for the life of the process, like DocumentError.
PyObject* commandError = nullptr;

// A command that did not run, as Python sees it.
struct CommandFailure {
    std::string command;
    Refusal refusal;
};

[[noreturn]] void Refuse(std::string command, Reason reason, std::string detail) {
    throw CommandFailure{std::move(command), Refusal{reason, std::move(detail)}};
}

// What Scene.run returns.
struct CommandResult {
    std::string step;     // the step recorded, undone or redone; empty when none
    std::string history;  // "recorded", "undone", "redone" or ""
    std::vector<std::size_t> objectsAdded;
    std::vector<std::size_t> objectsRemoved;
    std::vector<TextureFailure> textureFailures;
};

class ValueReader {
public:
    explicit ValueReader(std::string command) : command_(std::move(command)) {}

    // A Python value as a command takes it: bool, int, float, str, a list or
    // tuple of them, or NumPy's scalars and arrays of them.
    Value Read(const py::handle& value, const std::string& where) const {
        if (py::isinstance<py::bool_>(value)) {
            return Value(value.cast<bool>());
        }
        if (py::isinstance<py::int_>(value)) {
            int overflow = 0;
            const long long integer = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
            if (overflow != 0) {
                Refuse(command_, Reason::OutOfRange, where + ": the integer is too large");
            }
            return Value(static_cast<std::int64_t>(integer));
        }
        if (py::isinstance<py::float_>(value)) {
            return Value(value.cast<double>());
        }
        if (py::isinstance<py::str>(value)) {
            return Value(value.cast<std::string>());
        }
        if (py::isinstance<py::array>(value)) {
            return ReadArray(py::reinterpret_borrow<py::array>(value), where);
        }
        if (py::isinstance(value, NumpyScalar())) {
            return Read(value.attr("item")(), where);
        }
        if (py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value)) {
            const auto sequence = py::reinterpret_borrow<py::sequence>(value);
            std::vector<Value> items;
            items.reserve(sequence.size());
            for (std::size_t i = 0; i < sequence.size(); ++i) {
                items.push_back(Read(sequence[i], where + "[" + std::to_string(i) + "]"));
            }
            return Value(std::move(items));
        }
        Refuse(command_, Reason::WrongType,
               where + ": expected a bool, a number, a str or a list, got " +
                   std::string(py::str(value.get_type().attr("__name__"))));
    }

private:
    Value ReadArray(const py::array& array, const std::string& where) const {
        // Index lists come large: read them without a Python object an item.
        const char kind = array.dtype().kind();
        if (array.ndim() == 1 && (kind == 'i' || kind == 'u')) {
            const auto integers =
                py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(array);
            if (!integers) {
                throw py::error_already_set();
            }
            std::vector<Value> items;
            items.reserve(static_cast<std::size_t>(integers.size()));
            for (py::ssize_t i = 0; i < integers.size(); ++i) {
                items.emplace_back(integers.data()[i]);
            }
            return Value(std::move(items));
        }
        return Read(array.attr("tolist")(), where);
    }

    static py::handle NumpyScalar() {
        static const py::object generic = py::module_::import("numpy").attr("generic");
        return generic;
    }

    std::string command_;
};

Values ReadValues(const std::string& command, const py::kwargs& params) {
    const ValueReader reader(command);
    Values values;
    for (const auto& [name, value] : params) {
        const auto key = name.cast<std::string>();
        values.emplace(key, reader.Read(value, key));
    }
    return values;
}

const char* HistoryWord(HistoryMove move) {
    switch (move) {
        case HistoryMove::Recorded:
            return "recorded";
        case HistoryMove::Undone:
            return "undone";
        case HistoryMove::Redone:
            return "redone";
        case HistoryMove::None:
            break;
    }
    return "";
}

CommandResult Run(const SceneRef& scene, const std::string& command, const py::kwargs& params) {
    const Values values = ReadValues(command, params);
    std::unique_lock lock(scene->Mutex());
    CommandOutcome outcome = RunReleased(lock, [&] { return scene->Run(command, values); });
    if (outcome.refusal) {
        throw CommandFailure{command, std::move(*outcome.refusal)};
    }
    const ChangeReport& report = outcome.report;
    return {report.step, HistoryWord(report.history), report.objectsAdded, report.objectsRemoved,
            std::move(outcome.textureFailures)};
}

// Undo or redo: false when there was nothing to take back or do again.
bool Step(const SceneRef& scene, const char* command, Reason nothing) {
    std::unique_lock lock(scene->Mutex());
    CommandOutcome outcome = RunReleased(lock, [&] { return scene->Run(command, {}); });
    if (outcome.refusal && outcome.refusal->reason != nothing) {
        throw CommandFailure{command, std::move(*outcome.refusal)};
    }
    return !outcome.refusal;
}

const char* KindWord(ParamKind kind) {
    static constexpr const char* kWords[] = {"float",  "int",      "bool",      "str",
                                             "vector", "int_list", "edge_list", "choice"};
    return kWords[static_cast<int>(kind)];
}

py::object DefaultOf(const ParamSpec& spec) {
    if (!spec.fallback) {
        return py::none();
    }
    return std::visit(
        [&spec](const auto& v) -> py::object {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, CVector>) {
                return py::make_tuple(v.x, v.y, v.z);
            } else if constexpr (std::is_same_v<T, std::vector<EdgeRef>>) {
                py::list edges;
                for (const EdgeRef& e : v) {
                    edges.append(py::make_tuple(e.face, e.corner));
                }
                return edges;
            } else if constexpr (std::is_same_v<T, int>) {
                if (spec.kind == ParamKind::Choice) {
                    return py::str(spec.choices[static_cast<std::size_t>(v)]);
                }
                return py::int_(v);
            } else {
                return py::cast(v);
            }
        },
        *spec.fallback);
}

py::dict ParameterInfo(const ParamSpec& spec) {
    py::dict info;
    info["name"] = spec.name;
    info["kind"] = KindWord(spec.kind);
    info["required"] = spec.Required();
    info["default"] = DefaultOf(spec);
    info["choices"] = spec.choices;
    info["minimum"] = spec.minimum ? py::object(py::float_(*spec.minimum)) : py::none();
    info["maximum"] = spec.maximum ? py::object(py::float_(*spec.maximum)) : py::none();
    info["usage"] = DescribeParam(spec);
    info["help"] = spec.help;
    return info;
}

py::list Commands() {
    py::list commands;
    for (const CommandSpec* spec : CommandTable::Global().All()) {
        py::dict command;
        command["id"] = spec->id;
        command["help"] = spec->help;
        command["needs_window"] = !spec->Headless();
        py::list params;
        for (const ParamSpec& param : spec->params) {
            params.append(ParameterInfo(param));
        }
        command["parameters"] = params;
        commands.append(command);
    }
    return commands;
}

void BindCommandError(py::module_& module) {
    commandError = PyErr_NewExceptionWithDoc(
        "quorvel.CommandError",
        "A command did not run, and changed nothing: `command` is its id, `reason`\n"
        "a stable code (\"unknown_command\", \"needs_window\", \"wrong_type\",\n"
        "\"no_selected_faces\", ...), `detail` what was wrong (the parameter, the\n"
        "index), and the message says both in English.",
        PyExc_Exception, nullptr);
    if (!commandError) {
        throw py::error_already_set();
    }
    py::handle type(commandError);
    type.attr("command") = "";
    type.attr("reason") = "";
    type.attr("detail") = "";
    module.attr("CommandError") = type;
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) {
                std::rethrow_exception(thrown);
            }
        } catch (const CommandFailure& e) {
            py::object error =
                py::handle(commandError)(e.command + ": " + e.refusal.Message(Language::English));
            error.attr("command") = e.command;
            error.attr("reason") = std::string(DescribeReason(e.refusal.reason).code);
            error.attr("detail") = e.refusal.detail;
            PyErr_SetObject(commandError, error.ptr());
        }
    });
}

constexpr const char* kRunDoc = R"doc(
Runs a command of the modeler on the scene, as quorvel-cli run does: the same
ids and parameters (quorvel.commands() lists them), given as keywords:

    scene.run("select.elements", object=0, faces=[1, 2])
    scene.run("edit.move", by=(0, 10, 0))
    scene.run("create.sphere", segments=8)

Values are bools, numbers, strs, and lists or tuples of them; NumPy scalars
and arrays (an index list as an integer array) are read as such. A command
that changes the scene is one undo step (undo(), redo()).

Raises CommandError, and changes nothing, when the command is unknown, needs
the program's window, gets a parameter it does not take or a wrong one, or
cannot act on the scene as it is (nothing selected, a locked object, ...);
ValueError when vertices written through a view are not finite.

Views from Object.vertices keep writing into objects whose vertex array the
command kept; those of an object whose vertices it renumbered or replaced, or
that it removed, stop writing through (they keep the old positions).
Releases the interpreter's lock while the command runs.

Returns a CommandResult.)doc";

}  // namespace

void BindCommands(py::module_& module, py::class_<PythonScene, SceneRef>& scene) {
    BindCommandError(module);
    py::class_<CommandResult>(module, "CommandResult", "What Scene.run() did.")
        .def_readonly("step", &CommandResult::step,
                      "The undo step the command recorded, undid or redid, as the Edit menu\n"
                      "names it; '' when the history did not move.")
        .def_readonly("history", &CommandResult::history,
                      "'recorded', 'undone', 'redone', or '' when the history did not move.")
        .def_readonly("objects_added", &CommandResult::objectsAdded,
                      "Indices of the objects the command added.")
        .def_readonly("objects_removed", &CommandResult::objectsRemoved,
                      "Indices, before the command, of the objects it removed.")
        .def_readonly("texture_failures", &CommandResult::textureFailures,
                      "Textures the command could not load (the names are kept).")
        .def("__repr__", [](const CommandResult& r) {
            return "<quorvel.CommandResult step='" + r.step + "' history='" + r.history + "'>";
        });
    scene.def("run", &Run, py::arg("command"), kRunDoc)
        .def(
            "undo", [](const SceneRef& s) { return Step(s, "edit.undo", Reason::NothingToUndo); },
            "Takes back the last step; False when there was none. Releases the\n"
            "interpreter's lock.")
        .def(
            "redo", [](const SceneRef& s) { return Step(s, "edit.redo", Reason::NothingToRedo); },
            "Does the last step taken back again; False when there was none.")
        .def_property_readonly(
            "modified",
            [](const SceneRef& s) {
                const std::lock_guard lock(s->Mutex());
                return s->Session().Modified();
            },
            "Whether the scene changed since it was opened or last saved as a native\n"
            "(\".qvl\") document: by a command, by a change made through the module, or\n"
            "by taking a view of its vertices (writes through views cannot be told\n"
            "apart). Undoing back to the saved state clears it.");
    module.def("commands", &Commands, R"doc(
The modeler's commands, by id: a list of dicts with "id", "help",
"needs_window" (such commands need the program's window: run() refuses them)
and "parameters", each a dict with "name", "kind" ("float", "int", "bool",
"str", "vector", "int_list", "edge_list", "choice"), "required", "default",
"choices", "minimum", "maximum", "usage" and "help".)doc");
}
