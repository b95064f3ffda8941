#include "exchange/written_names.h"

#include <algorithm>

#include "exchange/obj_text.h"
#include "scene/cp932.h"

namespace {

constexpr std::string_view kChunkEnd = "}";

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The position of a lead byte that ends `cp932` without its second byte, or
// npos. Only a walk from the start tells lead bytes from second bytes.
std::size_t LoneLeadByteAtEnd(std::string_view cp932) {
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(cp932[i]))) {
            if (i + 1 == cp932.size()) {
                return i;
            }
            ++i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string MqoWrittenName(std::string_view cp932) {
    std::string name(cp932);
    // Second bytes of double-byte characters are 0x40 and above: no byte
    // replaced here belongs to one.
    for (char& c : name) {
        if (c == '"') {
            c = '\'';
        } else if (IsControl(c)) {
            c = ' ';
        }
    }
    if (const std::size_t lone = LoneLeadByteAtEnd(name); lone != std::string::npos) {
        name[lone] = '?';
    }
    return name == kChunkEnd ? "'}'" : name;
}

bool IsMqoWritable(std::string_view cp932) {
    return cp932 != kChunkEnd &&
           std::none_of(cp932.begin(), cp932.end(),
                        [](char c) { return c == '"' || IsControl(c); }) &&
           LoneLeadByteAtEnd(cp932) == std::string_view::npos;
}

std::string ObjWrittenName(std::string_view utf8) {
    std::string name(utf8);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return IsControl(c) || IsObjBlank(c); }, '_');
    return name;
}

bool IsObjWritable(std::string_view utf8) {
    return std::none_of(utf8.begin(), utf8.end(),
                        [](char c) { return IsControl(c) || IsObjBlank(c); });
}

std::string ObjWrittenFileName(std::string_view utf8) {
    std::string name(utf8);
    std::replace_if(name.begin(), name.end(), IsControl, '_');
    return name;
}

bool IsObjFileNameWritable(std::string_view utf8) {
    return std::none_of(utf8.begin(), utf8.end(), IsControl);
}
