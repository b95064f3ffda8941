// Number conversions of the Metasequoia text format, fixed to the "C" locale.
//
// The format was written by Windows programs calling atof, atoi and "%f" in the
// C locale. A process whose LC_NUMERIC is German (Qt sets it from the
// environment) would read "0.5" as 0 and write "0,500000" through the C
// library, so these helpers never consult the locale.
#pragma once

#include <string_view>

// Like the C locale's atof: leading white space, a sign, decimal or "0x"
// hexadecimal digits with an optional exponent, "inf" and "nan"; conversion
// stops at the first character that does not fit, and text without a number
// gives 0. Values beyond the double range give ±HUGE_VAL or 0, as strtod does.
double ParseCDouble(std::string_view text);

// Like the C locale's atoi, except that values beyond the int range saturate
// at INT_MIN or INT_MAX instead of being undefined.
int ParseCInt(std::string_view text);

// Writes `value` like printf's "%f" in the C locale (fixed notation, six
// decimals; the float widened to double, as printf receives it) to `out`,
// which must hold kFixed6MaxChars characters, and returns the end of the text.
inline constexpr int kFixed6MaxChars = 64;
char* FormatFixed6(char* out, float value);
