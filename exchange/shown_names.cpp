#include "exchange/shown_names.h"

#include <cstdio>

#include "scene/cp932.h"

std::string EscapeControlCharacters(std::string_view utf8) {
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char escape[8];
        if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else if (c == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            // U+0080–U+009F, the C1 controls: 0xC2 and a second byte that is the code.
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(utf8[++i]));
            shown += escape;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

std::string ShownName(std::string_view cp932) {
    return EscapeControlCharacters(Cp932ToUtf8(cp932));
}
