// Splitting the lines of Wavefront OBJ and MTL text: blanks separate words,
// a line ends at LF (a CR before it is dropped), "#" starts a comment.
#pragma once

#include <string_view>

inline bool IsObjBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// The next word of `rest`, which is advanced past it; empty at the end of the
// line or at a comment.
inline std::string_view NextObjWord(std::string_view& rest) {
    std::size_t begin = 0;
    while (begin < rest.size() && IsObjBlank(rest[begin])) {
        ++begin;
    }
    if (begin == rest.size() || rest[begin] == '#') {
        rest = {};
        return {};
    }
    std::size_t end = begin;
    while (end < rest.size() && !IsObjBlank(rest[end])) {
        ++end;
    }
    const std::string_view word = rest.substr(begin, end - begin);
    rest.remove_prefix(end);
    return word;
}

// `rest` without its leading and trailing blanks: a name or file name, which
// may hold blanks and "#".
inline std::string_view TrimObjBlanks(std::string_view rest) {
    while (!rest.empty() && IsObjBlank(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && IsObjBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    return rest;
}

// Calls `line(text)` for every line of `text`.
template <typename LineFunction>
void ForEachObjLine(std::string_view text, LineFunction line) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        line(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
}
