#include "exchange/mqo_plain_lines.h"

#include "exchange/c_numbers.h"

namespace {

using c_numbers_detail::IsDigit;

// The tokenizer's classes: blanks separate tokens, NUL, CR and LF end the line.
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r' || c == '\0';
}

// A line that ends in its line feed: every scan below stops there at the latest.
class LineCursor {
public:
    explicit LineCursor(std::string_view line) : p(line.data()), end(line.data() + line.size()) {}

    bool Terminated() const { return p < end && end[-1] == '\n'; }

    // Skips blanks, then takes `c`.
    bool Take(char c) {
        SkipBlanks();
        if (*p != c) {
            return false;
        }
        ++p;
        return true;
    }

    // Skips blanks, then takes `word` when it is a whole token.
    bool TakeWord(std::string_view word) {
        SkipBlanks();
        if (std::string_view(p, static_cast<std::size_t>(end - p)).substr(0, word.size()) != word) {
            return false;
        }
        const char after = p[word.size()];
        if (!IsBlank(after) && after != '(') {
            return false;
        }
        p += word.size();
        return true;
    }

    // A number that ends its token, followed by a blank, `closing` or (with
    // closing 0) the line end.
    bool Decimal(double& value, char closing) {
        SkipBlanks();
        const char* const after = c_numbers_detail::ParsePlainDecimalAt(p, end, value);
        if (!after || !Ends(*after, closing)) {
            return false;
        }
        p = after;
        return true;
    }

    // 1 to 9 digits, after a minus sign when `signed`.
    bool Integer(std::int64_t& value, bool signedValue, char closing) {
        SkipBlanks();
        const bool negative = signedValue && *p == '-';
        const char* q = p + (negative ? 1 : 0);
        const char* const first = q;
        std::int64_t magnitude = 0;
        while (IsDigit(*q) && q - first < 9) {
            magnitude = magnitude * 10 + (*q++ - '0');
        }
        if (q == first || !Ends(*q, closing)) {
            return false;
        }
        value = negative ? -magnitude : magnitude;
        p = q;
        return true;
    }

    bool AtLineEnd() {
        SkipBlanks();
        return IsLineEnd(*p);
    }

private:
    void SkipBlanks() {
        while (IsBlank(*p)) {
            ++p;
        }
    }

    static bool Ends(char c, char closing) {
        return IsBlank(c) || (closing ? c == closing : IsLineEnd(c));
    }

    const char* p;
    const char* end;
};

// "KEY(value)" with an unsigned integer value, or nothing.
bool SkipIntegerGroup(LineCursor& cursor, std::string_view key) {
    if (!cursor.TakeWord(key)) {
        return true;
    }
    std::int64_t value = 0;
    return cursor.Take('(') && cursor.Integer(value, false, ')') && cursor.Take(')');
}

}  // namespace

bool ReadPlainVertexLine(std::string_view line, double (&xyz)[3]) {
    LineCursor cursor(line);
    return cursor.Terminated() && cursor.Decimal(xyz[0], 0) && cursor.Decimal(xyz[1], 0) &&
           cursor.Decimal(xyz[2], 0) && cursor.AtLineEnd();
}

bool ReadPlainFaceLine(std::string_view line, MqoFaceLine& face) {
    LineCursor cursor(line);
    std::int64_t corners = 0;
    if (!cursor.Terminated() || !cursor.Integer(corners, false, 0) || corners < 2 || corners > 4 ||
        !cursor.TakeWord("V") || !cursor.Take('(')) {
        return false;
    }
    face.corners = static_cast<int>(corners);
    for (int k = 0; k < face.corners; ++k) {
        std::int64_t index = 0;
        if (!cursor.Integer(index, false, k + 1 == face.corners ? ')' : ' ')) {
            return false;
        }
        face.indices[k] = static_cast<int>(index);
    }
    if (!cursor.Take(')')) {
        return false;
    }
    face.material = 0;
    if (cursor.TakeWord("M") &&
        !(cursor.Take('(') && cursor.Integer(face.material, true, ')') && cursor.Take(')'))) {
        return false;
    }
    if (!SkipIntegerGroup(cursor, "UID")) {
        return false;
    }
    face.hasUvs = cursor.TakeWord("UV");
    if (face.hasUvs) {
        if (!cursor.Take('(')) {
            return false;
        }
        for (int k = 0; k < 2 * face.corners; ++k) {
            if (!cursor.Decimal(face.uvs[k], k + 1 == 2 * face.corners ? ')' : ' ')) {
                return false;
            }
        }
        if (!cursor.Take(')')) {
            return false;
        }
    }
    return cursor.AtLineEnd();
}
