// A stable least-significant-digit radix sort: linear, and reading and
// writing its arrays in order, where a comparison sort of millions of
// records jumps about.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Sorts `items` by the `bits` low bits of key(item), 11 bits a pass: few
// enough buckets for their counters to stay in the cache.
template <typename T, typename Key>
void RadixSort(std::vector<T>& items, int bits, Key key) {
    constexpr int kDigit = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigit;
    std::vector<T> other(items.size());
    for (int shift = 0; shift < bits; shift += kDigit) {
        std::array<std::size_t, kBuckets + 1> start{};
        for (const T& item : items) {
            ++start[((key(item) >> shift) & (kBuckets - 1)) + 1];
        }
        for (std::size_t b = 1; b <= kBuckets; ++b) {
            start[b] += start[b - 1];
        }
        for (const T& item : items) {
            other[start[(key(item) >> shift) & (kBuckets - 1)]++] = item;
        }
        items.swap(other);
    }
}
