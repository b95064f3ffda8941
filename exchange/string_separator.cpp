#include "exchange/string_separator.h"

#include "exchange/c_numbers.h"
#include "scene/cp932.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

StringSeparator::StringSeparator() {
    for (int c = 0; c < 256; ++c) {
        classes[c] = Plain;
    }
    for (unsigned char c : std::string_view("()[]{},:;=")) {
        classes[c] = Delimiter;
    }
    classes[static_cast<unsigned char>(' ')] = Blank;
    classes[static_cast<unsigned char>('\t')] = Blank;
    classes[static_cast<unsigned char>('"')] = Quote;
    classes[0] = LineEnd;
    classes[static_cast<unsigned char>('\r')] = LineEnd;
    classes[static_cast<unsigned char>('\n')] = LineEnd;
    SetDoubleByteText(true);
}

void StringSeparator::SetDoubleByteText(bool on) {
    doubleByte = on;
    for (int c = 0x80; c < 256; ++c) {
        classes[c] = on && IsCp932LeadByte(static_cast<unsigned char>(c)) ? LeadByte : Plain;
    }
}

void StringSeparator::Store(const char* begin, const char* end) {
    if (static_cast<std::size_t>(count) == tokens.size()) {
        tokens.emplace_back();
    }
    tokens[static_cast<std::size_t>(count++)] = std::string_view(begin, end - begin);
}

int StringSeparator::Separate(std::string_view line) {
    count = 0;
    const char* p = line.data();
    const char* const stop = p + line.size();
    const char* start = nullptr;  // the current token, if one has begun
    bool quoted = false;
    while (p < stop) {
        ByteClass kind = classes[static_cast<unsigned char>(*p)];
        if (quoted && (kind == Blank || kind == Delimiter)) {
            kind = Plain;
        }
        switch (kind) {
            case Plain:
                if (!start) {
                    start = p;
                }
                ++p;
                break;
            case LeadByte:
                if (!start) {
                    start = p;
                }
                // A lead byte at the end of the line stays a lone byte: the
                // line end is not a trail byte, and nothing lies beyond it.
                p += p + 1 < stop && classes[static_cast<unsigned char>(p[1])] != LineEnd ? 2 : 1;
                break;
            case Blank:
                if (start) {
                    Store(start, p);
                    start = nullptr;
                }
                ++p;
                break;
            case Delimiter:
                if (start) {
                    Store(start, p);
                    start = nullptr;
                }
                Store(p, p + 1);
                ++p;
                break;
            case Quote:
                if (quoted) {
                    Store(start, p);  // even when empty: "" is an empty name
                    start = nullptr;
                } else {
                    if (start) {
                        Store(start, p);
                    }
                    start = p + 1;
                }
                quoted = !quoted;
                ++p;
                break;
            case LineEnd:
                goto end_of_line;
        }
    }
end_of_line:
    if (start && p > start) {
        Store(start, p);
    }
    return count;
}

bool StringSeparator::Is(int i, std::string_view word) const {
    if (i < 0 || i >= count) {
        return false;
    }
    const std::string_view token = tokens[static_cast<std::size_t>(i)];
    if (token.size() != word.size()) {
        return false;
    }
    for (std::size_t k = 0; k < token.size(); ++k) {
        if (LowerAscii(token[k]) != LowerAscii(word[k])) {
            return false;
        }
    }
    return true;
}

int StringSeparator::ToInt(int i) const {
    return ParseCInt(Token(i));
}

double StringSeparator::ToFloat(int i) const {
    return ParseCDouble(Token(i));
}

int FileStringSeparator::ReadLine() {
    line.clear();
    int c = std::getc(file);
    if (c == EOF) {
        count = -1;
        return -1;
    }
    for (; c != EOF; c = std::getc(file)) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            const int next = std::getc(file);
            if (next != '\n' && next != EOF) {
                std::ungetc(next, file);
            }
            break;
        }
        line.push_back(static_cast<char>(c));
        if (doubleByte && IsCp932LeadByte(static_cast<unsigned char>(c))) {
            const int trail = std::getc(file);
            if (trail == '\n' || trail == '\r') {
                std::ungetc(trail, file);  // a lone lead byte; the line ends as usual
            } else if (trail != EOF) {
                line.push_back(static_cast<char>(trail));
            }
        }
    }
    return Separate(line);
}
