// What the parts of the module share: the functions that add each part's
// classes and functions, and the helpers for the scene's lock and for arrays.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

#include "python/python_scene.h"
#include "scene/large_array_allocator.h"

namespace py = pybind11;

using SceneRef = std::shared_ptr<PythonScene>;

void BindErrors(py::module_& module);
void BindRecords(py::module_& module);
void BindScene(py::module_& module);
void BindRender(py::module_& module);
// Scene.run, undo, redo and modified; quorvel.commands() and CommandError.
void BindCommands(py::module_& module, py::class_<PythonScene, SceneRef>& scene);

// Runs `work()` without the interpreter's lock, holding the scene's through
// `lock`, which is released before the interpreter's lock is taken back (also
// when `work` throws): a thread never waits for it holding the scene's.
template <typename Work>
auto RunReleased(std::unique_lock<std::mutex>& lock, Work work) {
    py::gil_scoped_release release;
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            lock.unlock();
        } else {
            auto result = work();
            lock.unlock();
            return result;
        }
    } catch (...) {
        lock.unlock();
        throw;
    }
}

// A buffer filled under the scene's lock, where no Python object may be made,
// and handed to NumPy afterwards without a copy. Face-sized arrays of a big
// object run to tens of megabytes: they come from the scene's large-block
// allocator, whose huge pages spare a page fault every 4 KB.
template <typename T>
struct OwnedBuffer {
    static_assert(std::is_trivial_v<T>, "the block holds values, not constructed objects");

    struct BlockFree {
        std::size_t bytes = 0;
        void operator()(T* p) const noexcept { FreeLargeArrayBlock(p, bytes, alignof(T)); }
    };

    std::vector<py::ssize_t> shape;
    std::unique_ptr<T[], BlockFree> data;
};

template <typename T>
OwnedBuffer<T> MakeBuffer(std::vector<py::ssize_t> shape) {
    std::size_t size = 1;
    for (py::ssize_t extent : shape) {
        size *= static_cast<std::size_t>(extent);
    }
    const std::size_t bytes = size * sizeof(T);
    T* data = static_cast<T*>(AllocateLargeArrayBlock(bytes, alignof(T)));
    return {std::move(shape), {data, {bytes}}};
}

// The array owns the buffer.
template <typename T>
py::array_t<T> ToArray(OwnedBuffer<T>&& buffer) {
    auto owned = std::make_unique<OwnedBuffer<T>>(std::move(buffer));
    py::capsule owner(owned.get(), [](void* p) { delete static_cast<OwnedBuffer<T>*>(p); });
    const OwnedBuffer<T>& held = *owned.release();
    return py::array_t<T>(held.shape, held.data.get(), owner);
}
