// Object and Material, their lists, and the texture failures of an open.
#include "python/records.h"

#include <cmath>
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

template <typename Record>
std::size_t ListSize(const SceneRef& scene) {
    const std::lock_guard lock(scene->Mutex());
    if constexpr (std::is_same_v<Record, ObjectHandle>) {
        return scene->Records().models.size();
    } else {
        return scene->Records().materials.size();
    }
}

template <typename Handle>
void BindList(py::module_& module, const char* name, const char* doc, const char* what) {
    using List = RecordList<Handle>;
    py::class_<List>(module, name, doc)
        .def("__len__", [](const List& list) { return ListSize<Handle>(list.scene); })
        .def(
            "__getitem__",
            [what](const List& list, py::ssize_t index) {
                return Handle{list.scene, ListIndex(index, ListSize<Handle>(list.scene), what)};
            },
            py::arg("index"))
        .def(
            "__getitem__",
            [](const List& list, const py::slice& slice) {
                const std::size_t size = ListSize<Handle>(list.scene);
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
            for (std::size_t i = 0, n = ListSize<Handle>(list.scene); i < n; ++i) {
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

// A field of CModel as a read-write property; `check` turns the Python value
// into the field's, or refuses it.
template <typename Value, typename Field, typename Check>
void ObjectField(py::class_<ObjectHandle>& object, const char* name, Field field, Check check,
                 const char* doc) {
    object.def_property(
        name,
        [field](const ObjectHandle& o) { return o.With([&](CModel& m) { return m.*field; }); },
        [field, check](const ObjectHandle& o, Value value) {
            const auto stored = check(value);
            o.With([&](CModel& m) {
                m.*field = stored;
                o.scene->Edited(m, ObjectEdit::Fields);
            });
        },
        doc);
}

template <typename Value, typename Field, typename Check>
void MaterialField(py::class_<MaterialHandle>& material, const char* name, Field field, Check check,
                   const char* doc) {
    material.def_property(
        name,
        [field](const MaterialHandle& h) { return h.With([&](CMaterial& m) { return m.*field; }); },
        [field, check](const MaterialHandle& h, Value value) {
            const auto stored = check(value);
            h.With([&](CMaterial& m) {
                m.*field = stored;
                h.scene->Edited(m);
            });
        },
        doc);
}

void BindObject(py::module_& module) {
    py::class_<ObjectHandle> object(module, "Object", R"doc(
One polygon object of a scene: its vertices, its faces (2 to 4 corners, a
material number, optional texture coordinates) and its fields.

An Object names the object at its place in scene.objects; it reads and
changes the scene itself. Geometry comes as NumPy arrays: `vertices` is a
view that writes through, the others are copies.)doc");
    object
        .def_property_readonly(
            "id", [](const ObjectHandle& o) { return o.With([](CModel& m) { return m.id; }); },
            "The object's number in the scene (issued from 1 on).")
        .def_property(
            "name",
            [](const ObjectHandle& o) {
                return o.With([](CModel& m) { return Cp932ToUtf8(m.name); });
            },
            [](const ObjectHandle& o, const std::string& name) {
                const std::string text = SceneText(name, "name");
                o.With([&](CModel& m) {
                    m.name = text;
                    o.scene->Edited(m, ObjectEdit::Fields);
                });
            },
            "The name, decoded from Shift-JIS (bytes it cannot decode show as U+FFFD).\n"
            "Setting it refuses characters Shift-JIS cannot hold (ValueError).")
        .def_property(
            "name_bytes",
            [](const ObjectHandle& o) {
                return py::bytes(o.With([](CModel& m) { return m.name; }));
            },
            [](const ObjectHandle& o, const py::bytes& name) {
                std::string text = name;
                o.With([&](CModel& m) {
                    m.name = std::move(text);
                    o.scene->Edited(m, ObjectEdit::Fields);
                });
            },
            "The name as the document holds it: Shift-JIS (code page 932) bytes.")
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
        .def("__repr__", &ObjectRepr)
        .def("__eq__",
             [](const ObjectHandle& a, const ObjectHandle& b) {
                 return a.scene == b.scene && a.index == b.index;
             })
        .def("__hash__", [](const ObjectHandle& o) {
            return py::hash(
                py::make_tuple(reinterpret_cast<std::uintptr_t>(o.scene.get()), o.index));
        });
    ObjectField<double>(
        object, "facet", &CModel::facet,
        [](double degrees) { return FiniteNumber(degrees, "facet"); },
        "The smoothing angle in degrees: corners average the normals of neighbouring\n"
        "faces that differ by less than this.");
    ObjectField<int>(
        object, "state", &CModel::state,
        [](int state) {
            if (state < 0 || state > 3) {
                throw std::invalid_argument(
                    "state must be 0 (editable), 1 (locked), 2 or 3 (hidden)");
            }
            return state;
        },
        "0 editable, 1 locked, 2 and 3 hidden (a hidden object is not drawn).");
    ObjectField<int>(
        object, "mirror_axis", &CModel::mirrorAxis, [](int axis) { return axis; },
        "The mirror axis value of a Metasequoia document, kept as read.");
    BindObjectArrays(object);
}

void BindMaterial(py::module_& module) {
    py::class_<MaterialHandle> material(module, "Material", R"doc(
One material of a scene: colour, lighting factors and texture file names.
Faces refer to a material by its `id`, not by its place in scene.materials.)doc");
    material
        .def_property_readonly(
            "id", [](const MaterialHandle& h) { return h.With([](CMaterial& m) { return m.id; }); },
            "The material's number, which faces refer to.")
        .def_property(
            "name",
            [](const MaterialHandle& h) {
                return h.With([](CMaterial& m) { return Cp932ToUtf8(m.name); });
            },
            [](const MaterialHandle& h, const std::string& name) {
                const std::string text = SceneText(name, "name");
                h.With([&](CMaterial& m) {
                    m.name = text;
                    h.scene->Edited(m);
                });
            },
            "The name, decoded from Shift-JIS. Setting it refuses characters Shift-JIS\n"
            "cannot hold (ValueError).")
        .def_property(
            "name_bytes",
            [](const MaterialHandle& h) {
                return py::bytes(h.With([](CMaterial& m) { return m.name; }));
            },
            [](const MaterialHandle& h, const py::bytes& name) {
                std::string text = name;
                h.With([&](CMaterial& m) {
                    m.name = std::move(text);
                    h.scene->Edited(m);
                });
            },
            "The name as Shift-JIS bytes.")
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
        .def("__repr__", &MaterialRepr)
        .def("__eq__",
             [](const MaterialHandle& a, const MaterialHandle& b) {
                 return a.scene == b.scene && a.index == b.index;
             })
        .def("__hash__", [](const MaterialHandle& h) {
            return py::hash(
                py::make_tuple(reinterpret_cast<std::uintptr_t>(h.scene.get()), h.index));
        });
    const auto factor = [](const char* name) {
        return [name](double value) { return FiniteNumber(value, name); };
    };
    MaterialField<double>(material, "diffuse", &CMaterial::diffuse, factor("diffuse"),
                          "The diffuse factor.");
    MaterialField<double>(material, "ambient", &CMaterial::ambient, factor("ambient"),
                          "The ambient factor.");
    MaterialField<double>(material, "emissive", &CMaterial::emissive, factor("emissive"),
                          "The emissive factor.");
    MaterialField<double>(material, "specular", &CMaterial::specular, factor("specular"),
                          "The specular factor (grey).");
    MaterialField<double>(material, "power", &CMaterial::power, factor("power"),
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
