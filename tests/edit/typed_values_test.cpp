#include "edit/typed_values.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedValues, NumbersAreReadFromTheStartOfTheText) {
    EXPECT_EQ(ParseTypedNumber("10"), 10.0f);
    EXPECT_EQ(ParseTypedNumber("  12.5abc"), 12.5f);
    EXPECT_EQ(ParseTypedNumber("+3"), 3.0f);
    EXPECT_EQ(ParseTypedNumber("-2e1"), -20.0f);
    EXPECT_EQ(ParseTypedNumber(".5"), 0.5f);
    EXPECT_EQ(ParseTypedNumber("abc"), 0.0f);
    EXPECT_EQ(ParseTypedNumber(""), 0.0f);
    EXPECT_EQ(ParseTypedNumber("-"), 0.0f);
    EXPECT_EQ(ParseTypedNumber("1.5x"), 1.5f);
    EXPECT_EQ(ParseTypedNumber("2e"), 2.0f);
    EXPECT_EQ(ParseTypedNumber("0x10"), 0.0f);
}

// Nothing typed may become an infinity or NaN: a rotation by either would
// turn the selected vertices into NaN.
TEST(TypedValues, OnlyPlainFiniteDecimalsAreNumbers) {
    for (const char* text :
         {"+-3", "-+3", "inf", "-inf", "nan", "infinity", "NaN", "1e39", "-1e39", "1e999999"}) {
        EXPECT_EQ(ParseTypedNumber(text), 0.0f) << text;
    }
    EXPECT_EQ(ParseTypedNumber("3.4e38"), 3.4e38f);
}

TEST(TypedValues, ScaleFactorsNotAboveZeroMeanNoChange) {
    EXPECT_EQ(TypedScaleFactor(2), 2.0f);
    EXPECT_EQ(TypedScaleFactor(0), 1.0f);
    EXPECT_EQ(TypedScaleFactor(-3), 1.0f);
}

}  // namespace
