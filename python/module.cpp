// The module "quorvel": the modeler's core for Python.
#include "python/bindings.h"
#include "scene/document_error.h"

namespace {

constexpr const char* kModuleDoc = R"doc(
Quorvel's documents for Python: the exact Metasequoia (".mqo", ".mqoz"),
native (".qvl") and OBJ readers and writers of the modeler, scenes with their
geometry as NumPy arrays, the modeler's commands with their undo history
(Scene.run, quorvel.commands()), and its offscreen renderer.

    import quorvel
    scene = quorvel.open("model.mqo")
    for obj in scene.objects:
        print(obj.name, len(obj.vertices), "vertices")
        obj.vertices[:, 1] += 10          # a view: moves the vertices up
    scene.save("model.obj")
)doc";

}  // namespace

void BindErrors(py::module_& module) {
    // Made once and kept for the life of the process, as the translator below
    // may run until its end.
    static PyObject* documentError = PyErr_NewExceptionWithDoc(
        "quorvel.DocumentError",
        "A document could not be read or written: `path` names the file (None for\n"
        "bytes), `reason` the cause, `import_result` the Metasequoia reader's code\n"
        "for a read that stopped early (0 otherwise).",
        PyExc_Exception, nullptr);
    if (!documentError) {
        throw py::error_already_set();
    }
    py::handle type(documentError);
    type.attr("path") = py::none();
    type.attr("reason") = "";
    type.attr("import_result") = 0;
    module.attr("DocumentError") = type;
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) {
                std::rethrow_exception(thrown);
            }
        } catch (const DocumentError& e) {
            py::object error = py::handle(documentError)(e.what());
            error.attr("path") =
                e.File().empty() ? py::object(py::none()) : py::object(py::str(e.File().string()));
            error.attr("reason") = e.Reason();
            error.attr("import_result") = e.ImportResult();
            PyErr_SetObject(documentError, error.ptr());
        }
    });
}

PYBIND11_MODULE(quorvel, module) {
    module.doc() = kModuleDoc;
    BindErrors(module);
    BindRecords(module);
    BindScene(module);
    BindRender(module);
}
