// Number conversions of the Metasequoia text format, fixed to the "C" locale.
//
// The format was written by Windows programs calling atof, atoi and "%f" in the
// C locale. A process whose LC_NUMERIC is German (Qt sets it from the
// environment) would read "0.5" as 0 and write "0,500000" through the C
// library, so these helpers never consult the locale.
//
// The two parsers run for every number of a document, so their common paths
// are inline here; the rare cases live in c_numbers.cpp.
#pragma once

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace c_numbers_detail {

inline bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// The value of the decimal digits from `p` on, two at a time; `p` ends past
// them. Wraps past 19 digits.
inline std::uint64_t DigitsValue(const char*& p, const char* end) {
    std::uint64_t value = 0;
    while (end - p >= 2 && IsDigit(p[0]) && IsDigit(p[1])) {
        value = value * 100 + static_cast<std::uint64_t>((p[0] - '0') * 10 + (p[1] - '0'));
        p += 2;
    }
    if (p < end && IsDigit(*p)) {
        value = value * 10 + static_cast<std::uint64_t>(*p++ - '0');
    }
    return value;
}

// Everything ParseCDouble's inline path does not settle.
double ParseCDoubleSlow(std::string_view text);

// Plain decimals ("-4995.000000", the bulk of every document) are converted
// without a library call: with at most 19 digits whose value fits in the
// 53-bit mantissa, both the digits and the power of ten are exact doubles, and
// one IEEE division rounds to the nearest double exactly as strtod does.
// Anything else (white space, an exponent, more digits, no digits, "0x",
// "inf") is refused. Returns the end of the number's text in [p, end), or
// nullptr when refused.
inline const char* ParsePlainDecimalAt(const char* p, const char* end, double& value) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                              1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                              1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    static constexpr auto kScales = [] {
        std::array<std::uint64_t, 20> scales{1};
        for (std::size_t i = 1; i < scales.size(); ++i) {
            scales[i] = scales[i - 1] * 10;
        }
        return scales;
    }();
    constexpr std::ptrdiff_t kMaxDigits = 19;
    const bool negative = p < end && *p == '-';
    p += p < end && (*p == '-' || *p == '+');
    // The integer and the fraction digits are two independent chains of
    // multiplications, which the processor runs side by side.
    const char* const integerStart = p;
    const std::uint64_t integer = DigitsValue(p, end);
    const std::ptrdiff_t integerDigits = p - integerStart;
    std::uint64_t fraction = 0;
    std::ptrdiff_t decimals = 0;
    if (p < end && *p == '.') {
        const char* const fractionStart = ++p;
        fraction = DigitsValue(p, end);
        decimals = p - fractionStart;
    }
    const std::ptrdiff_t digits = integerDigits + decimals;
    if (digits == 0 || digits > kMaxDigits ||
        (p < end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X'))) {
        return nullptr;
    }
    // At most 19 digits: below 10^19, so exact in 64 bits.
    const std::uint64_t mantissa = integer * kScales[static_cast<std::size_t>(decimals)] + fraction;
    if (mantissa > (std::uint64_t{1} << 53)) {
        return nullptr;
    }
    value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    value = negative ? -value : value;
    return p;
}

inline bool ParsePlainDecimal(std::string_view text, double& value) {
    return ParsePlainDecimalAt(text.data(), text.data() + text.size(), value) != nullptr;
}

}  // namespace c_numbers_detail

// Like the C locale's atof: leading white space, a sign, decimal or "0x"
// hexadecimal digits with an optional exponent, "inf" and "nan"; conversion
// stops at the first character that does not fit, and text without a number
// gives 0. Values beyond the double range give ±HUGE_VAL or 0, as strtod does.
inline double ParseCDouble(std::string_view text) {
    double value;
    return c_numbers_detail::ParsePlainDecimal(text, value)
               ? value
               : c_numbers_detail::ParseCDoubleSlow(text);
}

// Like the C locale's atoi, except that values beyond the int range saturate
// at INT_MIN or INT_MAX instead of being undefined.
inline int ParseCInt(std::string_view text) {
    using c_numbers_detail::IsDigit;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && c_numbers_detail::IsCSpace(*p)) {
        ++p;
    }
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

// Writes `value` like printf's "%f" in the C locale (fixed notation, six
// decimals; the float widened to double, as printf receives it) to `out`,
// which must hold kFixed6MaxChars characters, and returns the end of the text.
inline constexpr int kFixed6MaxChars = 64;
char* FormatFixed6(char* out, float value);
