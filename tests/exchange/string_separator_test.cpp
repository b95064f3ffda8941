#include "exchange/string_separator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(std::string_view line, bool doubleByte = true) {
    StringSeparator separator;
    separator.SetDoubleByteText(doubleByte);
    const int n = separator.Separate(line);
    std::vector<std::string> tokens;
    for (int i = 0; i < n; ++i) {
        tokens.emplace_back(separator.Token(i));
    }
    return tokens;
}

using Tokens = std::vector<std::string>;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File FileWith(std::string_view bytes) {
    File file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

template <typename Separator>
std::vector<Tokens> ReadAllLines(std::string_view bytes) {
    File file = FileWith(bytes);
    Separator lines(file.get());
    std::vector<Tokens> result;
    int n;
    while ((n = lines.ReadLine()) >= 0) {
        Tokens tokens;
        for (int i = 0; i < n; ++i) {
            tokens.emplace_back(lines.Token(i));
        }
        result.push_back(tokens);
    }
    EXPECT_EQ(lines.Count(), -1);
    return result;
}

TEST(Separate, SplitsAttributesQuotesAndDelimiters) {
    EXPECT_EQ(
        Split("\t\"mat 1\" col(1.000 0.5,0) tex(\"a b.bmp\")\r\n"),
        (Tokens{"mat 1", "col", "(", "1.000", "0.5", ",", "0", ")", "tex", "(", "a b.bmp", ")"}));
    EXPECT_EQ(Split("a:b;c=d[e]{f}"),
              (Tokens{"a", ":", "b", ";", "c", "=", "d", "[", "e", "]", "{", "f", "}"}));
}

TEST(Separate, BlanksProduceNoEmptyTokens) {
    EXPECT_EQ(Split("  a \t\t b  "), (Tokens{"a", "b"}));
    EXPECT_EQ(Split(""), Tokens{});
    EXPECT_EQ(Split(" \t \r\n"), Tokens{});
}

TEST(Separate, QuotesKeepBlanksAndDelimitersAndMayBeEmpty) {
    EXPECT_EQ(Split("Object \"my box\" {"), (Tokens{"Object", "my box", "{"}));
    EXPECT_EQ(Split("Object \"\" {"), (Tokens{"Object", "", "{"}));
    EXPECT_EQ(Split("x\"(a)\"y"), (Tokens{"x", "(a)", "y"}));
    EXPECT_EQ(Split("tex(\"unclosed name"), (Tokens{"tex", "(", "unclosed name"}));
    EXPECT_EQ(Split("a \""), (Tokens{"a"}));
}

TEST(Separate, LineEndsAtNulCrOrLf) {
    EXPECT_EQ(Split(std::string_view("a b\0c d", 7)), (Tokens{"a", "b"}));
    EXPECT_EQ(Split("a b\rc d"), (Tokens{"a", "b"}));
    EXPECT_EQ(Split("a \"b\nc\""), (Tokens{"a", "b"}));
}

TEST(Separate, ShiftJisTrailBytesAreNeverDelimiters) {
    // マ = 83 7D ("}"), ボ = 83 7B ("{"), ソ = 83 5C ("\"), ゼ = 83 5B ("["), ニ = 83 6A.
    EXPECT_EQ(Split("\"\x83\x7D\x83\x65\x83\x8A\x83\x41\x83\x8B\" shader(3)"),
              (Tokens{"\x83\x7D\x83\x65\x83\x8A\x83\x41\x83\x8B", "shader", "(", "3", ")"}));
    EXPECT_EQ(Split("Object \x83\x7B\x83\x5C {"), (Tokens{"Object", "\x83\x7B\x83\x5C", "{"}));
    EXPECT_EQ(Split("\x83\x5B\x83\x28 x"), (Tokens{"\x83\x5B\x83\x28", "x"}));
    // A lead byte pairs even with a blank or a quote.
    EXPECT_EQ(Split("\x83 a"), (Tokens{"\x83 a"}));
    EXPECT_EQ(Split("\"\x83\" b\""), (Tokens{"\x83\" b"}));
}

TEST(Separate, LeadByteAtTheEndOfALineStaysALoneByte) {
    EXPECT_EQ(Split("ab\x83"), (Tokens{"ab\x83"}));
    EXPECT_EQ(Split("ab\x83\r\n"), (Tokens{"ab\x83"}));
    EXPECT_EQ(Split("\"ab\x83\n\""), (Tokens{"ab\x83"}));
    EXPECT_EQ(Split(std::string_view("\x83\0x", 3)), (Tokens{"\x83"}));
    const std::string exact = "a \x90";  // the view ends right after the lead byte
    EXPECT_EQ(Split(std::string_view(exact.data(), exact.size())), (Tokens{"a", "\x90"}));
}

TEST(Separate, Utf8TextPairsNoBytes) {
    // "名" in UTF-8 ends with 0x8D, a Shift-JIS lead byte: paired, it would
    // swallow the closing quote.
    EXPECT_EQ(Split("\"\xE5\x90\x8D\" {", false), (Tokens{"\xE5\x90\x8D", "{"}));
    EXPECT_EQ(Split("\"\xE5\x90\x8D\" {", true), (Tokens{"\xE5\x90\x8D\" {"}));
}

TEST(Separate, KeywordsIgnoreLetterCase) {
    StringSeparator s;
    s.Separate("OBJECT \"a\" {");
    EXPECT_TRUE(s.Begins("Object", 2));
    EXPECT_TRUE(s.Begins("object", 3));
    EXPECT_FALSE(s.Begins("Object", 4));
    EXPECT_TRUE(s.Is(2, "{"));
    EXPECT_FALSE(s.Is(3, "{"));
    EXPECT_FALSE(s.Is(-1, "OBJECT"));
    EXPECT_FALSE(s.Is(5, ""));
    EXPECT_FALSE(s.Is(0, "OBJEC"));
}

TEST(Separate, NumbersOfMissingTokensAreZero) {
    StringSeparator s;
    s.Separate("7 2.5 x");
    EXPECT_EQ(s.ToInt(0), 7);
    EXPECT_EQ(s.ToFloat(1), 2.5);
    EXPECT_EQ(s.ToInt(2), 0);
    EXPECT_EQ(s.ToInt(3), 0);
    EXPECT_EQ(s.ToFloat(-1), 0.0);
    EXPECT_EQ(s.Token(-1), "");
}

TEST(Separate, ALaterShorterLineForgetsEarlierTokens) {
    StringSeparator s;
    s.Separate("a b c d");
    EXPECT_EQ(s.Separate("x"), 1);
    EXPECT_EQ(s.Token(1), "");
    EXPECT_FALSE(s.Is(1, "b"));
}

TEST(FileStringSeparator, LinesEndAtLfCrOrCrLf) {
    EXPECT_EQ(ReadAllLines<FileStringSeparator>("a b\nc\rd\r\ne\r\r\nf"),
              (std::vector<Tokens>{{"a", "b"}, {"c"}, {"d"}, {"e"}, {}, {"f"}}));
    EXPECT_EQ(ReadAllLines<FileStringSeparator>(""), std::vector<Tokens>{});
    EXPECT_EQ(ReadAllLines<FileStringSeparator>("\n"), std::vector<Tokens>{{}});
}

TEST(FileStringSeparator, LeadBytesTakeTheirTrailByteButNotTheLineEnd) {
    EXPECT_EQ(ReadAllLines<FileStringSeparator>("\x83\x7D x\n\x83\ny\x83"),
              (std::vector<Tokens>{{"\x83\x7D", "x"}, {"\x83"}, {"y\x83"}}));
}

TEST(FileStringSeparator, LinesHaveNoLengthLimit) {
    const std::string word(100000, 'w');
    EXPECT_EQ(ReadAllLines<FileStringSeparator>(word + " z\n"), (std::vector<Tokens>{{word, "z"}}));
}

TEST(AsciiFileString, ReadsLinesLikeFgets) {
    // CR ends the tokens but not the line: only LF separates lines.
    EXPECT_EQ(ReadAllLines<AsciiFileString>("a b\r\nc\rd\n\ne"),
              (std::vector<Tokens>{{"a", "b"}, {"c"}, {}, {"e"}}));
    EXPECT_EQ(ReadAllLines<AsciiFileString>(""), std::vector<Tokens>{});
}

TEST(AsciiFileString, LongLinesAreReadWhole) {
    const std::string word(3 << 20, 'w');
    EXPECT_EQ(ReadAllLines<AsciiFileString>("x\n" + word + " z\ny"),
              (std::vector<Tokens>{{"x"}, {word, "z"}, {"y"}}));
}

TEST(AsciiFileString, LinesAcrossBufferRefillsStayWhole) {
    std::string bytes;
    int lines = 0;
    while (bytes.size() < (5u << 20)) {
        bytes += std::to_string(lines++) + " abcdefghijklmnopqrstuvwxyz\r\n";
    }
    File file = FileWith(bytes);
    AsciiFileString reader(file.get());
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(reader.ReadLine(), 2) << i;
        ASSERT_EQ(reader.ToInt(0), i);
        ASSERT_EQ(reader.Token(1), "abcdefghijklmnopqrstuvwxyz");
    }
    EXPECT_EQ(reader.ReadLine(), -1);
}

TEST(AsciiFileString, BinaryBlocksAfterALineAreSkippedOrRead) {
    const std::string bytes = "Vector 1 [4]\nBIN!\r\nxyzabc\nrest\n";
    File file = FileWith(bytes);
    AsciiFileString reader(file.get());
    EXPECT_EQ(reader.RemainingBytes(), bytes.size());
    reader.ReadLine();
    EXPECT_TRUE(reader.SkipBytes(4));
    EXPECT_EQ(reader.ReadLine(), 0);
    char block[3];
    ASSERT_TRUE(reader.ReadBytes(block, 3));
    EXPECT_EQ(std::string(block, 3), "xyz");
    EXPECT_EQ(reader.ReadLine(), 1);
    EXPECT_EQ(reader.Token(0), "abc");
    EXPECT_EQ(reader.RemainingBytes(), 5u);
    EXPECT_FALSE(reader.SkipBytes(100));
    EXPECT_EQ(reader.ReadLine(), -1);
}

TEST(AsciiFileString, SkipsBlocksLargerThanItsBuffer) {
    const std::string block(3 << 20, '\n');
    File file = FileWith("head\n" + block + "tail\n");
    AsciiFileString reader(file.get());
    reader.ReadLine();
    ASSERT_TRUE(reader.SkipBytes(block.size()));
    ASSERT_EQ(reader.ReadLine(), 1);
    EXPECT_EQ(reader.Token(0), "tail");
}

}  // namespace
