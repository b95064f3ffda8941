// Names and file names inside documents are Shift-JIS (code page 932) bytes,
// kept byte for byte; these helpers convert only at the edges (UI, file system).
#pragma once

#include <string>
#include <string_view>

// The lead-byte test of code page 932.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Undecodable bytes become U+FFFD, so a damaged name still shows.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters code page 932 lacks become "?"; `replaced` (if given) counts them.
std::string Utf8ToCp932(std::string_view utf8, int* replaced = nullptr);
std::string Utf16LeToCp932(std::u16string_view utf16, int* replaced = nullptr);
