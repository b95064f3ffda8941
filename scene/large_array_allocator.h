// The allocator of the per-object vertex and face arrays. A million-face
// object's face array is hundreds of megabytes, and touching it page by page
// costs more than reading the document; blocks of 4 MB and more are therefore
// aligned to 2 MB and offered to the kernel as transparent huge pages.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

template <typename T>
class LargeArrayAllocator {
public:
    using value_type = T;

    LargeArrayAllocator() noexcept = default;
    template <typename U>
    LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > kMaximumBytes / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugeThreshold) {
            return static_cast<T*>(::operator new (bytes, std::align_val_t{alignof(T)}));
        }
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, rounded);
        if (!p) {
            throw std::bad_alloc();
        }
        ::madvise(p, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) noexcept {
        if (n * sizeof(T) < kHugeThreshold) {
            ::operator delete (p, std::align_val_t{alignof(T)});
        } else {
            std::free(p);
        }
    }

    friend bool operator==(const LargeArrayAllocator&, const LargeArrayAllocator&) { return true; }

private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    static constexpr std::size_t kHugeThreshold = std::size_t{4} << 20;
    // Leaves room to round up to whole huge pages without overflowing.
    static constexpr std::size_t kMaximumBytes = std::size_t{1} << 48;
};

template <typename T>
using LargeArray = std::vector<T, LargeArrayAllocator<T>>;
