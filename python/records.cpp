// Object and Material, their lists, and the texture failures of an open.
#include "python/records.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>

#include "image/image_status.h"
#include "scene/cp932.h"

namespace {

// A name from Python as the code page 932 bytes the records hold.
std::string SceneText(const std::string& utf8, const char* what) {
    int replaced = 0;
    std::string text = Utf8ToCp932(utf8, &replaced);
    if (replaced > 0) {
        throw std::invalid_argument(std::string(what) + " \"" + utf8 +
                                    "\" has characters Shift-JIS cannot hold");
    }
    return text;
}

float FiniteNumber(double value, const char* what) {
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) {
        throw std::invalid_argument(std::string(what) + " must be a finite number");
    }
    return single;
}

std::size_t ListIndex(py::ssize_t index, std::size_t size, const char* what) {
    const auto count = static_cast<py::ssize_t>(size);
    if (index < 0) {
        index += count;
    }
    if (index < 0 || index >= count) {
        throw py::index_error(std::string(what) + " index out of range");
    }
    return static_cast<std::size_t>(index);
}

template <typename Handle>
void BindList(py::module_& module, const char* name, const char* doc, const char* what) {
    using List = RecordList<Handle>;
    py::class_<List>(module, name, doc)
        .def("__len__", [](const List& list) { return Handle::Count(*list.scene); })
        .def(
            "__getitem__",
            [what](const List& list, py::ssize_t index) {
                return Handle{list.scene, ListIndex(index, Handle::Count(*list.scene), what)};
            },
            py::arg("index"))
        .def(
            "__getitem__",
            [](const List& list, const py::slice& slice) {
                const std::size_t size = Handle::Count(*list.scene);
                py::ssize_t start = 0;
                py::ssize_t stop = 0;
                py::ssize_t step = 0;
                py::ssize_t length = 0;
                if (!slice.compute(static_cast<py::ssize_t>(size), &start, &stop, &step, &length)) {
                    throw py::error_already_set();
                }
                py::list items;
                for (py::ssize_t i = 0; i < length; ++i) {
                    items.append(Handle{list.scene, static_cast<std::size_t>(start + i * step)});
                }
                return items;
            })
        .def("__iter__", [](const List& list) {
            py::list items;
            for (std::size_t i = 0, n = Handle::Count(*list.scene); i < n; ++i) {
                items.append(Handle{list.scene, i});
            }
            return py::iter(items);
        });
    py::module_::import("collections.abc").attr("Sequence").attr("register")(module.attr(name));
}

std::string ObjectRepr(const ObjectHandle& o) {
    return o.With([](const CModel& m) {
        return "<quorvel.Object " + std::to_string(m.id) + " \"" + Cp932ToUtf8(m.name) +
               "\": " + std::to_string(m.vertices.size()) + " vertices, " +
               std::to_string(m.faces.size()) + " faces>";
    });
}

std::string MaterialRepr(const MaterialHandle& h) {
    return h.With([](const CMaterial& m) {
        return "<quorvel.Material " + std::to_string(m.id) + " \"" + Cp932ToUtf8(m.name) + "\"" +
               (m.texture.empty() ? "" : " texture \"" + Cp932ToUtf8(m.texture) + "\"") + ">";
    });
}

// A field of the record as a read-write property; `check` turns the Python
// value into the field's, or refuses it.
template <typename Value, typename Record, typename Field, typename Check>
void RecordField(py::class_<RecordHandle<Record>>& cls, const char* name, Field Record::*field,
                 Check check, const char* doc) {
    using Handle = RecordHandle<Record>;
    cls.def_property(
        name, [field](const Handle& h) { return h.With([&](Record& r) { return r.*field; }); },
        [field, check](const Handle& h, Value value) {
            const auto stored = check(value);
            h.With([&](Record& r) {
                r.*field = stored;
                h.scene->Edited(r);
            });
        },
        doc);
}

// What objects and materials share: number, name, identity.
template <typename Record>
void CommonProperties(py::class_<RecordHandle<Record>>& cls, const char* idDoc) {
    using Handle = RecordHandle<Record>;
    cls.def_property_readonly(
           "id", [](const Handle& h) { return h.With([](Record& r) { return r.id; }); }, idDoc)
        .def_property(
            "name",
            [](const Handle& h) { return h.With([](Record& r) { return Cp932ToUtf8(r.name); }); },
            [](const Handle& h, const std::string& name) {
                const std::string text = SceneText(name, "name");
                h.With([&](Record& r) {
                    r.name = text;
                    h.scene->Edited(r);
                });
            },
            "The name, decoded from Shift-JIS (bytes it cannot decode show as U+FFFD).\n"
            "Setting it refuses characters Shift-JIS cannot hold (ValueError).")
        .def_property(
            "name_bytes",
            [](const Handle& h) { return py::bytes(h.With([](Record& r) { return r.name; })); },
            [](const Handle& h, const py::bytes& name) {
                std::string text = name;
                h.With([&](Record& r) {
                    r.name = std::move(text);
                    h.scene->Edited(r);
                });
            },
            "The name as the document holds it: Shift-JIS (code page 932) bytes.")
        .def("__eq__", [](const Handle& a,
                          const Handle& b) { return a.scene == b.scene && a.index == b.index; })
        .def("__hash__", [](const Handle& h) {
            return py::hash(
                py::make_tuple(reinterpret_cast<std::uintptr_t>(h.scene.get()), h.index));
        });
}

void BindObject(py::module_& module) {
    py::class_<ObjectHandle> object(module, "Object", R"doc(
One polygon object of a scene: its vertices, its faces (2 to 4 corners, a
material number, optional texture coordinates) and its fields.

An Object names the object at its place in scene.objects; it reads and
changes the scene itself. Geometry comes as NumPy arrays: `vertices` is a
view that writes through, the others are copies.)doc");
    CommonProperties(object, "The object's number in the scene (issued from 1 on).");
    object
        .def_property_readonly(
            "vertex_count",
            [](const ObjectHandle& o) {
                return o.With([](CModel& m) { return m.vertices.size(); });
            },
            "The number of vertices.")
        .def_property_readonly(
            "face_count",
            [](const ObjectHandle& o) { return o.With([](CModel& m) { return m.faces.size(); }); },
            "The number of faces.")
        .def("__repr__", &ObjectRepr);
    RecordField<double>(
        object, "facet", &CModel::facet,
        [](double degrees) { return FiniteNumber(degrees, "facet"); },
        "The smoothing angle in degrees: corners average the normals of neighbouring\n"
        "faces that differ by less than this.");
    RecordField<int>(
        object, "state", &CModel::state,
        [](int state) {
            if (state < 0 || state > 3) {
                throw std::invalid_argument(
                    "state must be 0 (editable), 1 (locked), 2 or 3 (hidden)");
            }
            return state;
        },
        "0 editable, 1 locked, 2 and 3 hidden (a hidden object is not drawn).");
    RecordField<int>(
        object, "mirror_axis", &CModel::mirrorAxis, [](int axis) { return axis; },
        "The mirror axis value of a Metasequoia document, kept as read.");
    BindObjectArrays(object);
}

void BindMaterial(py::module_& module) {
    py::class_<MaterialHandle> material(module, "Material", R"doc(
One material of a scene: colour, lighting factors and texture file names.
Faces refer to a material by its `id`, not by its place in scene.materials.)doc");
    CommonProperties(material, "The material's number, which faces refer to.");
    material
        .def_property(
            "color",
            [](const MaterialHandle& h) {
                return h.With(
                    [](CMaterial& m) { return std::make_tuple(m.red, m.green, m.blue, m.alpha); });
            },
            [](const MaterialHandle& h, const std::tuple<double, double, double, double>& c) {
                const float red = FiniteNumber(std::get<0>(c), "red");
                const float green = FiniteNumber(std::get<1>(c), "green");
                const float blue = FiniteNumber(std::get<2>(c), "blue");
                const float alpha = FiniteNumber(std::get<3>(c), "alpha");
                h.With([&](CMaterial& m) {
                    m.red = red;
                    m.green = green;
                    m.blue = blue;
                    m.alpha = alpha;
                    h.scene->Edited(m);
                });
            },
            "(red, green, blue, alpha), each from 0 to 1.")
        .def_property_readonly(
            "texture",
            [](const MaterialHandle& h) {
                return h.With([](CMaterial& m) { return Cp932ToUtf8(m.texture); });
            },
            "The texture file name as the document holds it ('' for none); relative\n"
            "names resolve beside the document.")
        .def_property_readonly(
            "texture_loaded",
            [](const MaterialHandle& h) {
                return h.With([](CMaterial& m) { return m.image != nullptr; });
            },
            "Whether the texture's picture was decoded (see Scene.texture_failures).")
        .def_property_readonly(
            "alpha_plane",
            [](const MaterialHandle& h) {
                return h.With([](CMaterial& m) { return Cp932ToUtf8(m.alphaPlane); });
            },
            "The alpha-plane file name, kept and stored only.")
        .def_property_readonly(
            "bump",
            [](const MaterialHandle& h) {
                return h.With([](CMaterial& m) { return Cp932ToUtf8(m.bump); });
            },
            "The bump-map file name, kept and stored only.")
        .def("__repr__", &MaterialRepr);
    const auto factor = [](const char* name) {
        return [name](double value) { return FiniteNumber(value, name); };
    };
    RecordField<double>(material, "diffuse", &CMaterial::diffuse, factor("diffuse"),
                        "The diffuse factor.");
    RecordField<double>(material, "ambient", &CMaterial::ambient, factor("ambient"),
                        "The ambient factor.");
    RecordField<double>(material, "emissive", &CMaterial::emissive, factor("emissive"),
                        "The emissive factor.");
    RecordField<double>(material, "specular", &CMaterial::specular, factor("specular"),
                        "The specular factor (grey).");
    RecordField<double>(material, "power", &CMaterial::power, factor("power"),
                        "The specular exponent (shininess).");
}

void BindTextureFailure(py::module_& module) {
    py::class_<TextureFailure>(module, "TextureFailure", R"doc(
A material whose texture could not be used when the scene was opened. The
material keeps the texture's name (saving keeps it) and is drawn untextured.)doc")
        .def_property_readonly(
            "material", [](const TextureFailure& f) { return Cp932ToUtf8(f.material); },
            "The material's name.")
        .def_property_readonly(
            "texture", [](const TextureFailure& f) { return Cp932ToUtf8(f.texture); },
            "The texture file name as the document holds it.")
        .def_property_readonly(
            "kind",
            [](const TextureFailure& f) { return std::string(ImageFailureText(f.status.failure)); },
            "The kind of refusal: 'not found', 'truncated data', …")
        .def_property_readonly(
            "reason", [](const TextureFailure& f) { return DescribeImageStatus(f.status); },
            "The kind with its detail.")
        .def_property_readonly(
            "file",
            [](const TextureFailure& f) -> py::object {
                if (f.status.file.empty()) {
                    return py::none();
                }
                return py::str(f.status.file.string());
            },
            "The file that was refused, or None when no file was found.")
        .def("__repr__", [](const TextureFailure& f) {
            return "<quorvel.TextureFailure \"" + Cp932ToUtf8(f.texture) +
                   "\": " + DescribeImageStatus(f.status) + ">";
        });
}

}  // namespace

void BindRecords(py::module_& module) {
    BindObject(module);
    BindMaterial(module);
    BindTextureFailure(module);
    BindList<ObjectHandle>(module, "ObjectList",
                           "The objects of a scene, in list order (a read-only sequence).",
                           "object");
    BindList<MaterialHandle>(module, "MaterialList",
                             "The materials of a scene, in list order (a read-only sequence).",
                             "material");
}
