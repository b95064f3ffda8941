// Splitting a loop over a big mesh between the two cores the program may use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>

// Below this many elements a second thread costs more than it saves.
constexpr std::size_t kMinimumPerThread = 20000;

// Runs work(part, begin, end) over [0, count): as part 0 alone, or, when the
// count is big enough and a second core exists, as parts 0 and 1 on two
// threads. Returns the number of parts; the parts are consecutive ranges, so
// results kept per part concatenate in element order.
template <typename Work>
int ForParts(std::size_t count, Work work) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    if (cores < 2 || count < 2 * kMinimumPerThread) {
        work(0, std::size_t{0}, count);
        return 1;
    }
    const std::size_t half = count / 2;
    std::thread second([&work, half, count] { work(1, half, count); });
    work(0, std::size_t{0}, half);
    second.join();
    return 2;
}
