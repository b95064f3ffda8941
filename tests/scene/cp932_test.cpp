#include "scene/cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, NamesWithBraceTrailBytesRoundTrip) {
    const std::string cp932 = "\x83\x7D\x83\x65\x83\x8A\x83\x41\x83\x8B";  // マテリアル
    EXPECT_EQ(Cp932ToUtf8(cp932), "マテリアル");
    EXPECT_EQ(Utf8ToCp932("マテリアル"), cp932);
    EXPECT_EQ(Utf8ToCp932("ボソ"), "\x83\x7B\x83\x5C");
}

TEST(Cp932, DamagedBytesStillConvert) {
    EXPECT_EQ(Cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD");  // a lone lead byte at the end
    EXPECT_EQ(Cp932ToUtf8("\xA0z"), "\xEF\xBF\xBDz");
}

TEST(Cp932, MissingCharactersBecomeQuestionMarksAndAreCounted) {
    int replaced = 0;
    EXPECT_EQ(Utf8ToCp932("a😀b\xFF" "c", &replaced), "a?b?c");
    EXPECT_EQ(replaced, 2);
}

TEST(Cp932, Utf16SurrogatePairs) {
    int replaced = 0;
    EXPECT_EQ(Utf16LeToCp932(u"x\U0001F600y", &replaced), "x?y");
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(Utf16LeToCp932(u"日本"), Utf8ToCp932("日本"));
}

TEST(Cp932, LeadBytes) {
    EXPECT_TRUE(IsCp932LeadByte(0x81));
    EXPECT_TRUE(IsCp932LeadByte(0x9F));
    EXPECT_TRUE(IsCp932LeadByte(0xE0));
    EXPECT_TRUE(IsCp932LeadByte(0xFC));
    EXPECT_FALSE(IsCp932LeadByte(0x80));
    EXPECT_FALSE(IsCp932LeadByte(0xA0));
    EXPECT_FALSE(IsCp932LeadByte(0xDF));
    EXPECT_FALSE(IsCp932LeadByte('}'));
}
