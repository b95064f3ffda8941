#include "exchange/c_numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

std::string Fixed6(float value) {
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

TEST(CNumbers, ParseDoubleMatchesStrtodOnRandomDecimals) {
    std::mt19937 random(11);
    auto digitsOf = [&random](int count) {
        std::string digits;
        for (int i = 0; i < count; ++i) {
            digits += static_cast<char>('0' + random() % 10);
        }
        return digits;
    };
    for (int i = 0; i < 100000; ++i) {
        std::string text = random() % 3 == 0 ? "-" : "";
        text += digitsOf(static_cast<int>(random() % 12));
        if (random() % 4 != 0) {
            text += '.';
            text += digitsOf(static_cast<int>(random() % 14));
        }
        if (random() % 8 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 80) - 40);
        }
        ASSERT_EQ(ParseCDouble(text), std::strtod(text.c_str(), nullptr)) << text;
    }
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

std::string Printf(float value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

TEST(CNumbers, FixedMatchesPrintfForFloats) {
    std::vector<float> values = {0.0f,
                                 -0.0f,
                                 0.0078125f,  // 7812.5 millionths: a tie, rounded to even
                                 -0.0078125f,
                                 0.0234375f,
                                 1.0e-45f,
                                 0.8f,
                                 1500.0f,
                                 8.9e9f,
                                 9.1e9f,
                                 std::numeric_limits<float>::max(),
                                 -std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_real_distribution<float> small(-2.0f, 2.0f);
    std::uniform_real_distribution<float> wide(-1.0e6f, 1.0e6f);
    for (int i = 0; i < 50000; ++i) {
        values.push_back(std::bit_cast<float>(bits(random)));
        values.push_back(small(random));
        values.push_back(wide(random));
    }
    for (int k = 0; k < 20000; ++k) {  // around the halfway points between millionths
        const float half = (static_cast<float>(k) + 0.5f) * 1e-6f;
        values.push_back(std::nextafter(half, 0.0f));
        values.push_back(half);
        values.push_back(std::nextafter(half, 1.0f));
    }
    for (float value : values) {
        ASSERT_EQ(Fixed6(value), Printf(value)) << std::bit_cast<std::uint32_t>(value);
    }
    EXPECT_EQ(Fixed6(-1e-9f), "-0.000000");
    EXPECT_EQ(Fixed6(0.0078125f), "0.007812");
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
    EXPECT_EQ(Fixed6(0.5f), "0.500000");
    EXPECT_EQ(Fixed6(-1234.25f), "-1234.250000");
}

}  // namespace
