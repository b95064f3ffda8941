// The objects and materials of a scene as Python sees them: handles naming a
// record by its place in its list, read and changed under the scene's lock.
#pragma once

#include <cstddef>
#include <mutex>

#include "python/bindings.h"

template <typename Record>
struct RecordHandle {
    SceneRef scene;
    std::size_t index;

    // `read(record)` under the scene's lock; its result must hold no Python object.
    template <typename Read>
    auto With(Read read) const {
        const std::lock_guard lock(scene->Mutex());
        if constexpr (std::is_same_v<Record, CModel>) {
            return read(scene->Model(index));
        } else {
            return read(scene->Material(index));
        }
    }

    // The number of records of this kind in the scene.
    std::size_t static Count(PythonScene& scene) {
        const std::lock_guard lock(scene.Mutex());
        if constexpr (std::is_same_v<Record, CModel>) {
            return scene.Records().models.size();
        } else {
            return scene.Records().materials.size();
        }
    }
};
using ObjectHandle = RecordHandle<CModel>;
using MaterialHandle = RecordHandle<CMaterial>;

// A read-only sequence of a scene's objects or materials, by list position.
template <typename Handle>
struct RecordList {
    SceneRef scene;
};
using ObjectList = RecordList<ObjectHandle>;
using MaterialList = RecordList<MaterialHandle>;

// The array properties of Object (object_arrays.cpp).
void BindObjectArrays(py::class_<ObjectHandle>& object);
