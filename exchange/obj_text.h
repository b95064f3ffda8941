// Splitting the lines of Wavefront OBJ and MTL text: blanks separate words,
// a line ends at LF, CR LF or a lone CR (old Mac files), "#" starts a comment.
#pragma once

#include <cstring>
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

// Finds the ends of lines in OBJ or MTL text: the first CR or LF. A CR LF
// pair ends a line and leaves an empty one, which reads as nothing. The next
// LF is remembered, so that text whose lines end in CR alone is not searched
// to its end for an LF at every line.
class ObjLineEnds {
public:
    explicit ObjLineEnds(std::string_view text) : text_(text) {}

    // The position of the first CR or LF at or after `from`, else the size.
    std::size_t From(std::size_t from) {
        if (!lfKnown_ || lf_ < from) {
            lf_ = Find('\n', from, text_.size());
            lfKnown_ = true;
        }
        return Find('\r', from, lf_);
    }

private:
    std::size_t Find(char c, std::size_t from, std::size_t to) const {
        if (from >= to) {
            return to;
        }
        const void* found = std::memchr(text_.data() + from, c, to - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                     : to;
    }

    std::string_view text_;
    std::size_t lf_ = 0;
    bool lfKnown_ = false;
};

// Calls `line(text)` for every line of `text`.
template <typename LineFunction>
void ForEachObjLine(std::string_view text, LineFunction line) {
    ObjLineEnds ends(text);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = ends.From(start);
        line(text.substr(start, end - start));
        start = end + 1;
    }
}
