// NumPy arrays that view objects' vertex positions in place.
//
// A view writes into the scene without telling it, so the scene cannot mark
// the positions it changed. Each view therefore holds a lease: while an
// object has leases, or once one ended since the last look, every step that
// reads its positions (saving, drawing, normals) first counts all of them as
// moved. And an object whose vertex array must be replaced hands the old
// array to its leases, so no view ever points at freed memory: it only stops
// writing through.
//
// The registry has a lock of its own: leases end whenever Python frees an
// array, while other threads may hold the scene's lock without the
// interpreter's. The arrays themselves are guarded by the scene's lock.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "scene/large_array_allocator.h"
#include "scene/vector.h"

class VertexViews {
public:
    class Lease {
    public:
        Lease(VertexViews& views, std::shared_ptr<void> owner, std::size_t model);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        std::size_t Model() const { return model_; }
        bool Detached() const { return retired_ != nullptr; }

    private:
        friend class VertexViews;
        VertexViews& views_;
        std::shared_ptr<void> owner_;  // keeps `views_` alive
        std::size_t model_;
        std::shared_ptr<LargeArray<CVector>> retired_;  // the array viewed once detached
    };

    // A lease on object `model`'s array, for a view that keeps `owner` (the
    // scene holding this registry) alive.
    std::unique_ptr<Lease> Open(std::shared_ptr<void> owner, std::size_t model);

    // The objects whose positions views may have written since the last call,
    // in ascending order.
    std::vector<std::size_t> TakeWritten();
    // Puts `model` back among them (its positions were not settled after all).
    void MarkWritten(std::size_t model);

    // Before object `model`'s array is replaced: when views hold it, moves it
    // out of `vertices` into their leases (leaving `vertices` empty) and
    // returns it; otherwise leaves `vertices` alone and returns null.
    std::shared_ptr<LargeArray<CVector>> Detach(std::size_t model, LargeArray<CVector>& vertices);

    // The objects whose own arrays views write into now, ascending.
    std::vector<std::size_t> Viewed();
    // Undoes a Detach of object `model` that returned `retired`: the array
    // gets `vertices`' contents and replaces it, and the views it detached
    // write through again.
    void Reattach(std::size_t model, const std::shared_ptr<LargeArray<CVector>>& retired,
                  LargeArray<CVector>& vertices);

private:
    void Close(Lease& lease);
    // `models` with the objects of the attached leases, sorted, each once;
    // the caller holds the mutex.
    std::vector<std::size_t> WithAttached(std::vector<std::size_t> models) const;

    std::mutex mutex_;
    std::vector<Lease*> live_;
    std::vector<std::size_t> written_;  // objects whose leases ended while attached
};
