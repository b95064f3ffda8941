#include "exchange/c_numbers.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string_view SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && c_numbers_detail::IsCSpace(text[i])) {
        ++i;
    }
    text.remove_prefix(i);
    return text;
}

// The rare inputs std::from_chars does not settle (hexadecimal, out of range)
// go to strtod under a private C locale, which defines the expected result.
double StrtodInCLocale(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

}  // namespace

double c_numbers_detail::ParseCDoubleSlow(std::string_view text) {
    text = SkipSpace(text);
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits[0] == '+' || digits[0] == '-') {
        return 0.0;
    }
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        return StrtodInCLocale(text);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        return StrtodInCLocale(text);
    }
    if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

// A float times 10^6 = 2^6 · 15625 is exact in a double (24 + 14 significant
// bits), so rounding that product to an integer, ties to even, gives the digits
// printf rounds the exact value to. Values too large for that, infinities and
// NaN go through std::to_chars, which gives the same text.
char* FormatFixed6(char* out, float value) {
    const double scaled = static_cast<double>(value) * 1e6;
    constexpr double kExactLimit = 9.0e15;
    if (!(std::fabs(scaled) < kExactLimit)) {
        return std::to_chars(out, out + kFixed6MaxChars, static_cast<double>(value),
                             std::chars_format::fixed, 6)
            .ptr;
    }
    const auto micro = static_cast<std::uint64_t>(std::fabs(std::nearbyint(scaled)));
    if (std::signbit(value)) {
        *out++ = '-';
    }
    out = std::to_chars(out, out + kFixed6MaxChars, micro / 1000000).ptr;
    *out++ = '.';
    std::uint64_t fraction = micro % 1000000;
    for (int i = 5; i >= 0; --i) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + 6;
}
