#include "exchange/c_numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "test_files.h"

namespace {

std::string Fixed6(double value) {
    char text[kFixed6MaxChars];
    return std::string(text, FormatFixed6(text, value));
}

TEST(CNumbers, ParseDoubleMatchesStrtodInTheCLocale) {
    const char* inputs[] = {"0.5",      "-1.25",
                            "+3",       "  7.5",
                            "1e3",      "-6.99382213e-07",
                            "1.5x",     "abc",
                            "",         "-",
                            "+-1",      ".5",
                            "5.",       "5e",
                            "5e+",      "1e-310",
                            "1e400",    "-1e400",
                            "1e-400",   "0x10",
                            "0x1p-2",   "0x",
                            "inf",      "-Infinity",
                            "1,5",      "\t\n2",
                            "00012.50", "123456789012345678901234567890"};
    for (const char* text : inputs) {
        EXPECT_EQ(ParseCDouble(text), std::strtod(text, nullptr)) << text;
    }
    EXPECT_TRUE(std::isnan(ParseCDouble("nan")));
    EXPECT_TRUE(std::signbit(ParseCDouble("-0")));
}

TEST(CNumbers, ParseIntStopsAtTheFirstNonDigit) {
    EXPECT_EQ(ParseCInt("42"), 42);
    EXPECT_EQ(ParseCInt(" -17"), -17);
    EXPECT_EQ(ParseCInt("+8"), 8);
    EXPECT_EQ(ParseCInt("3.9"), 3);
    EXPECT_EQ(ParseCInt("1e3"), 1);
    EXPECT_EQ(ParseCInt("x1"), 0);
    EXPECT_EQ(ParseCInt(""), 0);
    EXPECT_EQ(ParseCInt("-"), 0);
}

TEST(CNumbers, ParseIntSaturatesOutsideTheIntRange) {
    EXPECT_EQ(ParseCInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseCInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseCInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParseCInt("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseCInt("-99999999999999999999999"), INT_MIN);
}

TEST(CNumbers, FixedMatchesPrintfForFloats) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> small(-2.0f, 2.0f);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 20000; ++i) {
        float value = i % 2 ? small(random) : std::bit_cast<float>(bits(random));
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", static_cast<double>(value));
        ASSERT_EQ(Fixed6(value), expected) << value;
    }
    EXPECT_EQ(Fixed6(0.0), "0.000000");
    EXPECT_EQ(Fixed6(-0.0), "-0.000000");
    EXPECT_EQ(Fixed6(-1e-9), "-0.000000");
    EXPECT_EQ(Fixed6(0.8f), "0.800000");
    EXPECT_EQ(Fixed6(1500.0), "1500.000000");
}

TEST(CNumbers, CommaDecimalLocaleChangesNothing) {
    CommaDecimalLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed (scripts/install-deps adds "
                        "de_DE.UTF-8)";
    }
    EXPECT_EQ(std::atof("0.5"), 0.0) << "the locale should make atof stop at the point";
    EXPECT_EQ(ParseCDouble("0.5"), 0.5);
    EXPECT_EQ(ParseCDouble("-6.99382213e-07"), -6.99382213e-07);
    EXPECT_EQ(ParseCDouble("1,5"), 1.0);
    EXPECT_EQ(Fixed6(0.5), "0.500000");
    EXPECT_EQ(Fixed6(-1234.25), "-1234.250000");
}

}  // namespace
