// Line tokenizers of the Metasequoia text format.
//
// A line splits into words separated by blanks; each of ( ) , : ; = [ ] { } is
// a token of its own; double quotes group text with blanks into one token (the
// quotes are dropped). In Shift-JIS text a lead byte and the byte after it form
// one character whatever that second byte is, so the "}" in the middle of "マ"
// (0x83 0x7D) is never taken for a closing brace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scene/ascii.h"

class StringSeparator {
public:
    StringSeparator();

    // Splits one line and returns the number of tokens. NUL, CR and LF end the
    // line. The tokens are views into `line` (or into a copy kept until the
    // next call) and stay valid as long as it does.
    int Separate(std::string_view line);

    // Shift-JIS text pairs lead bytes with their trail bytes; UTF-8 text must
    // not, or the last byte of a name could swallow its closing quote.
    void SetDoubleByteText(bool on);

    // The current line's token count; -1 once the end of the file was reached.
    int Count() const { return count; }
    // Token `i`, or an empty text when there is no token `i`.
    std::string_view Token(int i) const {
        return i >= 0 && i < count ? tokens[static_cast<std::size_t>(i)] : std::string_view();
    }
    // Keyword tests ignore ASCII letter case.
    bool Begins(std::string_view word, int n) const { return count >= n && Is(0, word); }
    bool Is(int i, std::string_view word) const {
        if (i < 0 || i >= count) {
            return false;
        }
        return EqualIgnoringAsciiCase(tokens[static_cast<std::size_t>(i)], word);
    }
    // The C locale's atoi and atof of token `i`; 0 when there is no token `i`.
    int ToInt(int i) const;
    double ToFloat(int i) const;

protected:
    std::vector<std::string_view> tokens;  // only the first `count` entries are this line's
    int count = 0;
    bool doubleByte = true;

private:
    enum ByteClass : std::uint8_t { Plain, Blank, Delimiter, Quote, LineEnd, LeadByte };

    void Store(const char* begin, const char* end) {
        if (static_cast<std::size_t>(count) == tokens.size()) {
            tokens.resize(tokens.size() * 2 + 16);
        }
        tokens[static_cast<std::size_t>(count++)] = std::string_view(begin, end - begin);
    }

    ByteClass classes[256];
    std::string terminated;  // a copy of a line that lacks a line end, with one
};

// Reads lines of any length from a C stdio file, byte by byte. A line ends at
// LF, CR or CR LF; the file is opened and closed by the caller.
class FileStringSeparator : public StringSeparator {
public:
    explicit FileStringSeparator(std::FILE* file) : file(file) {}

    // Reads and splits the next line; returns its token count, or -1 at the
    // end of the file.
    int ReadLine();

protected:
    std::FILE* file;

private:
    std::string line;
};

// Reads lines from a C stdio file through one large buffer; the tokens of a
// line are views into that buffer. This is the reader's line source: besides
// lines it hands out the binary blocks that some chunks embed.
class AsciiFileString : public FileStringSeparator {
public:
    explicit AsciiFileString(std::FILE* file);

    // Hides the base's: the reader always knows which line source it holds.
    int ReadLine();
    // Reads the next line without splitting it: a view into the buffer, valid
    // until the next read, that ends in its line feed unless it is the file's
    // last line or a piece of an overlong one. False at the end of the file
    // (the token count is then -1). Separate() splits it if need be.
    bool ReadRawLine(std::string_view& line);

    // Pass over, or copy out, `size` bytes that follow the current line's line
    // feed. False when the file ends first.
    bool SkipBytes(std::uint64_t size);
    bool ReadBytes(char* out, std::size_t size);

    // Bytes not yet read, or 0 when the file's size is unknown (a pipe).
    std::uint64_t RemainingBytes() const;

private:
    // Moves the unread bytes to the front and reads more; false at the end of the file.
    bool Refill();

    std::unique_ptr<char[]> buffer;
    std::size_t capacity = 0;
    std::size_t begin = 0;  // first unread byte
    std::size_t end = 0;    // end of the bytes read from the file
    bool endOfFile = false;
    std::uint64_t fileSize = 0;
};
