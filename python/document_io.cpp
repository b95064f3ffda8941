// Scene, and documents in and out: open, loads_mqo, save, dumps_mqo.
#include <pybind11/stl/filesystem.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "exchange/document_files.h"
#include "exchange/format_losses.h"
#include "exchange/loader_mqo.h"
#include "exchange/mqo_writer.h"
#include "image/image_status.h"
#include "image/texture_batch.h"
#include "image/texture_files.h"
#include "python/records.h"
#include "scene/cp932.h"
#include "scene/document_error.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A Metasequoia read that stopped early is refused unless asked for.
void RefuseIncompleteRead(const std::filesystem::path& path, const DocumentLoadResult& loaded) {
    if (loaded.importResult != 0) {
        throw DocumentError(path,
                            "read stopped early (import result " +
                                std::to_string(loaded.importResult) + ", " +
                                std::string(MqoResultText(loaded.importResult)) + ")",
                            loaded.importResult);
    }
}

SceneRef Open(const std::filesystem::path& path, bool partial) {
    auto scene = std::make_shared<PythonScene>();
    {
        py::gil_scoped_release release;
        scene->loaded = ReadDocumentFile(path, scene->Records());
    }
    scene->path = path;
    if (!partial) {
        RefuseIncompleteRead(path, scene->loaded);
    }
    return scene;
}

// The import of an ".mqo" file, from memory. Textures resolve against
// `folder`; without one none is loaded.
DocumentLoadResult ImportMqoText(const char* text, std::size_t size,
                                 const std::optional<std::filesystem::path>& folder,
                                 CCentigrade& scene) {
    // Read-only: the stream never writes to the caller's bytes.
    std::unique_ptr<std::FILE, FileCloser> file(fmemopen(const_cast<char*>(text), size, "rb"));
    if (!file) {
        throw DocumentError({}, "cannot read the document from memory");
    }
    DocumentLoadResult loaded;
    loaded.imported = true;
    LoaderMQO loader(scene, file.get());
    loader.materialBase = scene.materialSerial;
    // Each name is resolved once, each folder listed once, as an open does.
    std::optional<TextureBatch> textures;
    if (folder) {
        scene.SetDocumentFolder(std::filesystem::absolute(*folder) / "document.mqo");
        textures.emplace(scene.DocumentFolder(), GetModuleFolder());
        loader.loadTexture = [&](CMaterial& material) {
            if (ImageStatus status = textures->Load(material); !status) {
                loaded.textureFailures.push_back(
                    {material.name, material.texture, std::move(status)});
            }
        };
    }
    loaded.importResult = loader.Load();
    loaded.repairs = loader.Repairs();
    // As an open into an empty scene: a scene with objects has a material.
    if (scene.materials.empty()) {
        scene.materials.emplace_back(scene.materialSerial++);
    }
    scene.UpdateAllColors();
    return loaded;
}

SceneRef LoadsMqo(const py::buffer& data, const std::optional<std::filesystem::path>& folder,
                  bool partial) {
    const py::buffer_info bytes = data.request();
    if (bytes.ndim != 1 || bytes.itemsize != 1 || (bytes.size > 1 && bytes.strides[0] != 1)) {
        throw py::type_error("loads_mqo() takes bytes");
    }
    static char empty = 0;
    const char* text = bytes.ptr ? static_cast<const char*>(bytes.ptr) : &empty;
    auto scene = std::make_shared<PythonScene>();
    {
        py::gil_scoped_release release;
        scene->loaded =
            ImportMqoText(text, static_cast<std::size_t>(bytes.size), folder, scene->Records());
    }
    if (!partial) {
        RefuseIncompleteRead({}, scene->loaded);
    }
    return scene;
}

// glTF carries the normals the modeler lights with, and native documents
// store each face's; the other formats none.
bool CarriesNormals(const std::filesystem::path& path) {
    const std::string extension = LowerExtension(path);
    return extension == "glb" || extension == "qvl";
}

std::string Save(const SceneRef& scene, const std::filesystem::path& path) {
    std::unique_lock lock(scene->Mutex());
    return RunReleased(lock, [&] {
        scene->SettleViews();
        if (CarriesNormals(path)) {
            scene->UpdateNormals();
        }
        const CCentigrade& records = scene->Records();
        SaveDocumentFile(path, records);
        scene->Saved(path);
        return FormatLossNotice(path, records, NoticeLanguage::English);
    });
}

py::bytes DumpsMqo(const SceneRef& scene) {
    std::unique_lock lock(scene->Mutex());
    const std::string text = RunReleased(lock, [&] {
        scene->SettleViews();
        return FormatMQO(scene->Records());
    });
    return py::bytes(text);
}

void ComputeNormals(const SceneRef& scene) {
    std::unique_lock lock(scene->Mutex());
    RunReleased(lock, [&] {
        scene->SettleViews();
        scene->Records().ComputeAllNormals();
    });
}

std::string SceneRepr(const SceneRef& scene) {
    const std::lock_guard lock(scene->Mutex());
    const CCentigrade& records = scene->Records();
    std::string text = "<quorvel.Scene";
    if (!scene->path.empty()) {
        text += " '" + scene->path.string() + "'";
    }
    std::size_t faces = 0;
    for (const CModel& m : records.models) {
        faces += m.faces.size();
    }
    return text + ": " + std::to_string(records.models.size()) + " objects, " +
           std::to_string(faces) + " faces, " + std::to_string(records.materials.size()) +
           " materials>";
}

constexpr const char* kOpenDoc = R"doc(
Reads a document into a new Scene, as the modeler and quorvel-cli open it:
".qvl" (native), ".mqo" and ".mqoz" (Metasequoia), ".obj" (Wavefront, with its
".mtl"). Faces that would break the scene's rules are repaired or dropped
(Scene.repairs) and textures resolve beside the document (failures in
Scene.texture_failures). Normals are computed when first needed (normal
arrays, commands, drawing, saving formats that store them).

Raises DocumentError when the file cannot be read or is refused, and when a
Metasequoia document stops early (DocumentError.import_result), unless
partial=True: then the scene holds what was read and Scene.import_result says
why it stopped. The interpreter's lock is released while reading.)doc";

constexpr const char* kLoadsDoc = R"doc(
Reads a Metasequoia text document (".mqo" bytes) into a new Scene, as
open() reads a file. Relative texture names resolve against `folder`; without
one no texture is loaded (the names are kept). Raises DocumentError (path
None) as open() does.)doc";

}  // namespace

void BindScene(py::module_& module) {
    py::class_<PythonScene, SceneRef> scene(module, "Scene", R"doc(
A scene: objects (polygons) and materials, with what opening it reported.

Scene() is empty; quorvel.open() and quorvel.loads_mqo() read one. Objects
and materials are sequences of handles onto the scene itself, whose geometry
comes as NumPy arrays. The scene may be used from several threads: reading,
writing, normals and drawing release the interpreter's lock and keep other
threads off this scene meanwhile.)doc");
    scene.def(py::init([] { return std::make_shared<PythonScene>(); }), "An empty scene.")
        .def_property_readonly(
            "path",
            [](const SceneRef& scene) -> py::object {
                if (scene->path.empty()) {
                    return py::none();
                }
                return py::str(scene->path.string());
            },
            "The file the scene was opened from, or None.")
        .def_property_readonly(
            "objects", [](const SceneRef& scene) { return ObjectList{scene}; },
            "The objects, a sequence of Object.")
        .def_property_readonly(
            "materials", [](const SceneRef& scene) { return MaterialList{scene}; },
            "The materials, a sequence of Material.")
        .def_property_readonly(
            "repairs", [](const SceneRef& scene) { return scene->loaded.repairs; },
            "How many faces, names or numbers the open repaired or dropped to keep the\n"
            "scene's rules.")
        .def_property_readonly(
            "conversions", [](const SceneRef& scene) { return scene->loaded.conversions; },
            "How many OBJ polygons of 5 or more corners the open split.")
        .def_property_readonly(
            "import_result", [](const SceneRef& scene) { return scene->loaded.importResult; },
            "0, or the Metasequoia reader's code for a read that stopped early (-1\n"
            "syntax, -2 end of file inside a chunk, -3 not a Metasequoia document, -4\n"
            "an unknown format line).")
        .def_property_readonly(
            "texture_failures", [](const SceneRef& scene) { return scene->loaded.textureFailures; },
            "The materials whose texture could not be used, a list of TextureFailure.")
        .def("save", &Save, py::arg("path"), R"doc(
Writes the scene to `path` in the format its extension names, as quorvel-cli
convert does: ".qvl", ".mqo", ".mqoz" (with its textures), ".obj" (with its
".mtl"), ".stl", ".glb". The file is replaced only once completely written.
Returns what the format could not keep, in one line ('' when nothing was
lost). Raises DocumentError. Releases the interpreter's lock while writing.)doc")
        .def("dumps_mqo", &DumpsMqo, R"doc(
The scene as a Metasequoia text document (the bytes save() writes to ".mqo").)doc")
        .def("compute_normals", &ComputeNormals, R"doc(
Computes every object's face and corner normals again from its positions and
smoothing angle. (Object.face_normals and corner_normals bring their object's
up to date by themselves.) Releases the interpreter's lock.)doc")
        .def("__repr__", &SceneRepr);
    BindCommands(module, scene);

    module.def("open", &Open, py::arg("path"), py::arg("partial") = false, kOpenDoc);
    module.def("loads_mqo", &LoadsMqo, py::arg("data"), py::arg("folder") = py::none(),
               py::arg("partial") = false, kLoadsDoc);
}
