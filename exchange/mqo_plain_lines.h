// The vertex and face lines nearly every Metasequoia document consists of,
// read straight from the line's bytes.
//
// Splitting a line into tokens and converting each costs more than the rest of
// an open. These readers take only the common shapes, "x y z" and
// "n V(i ..) M(m) UID(u) UV(u v ..)" with plain decimals and at most nine-digit
// indices, and refuse everything else (exponents, signs on counts, lower case
// keywords, unknown groups, odd delimiters, a line without its line feed), so
// that the tokenizing path reads it: an accepted line always gives the numbers
// that path would give.
#pragma once

#include <cstdint>
#include <string_view>

// A face line's values, the corner count being 2 to 4.
struct MqoFaceLine {
    int corners = 0;
    int indices[4] = {};
    std::int64_t material = 0;  // 0 without an M group
    bool hasUvs = false;
    double uvs[8] = {};  // u and v of each corner, when hasUvs
};

// `line` as read from the file, its line feed included.
bool ReadPlainVertexLine(std::string_view line, double (&xyz)[3]);
bool ReadPlainFaceLine(std::string_view line, MqoFaceLine& face);
