// The geometry of an Object as NumPy arrays: the vertex view, copies of the
// faces and their derived data, and faces set from arrays.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "python/geometry_arrays.h"
#include "python/records.h"
#include "scene/face_rules.h"

namespace {

using IntegerArray = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;
using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;
using FlagArray = py::array_t<bool, py::array::c_style | py::array::forcecast>;

static_assert(offsetof(CVector, y) == offsetof(CVector, x) + sizeof(float) &&
                  offsetof(CVector, z) == offsetof(CVector, y) + sizeof(float),
              "the vertex view reads x, y, z as three consecutive floats");

// `value` as an array of `kinds` (NumPy's dtype kinds), else TypeError.
template <typename Array>
Array ArrayOf(const py::handle& value, const char* kinds, const char* what) {
    py::array array = py::array::ensure(value);
    if (!array || std::string(kinds).find(array.dtype().kind()) == std::string::npos) {
        throw py::type_error(std::string(what) + " must be an array of " +
                             (kinds[0] == 'b'   ? "booleans"
                              : kinds[0] == 'f' ? "numbers"
                                                : "integers"));
    }
    return Array::ensure(array);
}

IntegerArray Integers(const py::handle& value, const char* what) {
    return ArrayOf<IntegerArray>(value, "iu", what);
}
FloatArray Floats(const py::handle& value, const char* what) {
    return ArrayOf<FloatArray>(value, "fiu", what);
}
FlagArray Flags(const py::handle& value, const char* what) {
    return ArrayOf<FlagArray>(value, "b", what);
}

std::string ShapeText(const py::array& array) {
    std::string text = "(";
    for (py::ssize_t d = 0; d < array.ndim(); ++d) {
        text += (d ? ", " : "") + std::to_string(array.shape(d));
    }
    return text + (array.ndim() == 1 ? ",)" : ")");
}

// Refuses `array` unless its shape is `shape` (-1: any extent).
void CheckShape(const py::array& array, std::initializer_list<py::ssize_t> shape, const char* what,
                const char* expected) {
    bool fits = array.ndim() == static_cast<py::ssize_t>(shape.size());
    py::ssize_t d = 0;
    for (py::ssize_t extent : shape) {
        fits = fits && (extent < 0 || array.shape(d) == extent);
        ++d;
    }
    if (!fits) {
        throw std::invalid_argument(std::string(what) + " must have the shape " + expected +
                                    ", not " + ShapeText(array));
    }
}

void CheckVertexRows(const FloatArray& vertices) {
    CheckShape(vertices, {-1, 3}, "vertices", "(N, 3)");
}

// The positions of `vertices`, refusing non-finite ones. The flags are a new
// vertex's.
LargeArray<CVector> VerticesFrom(const float* xyz, std::size_t count) {
    LargeArray<CVector> vertices(count);
    for (std::size_t v = 0; v < count; ++v) {
        const float* p = xyz + 3 * v;
        if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) {
            throw std::invalid_argument("vertex " + std::to_string(v) +
                                        ": coordinates must be finite numbers");
        }
        vertices[v].x = p[0];
        vertices[v].y = p[1];
        vertices[v].z = p[2];
    }
    return vertices;
}

// Flags the vertices no face uses any more, and those used again.
void RecountUsedVertices(CModel& model) {
    for (CVector& v : model.vertices) {
        v.used = true;
    }
    model.UpdateUsedFlags();
}

py::array VertexView(const ObjectHandle& o) {
    std::unique_lock lock(o.scene->Mutex());
    CModel& model = o.scene->Model(o.index);
    const std::size_t count = model.vertices.size();
    if (count == 0) {
        lock.unlock();
        return py::array_t<float>(std::vector<py::ssize_t>{0, 3});
    }
    float* data = &model.vertices[0].x;
    // From here on the view may write: every reader counts the positions as moved.
    o.scene->Edited(model, ObjectEdit::Positions);
    std::unique_ptr<VertexViews::Lease> lease = o.scene->Views().Open(o.scene, o.index);
    lock.unlock();
    py::capsule owner(lease.get(), [](void* p) { delete static_cast<VertexViews::Lease*>(p); });
    lease.release();
    const auto stride = static_cast<py::ssize_t>(sizeof(CVector));
    return py::array_t<float>({static_cast<py::ssize_t>(count), py::ssize_t{3}},
                              {stride, static_cast<py::ssize_t>(sizeof(float))}, data, owner);
}

void SetVertices(const ObjectHandle& o, const py::handle& value) {
    const FloatArray vertices = Floats(value, "vertices");
    CheckVertexRows(vertices);
    const float* xyz = vertices.data();
    const auto count = static_cast<std::size_t>(vertices.shape(0));
    std::unique_lock lock(o.scene->Mutex());
    RunReleased(lock, [&] {
        CModel& model = o.scene->Model(o.index);
        LargeArray<CVector> fresh = VerticesFrom(xyz, count);
        if (count == model.vertices.size()) {
            // In place: views keep writing through.
            for (std::size_t v = 0; v < count; ++v) {
                model.vertices[v].x = fresh[v].x;
                model.vertices[v].y = fresh[v].y;
                model.vertices[v].z = fresh[v].z;
            }
            o.scene->Edited(model, ObjectEdit::Positions);
            return;
        }
        for (std::size_t r = 0; r < model.faces.size(); ++r) {
            if (!HasValidCorners(model.faces[r], count)) {
                throw std::invalid_argument("face " + std::to_string(r) +
                                            " uses a vertex beyond the " + std::to_string(count) +
                                            " given; set the faces with set_geometry()");
            }
        }
        o.scene->Views().Detach(o.index, model.vertices);
        model.vertices = std::move(fresh);
        RecountUsedVertices(model);
        o.scene->Edited(model, ObjectEdit::Geometry);
    });
}

py::tuple Faces(const ObjectHandle& o) {
    auto [indices, counts, materials] = o.With([](CModel& m) {
        const auto f = static_cast<py::ssize_t>(m.faces.size());
        auto indices = MakeBuffer<std::int32_t>({f, static_cast<py::ssize_t>(kFaceSlots)});
        auto counts = MakeBuffer<std::uint8_t>({f});
        auto materials = MakeBuffer<std::int32_t>({f});
        CopyFaces(m, indices.data.get(), counts.data.get(), materials.data.get());
        return std::make_tuple(std::move(indices), std::move(counts), std::move(materials));
    });
    return py::make_tuple(ToArray(std::move(indices)), ToArray(std::move(counts)),
                          ToArray(std::move(materials)));
}

// Replaces the faces, and the vertices when given, in one step.
void SetGeometry(const ObjectHandle& o, const std::optional<py::object>& vertexValue,
                 const py::handle& indexValue, const std::optional<py::object>& countValue,
                 const std::optional<py::object>& materialValue,
                 const std::optional<py::object>& uvValue) {
    const IntegerArray indices = Integers(indexValue, "indices");
    if (indices.ndim() != 2 || indices.shape(1) < 2 || indices.shape(1) > 4) {
        throw std::invalid_argument("indices must have the shape (F, 2), (F, 3) or (F, 4), not " +
                                    ShapeText(indices));
    }
    FaceRows rows;
    rows.count = static_cast<std::size_t>(indices.shape(0));
    rows.width = static_cast<std::size_t>(indices.shape(1));
    rows.indices = indices.data();
    std::optional<IntegerArray> counts;
    if (countValue && !countValue->is_none()) {
        counts = Integers(*countValue, "corner_count");
        CheckShape(*counts, {indices.shape(0)}, "corner_count", "(F,)");
        rows.cornerCounts = counts->data();
    }
    std::optional<IntegerArray> materials;
    if (materialValue && !materialValue->is_none()) {
        materials = Integers(*materialValue, "material");
        CheckShape(*materials, {indices.shape(0)}, "material", "(F,)");
        rows.materials = materials->data();
    }
    std::optional<FloatArray> uvs;
    if (uvValue && !uvValue->is_none()) {
        uvs = Floats(*uvValue, "uvs");
        CheckShape(*uvs, {indices.shape(0), indices.shape(1), 2}, "uvs", "(F, corners, 2)");
        rows.uvs = uvs->data();
    }
    std::optional<FloatArray> vertices;
    if (vertexValue && !vertexValue->is_none()) {
        vertices = Floats(*vertexValue, "vertices");
        CheckVertexRows(*vertices);
    }
    std::unique_lock lock(o.scene->Mutex());
    RunReleased(lock, [&] {
        CModel& model = o.scene->Model(o.index);
        const auto& sceneMaterials = o.scene->Records().materials;
        rows.defaultMaterial = sceneMaterials.empty() ? 0 : sceneMaterials.front().id;
        LargeArray<CFace> faces = BuildFaces(
            rows, vertices ? static_cast<std::size_t>(vertices->shape(0)) : model.vertices.size());
        if (vertices) {
            LargeArray<CVector> fresh =
                VerticesFrom(vertices->data(), static_cast<std::size_t>(vertices->shape(0)));
            o.scene->Views().Detach(o.index, model.vertices);
            model.vertices = std::move(fresh);
        }
        model.faces = std::move(faces);
        RecountUsedVertices(model);
        o.scene->Edited(model, ObjectEdit::Geometry);
    });
}

py::array Uvs(const ObjectHandle& o) {
    return ToArray(o.With([](CModel& m) {
        auto uvs = MakeBuffer<float>(
            {static_cast<py::ssize_t>(m.faces.size()), static_cast<py::ssize_t>(kFaceSlots), 2});
        CopyUvs(m, uvs.data.get());
        return uvs;
    }));
}

// Normals of the current positions: computed again first where they moved
// (also through a view) since the last computation.
template <typename Copy>
py::array Normals(const ObjectHandle& o, std::vector<py::ssize_t> cornerShape, Copy copy) {
    std::unique_lock lock(o.scene->Mutex());
    return ToArray(RunReleased(lock, [&] {
        o.scene->SettleViews();
        CModel& model = o.scene->Model(o.index);
        model.UpdateNormals(o.scene->Records().smooth);
        std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(model.faces.size())};
        shape.insert(shape.end(), cornerShape.begin(), cornerShape.end());
        auto normals = MakeBuffer<float>(std::move(shape));
        copy(model, normals.data.get());
        return normals;
    }));
}

// A boolean property of one flag per vertex (per face, per face slot) with its setter.
template <typename Count, typename Copy, typename Set>
void FlagProperty(py::class_<ObjectHandle>& object, const char* name, Count count,
                  py::ssize_t slots, const char* shape, Copy copy, Set set, const char* doc) {
    object.def_property(
        name,
        [count, slots, copy](const ObjectHandle& o) {
            return ToArray(o.With([&](CModel& m) {
                std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(count(m))};
                if (slots > 1) {
                    shape.push_back(slots);
                }
                auto flags = MakeBuffer<bool>(std::move(shape));
                copy(m, flags.data.get());
                return flags;
            }));
        },
        [name, count, slots, shape, set](const ObjectHandle& o, const py::handle& value) {
            const FlagArray flags = Flags(value, name);
            o.With([&](CModel& m) {
                const auto n = static_cast<py::ssize_t>(count(m));
                if (slots > 1) {
                    CheckShape(flags, {n, slots}, name, shape);
                } else {
                    CheckShape(flags, {n}, name, shape);
                }
                set(m, flags.data());
                o.scene->Edited(m, ObjectEdit::Selection);
            });
        },
        doc);
}

std::size_t VertexCount(const CModel& m) {
    return m.vertices.size();
}
std::size_t FaceCount(const CModel& m) {
    return m.faces.size();
}

}  // namespace

void BindObjectArrays(py::class_<ObjectHandle>& object) {
    const auto slots = static_cast<py::ssize_t>(kFaceSlots);
    object
        .def_property("vertices", &VertexView, &SetVertices, R"doc(
The positions as an (N, 3) float32 array that views the object's own memory:
writing to it moves the vertices (no copy is made either way). Saving,
drawing and normals count such writes as moves, and refuse coordinates that
are not finite (ValueError).

Assigning an (N, 3) array copies it in: with the same N in place, so views
keep writing through; with another N the vertex list is replaced (the faces
must still fit it), and views taken before no longer write through.)doc")
        .def_property(
            "faces", &Faces,
            [](const ObjectHandle& o, const py::tuple& faces) {
                if (faces.size() != 3) {
                    throw std::invalid_argument("faces must be (indices, corner_count, material)");
                }
                SetGeometry(o, std::nullopt, faces[0], py::object(faces[1]), py::object(faces[2]),
                            std::nullopt);
            },
            R"doc(
(indices, corner_count, material): indices int32 (F, 4), -1 past a face's
corners; corner_count uint8 (F,), 2 to 4; material int32 (F,), the material
numbers (Material.id). A copy. Assigning such a tuple replaces the faces like
set_faces() (their texture coordinates are dropped).)doc")
        .def(
            "set_faces",
            [](const ObjectHandle& o, const py::object& indices, const py::object& cornerCount,
               const py::object& material, const py::object& uvs) {
                SetGeometry(o, std::nullopt, indices, cornerCount, material, uvs);
            },
            py::arg("indices"), py::arg("corner_count") = py::none(),
            py::arg("material") = py::none(), py::arg("uvs") = py::none(), R"doc(
Replaces the faces from arrays, checked as the readers check faces: 2 to 4
corners, each a vertex of the object. ValueError names the first face that
breaks the rule; then nothing changes.

indices:      integers (F, 2), (F, 3) or (F, 4).
corner_count: integers (F,); None: a face's corners are the indices before
              its first -1 (the padding of `faces`).
material:     material numbers (F,); None: the first material's.
uvs:          (F, corners, 2) texture coordinates; a face whose coordinates
              are all NaN has none. None: no face has any.
Selection flags of the faces are cleared.)doc")
        .def(
            "set_geometry",
            [](const ObjectHandle& o, const py::object& vertices, const py::object& indices,
               const py::object& cornerCount, const py::object& material, const py::object& uvs) {
                SetGeometry(o, vertices, indices, cornerCount, material, uvs);
            },
            py::arg("vertices"), py::arg("indices"), py::arg("corner_count") = py::none(),
            py::arg("material") = py::none(), py::arg("uvs") = py::none(), R"doc(
Replaces the vertices ((N, 3), finite) and the faces (as set_faces()) in one
step. Views of the old vertices no longer write through.)doc")
        .def_property_readonly("uvs", &Uvs, R"doc(
Texture coordinates, float32 (F, 4, 2): (u, v) per corner; NaN past a face's
corners and for faces without texture coordinates. A copy.)doc")
        .def_property_readonly(
            "face_normals", [](const ObjectHandle& o) { return Normals(o, {3}, &CopyFaceNormals); },
            R"doc(
Unit face normals, float32 (F, 3); (0, 0, 0) for a line (2 corners). Brought
up to date first when the vertices or faces changed. A copy.)doc")
        .def_property_readonly(
            "corner_normals",
            [slots](const ObjectHandle& o) {
                return Normals(o, {slots, 3}, &CopyCornerNormals);
            },
            R"doc(
Smoothed corner normals, float32 (F, 4, 3): each corner averages the faces
around its vertex whose normals differ by less than the smoothing angle
(`facet`); NaN past a face's corners. Brought up to date first. A copy.)doc");
    FlagProperty(object, "vertex_selected", &VertexCount, 1, "(N,)", &CopyVertexSelection,
                 &SetVertexSelection,
                 "Whether each vertex is selected, bool (N,). A copy; assign to change.");
    FlagProperty(object, "face_selected", &FaceCount, 1, "(F,)", &CopyFaceSelection,
                 &SetFaceSelection,
                 "Whether each face is selected, bool (F,). A copy; assign to change.");
    FlagProperty(object, "edge_selected", &FaceCount, slots, "(F, 4)", &CopyEdgeSelection,
                 &SetEdgeSelection,
                 "Whether each edge is selected, bool (F, 4): edge k runs from corner k to\n"
                 "corner k + 1 (a line has one edge); False past a face's edges. A copy;\n"
                 "assign to change.");
    object.def_property_readonly(
        "vertex_used",
        [](const ObjectHandle& o) {
            return ToArray(o.With([](CModel& m) {
                auto used = MakeBuffer<bool>({static_cast<py::ssize_t>(m.vertices.size())});
                for (std::size_t v = 0; v < m.vertices.size(); ++v) {
                    used.data[v] = m.vertices[v].used;
                }
                return used;
            }));
        },
        "False for vertices no face uses (they are neither drawn nor smoothed), bool (N,).");
}
