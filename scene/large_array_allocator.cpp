#include "scene/large_array_allocator.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugeThreshold = std::size_t{4} << 20;
// Leaves room to round up to whole huge pages without overflowing.
constexpr std::size_t kMaximumBytes = std::size_t{1} << 48;

}  // namespace

void* AllocateLargeArrayBlock(std::size_t bytes, std::size_t alignment) {
    if (bytes > kMaximumBytes) {
        throw std::bad_array_new_length();
    }
    if (bytes < kHugeThreshold) {
        return ::operator new (bytes, std::align_val_t{alignment});
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (!p) {
        throw std::bad_alloc();
    }
    ::madvise(p, rounded, MADV_HUGEPAGE);
    return p;
}

void FreeLargeArrayBlock(void* block, std::size_t bytes, std::size_t alignment) noexcept {
    if (bytes < kHugeThreshold) {
        ::operator delete (block, std::align_val_t{alignment});
    } else {
        std::free(block);
    }
}
