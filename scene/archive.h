// The little-endian binary archive of native documents: 32-bit integers and
// floats, and strings with a length prefix (narrow CP932 bytes, or UTF-16LE
// behind the 0xFF 0xFFFE marker, which readers convert to CP932).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "scene/document_error.h"

class ArchiveWriter {
public:
    void WriteInt32(std::int32_t value);
    void WriteFloat(float value);
    void WriteString(const std::string& cp932);
    void WriteBytes(const void* data, std::size_t size);

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    void Reserve(std::size_t size) { bytes_.reserve(size); }

private:
    std::vector<unsigned char> bytes_;
};

// Reads from a buffer that holds the whole document. Every read checks what is
// left, so a damaged or truncated file throws DocumentError (without a file
// name, which the caller adds) instead of reading past. The reads of single
// items are inline: a document of a million faces makes tens of millions.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const unsigned char> data) : data_(data) {}

    std::int32_t ReadInt32() {
        std::int32_t value;
        std::memcpy(&value, Take(4, "an integer"), 4);
        return value;
    }
    float ReadFloat() {
        float value;
        ReadFloats(&value, 1);
        return value;
    }
    std::string ReadString();
    // Non-finite numbers are read as 0 and counted.
    void ReadFloats(float* out, std::size_t count) {
        std::memcpy(out, Take(count * 4, "a list of numbers"), count * 4);
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(out[i])) {
                out[i] = 0.0f;
                ++replacedNumbers_;
            }
        }
    }
    void ReadInt32s(std::int32_t* out, std::size_t count) {
        std::memcpy(out, Take(count * 4, "a list of integers"), count * 4);
    }

    // Reads an element count and checks that `bytesPerElement` bytes for each of
    // them can still follow, so a damaged count cannot ask for unbounded memory.
    std::size_t ReadCount(std::size_t bytesPerElement, const char* what) {
        const std::size_t at = offset_;
        const std::int32_t count = ReadInt32();
        if (count < 0 || static_cast<std::uint64_t>(count) * bytesPerElement > Remaining()) {
            ThrowBadCount(count, at, what);
        }
        return static_cast<std::size_t>(count);
    }

    std::size_t Remaining() const { return data_.size() - offset_; }
    std::size_t Offset() const { return offset_; }
    // Strings that held characters CP932 lacks.
    int ReplacedCharacters() const { return replaced_; }
    // Numbers read as 0 because they were not finite (NaN or infinite): no
    // scene holds one, whatever a file brings.
    int ReplacedNumbers() const { return replacedNumbers_; }

private:
    const unsigned char* Take(std::size_t size, const char* what) {
        if (size > Remaining()) {
            ThrowEndOfFile(what);
        }
        const unsigned char* p = data_.data() + offset_;
        offset_ += size;
        return p;
    }
    [[noreturn]] void ThrowEndOfFile(const char* what) const;
    [[noreturn]] void ThrowBadCount(std::int32_t count, std::size_t at, const char* what) const;
    std::uint64_t ReadLength();

    std::span<const unsigned char> data_;
    std::size_t offset_ = 0;
    int replaced_ = 0;
    int replacedNumbers_ = 0;
};
