#include "exchange/string_separator.h"

#include "exchange/c_numbers.h"
#include "scene/cp932.h"

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

// Each pass of the outer loop starts between tokens and consumes one token.
// The scan relies on the line's last byte being a line end, which stops every
// inner loop without a bounds check; lines from files end in a line feed, and
// the few others (the last line of a file, a caller's text) are copied with one.
int StringSeparator::Separate(std::string_view line) {
    count = 0;
    if (line.empty() || classes[static_cast<unsigned char>(line.back())] != LineEnd) {
        terminated.assign(line);
        terminated += '\n';
        line = terminated;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    auto store = [this](const unsigned char* begin, const unsigned char* end) {
        Store(reinterpret_cast<const char*>(begin), reinterpret_cast<const char*>(end));
    };
    // A lead byte takes the byte after it, unless that is the line end: the
    // line end is no trail byte, and nothing lies beyond it.
    auto afterLeadByte = [this](const unsigned char* q) {
        return classes[q[1]] != LineEnd ? q + 2 : q + 1;
    };
    for (;;) {
        while (classes[*p] == Blank) {
            ++p;
        }
        const ByteClass kind = classes[*p];
        if (kind == Plain || kind == LeadByte) {
            const unsigned char* start = p;
            for (;;) {
                while (classes[*p] == Plain) {
                    ++p;
                }
                if (classes[*p] != LeadByte) {
                    break;
                }
                p = afterLeadByte(p);
            }
            store(start, p);
        } else if (kind == Delimiter) {
            store(p, p + 1);
            ++p;
        } else if (kind == Quote) {
            const unsigned char* start = ++p;
            for (ByteClass inside; (inside = classes[*p]) != Quote && inside != LineEnd;) {
                p = inside == LeadByte ? afterLeadByte(p) : p + 1;
            }
            const bool closed = classes[*p] == Quote;
            // An empty quoted text is a token (an empty name); an unclosed quote
            // leaves its text as the last token of the line.
            if (closed || p > start) {
                store(start, p);
            }
            if (!closed) {
                return count;
            }
            ++p;
        } else {
            return count;  // NUL, CR or LF
        }
    }
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
