// The allocator of the per-object vertex and face arrays. A million-face
// object's face array is hundreds of megabytes, and touching it page by page
// costs more than reading the document; blocks of 4 MB and more are therefore
// aligned to 2 MB and offered to the kernel as transparent huge pages.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Throws std::bad_array_new_length beyond 2^48 bytes, std::bad_alloc when out
// of memory.
void* AllocateLargeArrayBlock(std::size_t bytes, std::size_t alignment);
// `bytes` and `alignment` as given to AllocateLargeArrayBlock.
void FreeLargeArrayBlock(void* block, std::size_t bytes, std::size_t alignment) noexcept;

template <typename T>
class LargeArrayAllocator {
public:
    using value_type = T;

    LargeArrayAllocator() noexcept = default;
    template <typename U>
    LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > kMaximumElements) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocateLargeArrayBlock(n * sizeof(T), alignof(T)));
    }

    void deallocate(T* p, std::size_t n) noexcept {
        FreeLargeArrayBlock(p, n * sizeof(T), alignof(T));
    }

    // Resizing default-initialises: elements of trivial types (the derived
    // arrays of normals and face lists, filled right after sizing) are left
    // as the fresh pages come, rather than cleared twice.
    template <typename U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const LargeArrayAllocator&, const LargeArrayAllocator&) { return true; }

private:
    // Keeps the byte count from overflowing; the block function sets the real limit.
    static constexpr std::size_t kMaximumElements = (std::size_t{1} << 48) / sizeof(T);
};

template <typename T>
using LargeArray = std::vector<T, LargeArrayAllocator<T>>;
