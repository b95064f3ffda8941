// Names and file names as shown to a person, on a terminal or in a window.
// They come from files anyone may write: a name holding "ESC ]0;…" would
// retitle a terminal, one holding a line feed fake further lines. Control
// characters are shown as escapes instead.
#pragma once

#include <string>
#include <string_view>

// `utf8` with each control character (U+0000–U+001F, U+007F–U+009F) written
// as "\xHH" (or "\u0085" and the like above U+007F); everything else as it is.
std::string EscapeControlCharacters(std::string_view utf8);

// A CP932 name as UTF-8, its control characters escaped.
std::string ShownName(std::string_view cp932);
