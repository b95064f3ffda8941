// Moving the records appended to a list out of it and back.
#pragma once

#include <cstddef>
#include <iterator>
#include <vector>

// The records of `from` past its first `keep` move to `to`.
template <typename T>
void MoveTail(std::vector<T>& from, std::size_t keep, std::vector<T>& to) {
    if (keep >= from.size()) {
        return;
    }
    to.assign(std::make_move_iterator(from.begin() + static_cast<std::ptrdiff_t>(keep)),
              std::make_move_iterator(from.end()));
    from.erase(from.begin() + static_cast<std::ptrdiff_t>(keep), from.end());
}
