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

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

std::string_view SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
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

// Plain decimals ("-4995.000000", the bulk of every document) are converted
// without a library call: with at most 19 digits whose value fits in the
// 53-bit mantissa, both the digits and the power of ten are exact doubles, and
// one IEEE division rounds to the nearest double exactly as strtod does.
// Anything else (an exponent, more digits, no digits) is left to the caller.
bool ParsePlainDecimal(std::string_view text, double& value) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                              1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                              1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    constexpr std::ptrdiff_t kMaxDigits = 19;
    const char* p = text.data();
    const char* const end = p + text.size();
    std::uint64_t mantissa = 0;  // wraps past 19 digits, which are refused below
    const char* const integerStart = p;
    while (p < end && IsDigit(*p)) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p++ - '0');
    }
    const std::ptrdiff_t integerDigits = p - integerStart;
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        const char* const fractionStart = ++p;
        while (p < end && IsDigit(*p)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p++ - '0');
        }
        decimals = p - fractionStart;
    }
    const std::ptrdiff_t digits = integerDigits + decimals;
    if (digits == 0 || digits > kMaxDigits || mantissa > (std::uint64_t{1} << 53) ||
        (p < end && (*p == 'e' || *p == 'E'))) {
        return false;
    }
    value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return true;
}

}  // namespace

double ParseCDouble(std::string_view text) {
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
    if (ParsePlainDecimal(digits, value)) {
        return negative ? -value : value;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        return StrtodInCLocale(text);
    }
    if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

int ParseCInt(std::string_view text) {
    text = SkipSpace(text);
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p++ == '-';
    }
    // Eighteen digits cannot overflow; a nineteenth means far beyond the int range.
    const char* const safeEnd = p + std::min<std::ptrdiff_t>(end - p, 18);
    std::int64_t magnitude = 0;
    while (p < safeEnd && IsDigit(*p)) {
        magnitude = magnitude * 10 + (*p++ - '0');
    }
    if (p < end && IsDigit(*p)) {
        magnitude = std::int64_t{INT_MAX} + 1;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
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
