// The objects and materials of a scene as Python sees them: handles naming a
// record by its place in its list, read and changed under the scene's lock.
#pragma once

#include <cstddef>
#include <mutex>

#include "python/bindings.h"

struct ObjectHandle {
    SceneRef scene;
    std::size_t index;

    // `read(model)` under the scene's lock; its result must hold no Python object.
    template <typename Read>
    auto With(Read read) const {
        const std::lock_guard lock(scene->Mutex());
        return read(scene->Model(index));
    }
};

struct MaterialHandle {
    SceneRef scene;
    std::size_t index;

    template <typename Read>
    auto With(Read read) const {
        const std::lock_guard lock(scene->Mutex());
        return read(scene->Material(index));
    }
};

// A read-only sequence of a scene's objects or materials, by list position.
template <typename Handle>
struct RecordList {
    SceneRef scene;
};
using ObjectList = RecordList<ObjectHandle>;
using MaterialList = RecordList<MaterialHandle>;

// The array properties of Object (object_arrays.cpp).
void BindObjectArrays(py::class_<ObjectHandle>& object);
