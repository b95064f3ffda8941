#include "edit/typed_values.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the plain decimal at the start of `text`: an optional sign, digits
// with an optional point (at least one digit), and an exponent only when
// digits follow its "e". Spellings such as "inf" or "nan" and a second sign
// are no number, so nothing typed can put an infinity or NaN into the scene.
std::size_t PlainDecimalLength(std::string_view text) {
    std::size_t i = 0;
    auto digitsFrom = [&text](std::size_t at) {
        while (at < text.size() && IsDigit(text[at])) {
            ++at;
        }
        return at;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t integerStart = i;
    i = digitsFrom(i);
    std::size_t digits = i - integerStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = i + 1;
        const std::size_t fractionEnd = digitsFrom(fractionStart);
        digits += fractionEnd - fractionStart;
        i = fractionEnd;
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = digitsFrom(exponent);
        if (exponentEnd > exponent) {
            i = exponentEnd;
        }
    }
    return i;
}

}  // namespace

float ParseTypedNumber(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) {
        return 0.0f;
    }
    std::string_view number = text.substr(start, PlainDecimalLength(text.substr(start)));
    if (number.empty()) {
        return 0.0f;
    }
    // from_chars takes a minus sign but no plus sign.
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    float value = 0.0f;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // Beyond the float range counts as no number rather than an infinity.
    return error == std::errc() && std::isfinite(value) ? value : 0.0f;
}
