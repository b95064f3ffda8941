// The little-endian binary archive of native documents: 32-bit integers and
// floats, and strings with a length prefix (narrow CP932 bytes, or UTF-16LE
// behind the 0xFF 0xFFFE marker, which readers convert to CP932).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene/document_error.h"

// The name the document layer catches damage by.
using ArchiveError = DocumentError;

// The file ended before the archive did (a truncated document); the
// application words this case apart from other damage.
class ArchiveEndOfFile : public DocumentError {
public:
    using DocumentError::DocumentError;
};

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
// name, which the caller adds) instead of reading past.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const unsigned char> data) : data_(data) {}

    std::int32_t ReadInt32();
    float ReadFloat();
    std::string ReadString();
    void ReadFloats(float* out, std::size_t count);
    void ReadInt32s(std::int32_t* out, std::size_t count);

    // Reads an element count and checks that `bytesPerElement` bytes for each of
    // them can still follow, so a damaged count cannot ask for unbounded memory.
    std::size_t ReadCount(std::size_t bytesPerElement, const char* what);

    std::size_t Remaining() const { return data_.size() - offset_; }
    std::size_t Offset() const { return offset_; }
    // Strings that held characters CP932 lacks.
    int ReplacedCharacters() const { return replaced_; }
    // Numbers read as 0 because they were not finite (NaN or infinite): no
    // scene holds one, whatever a file brings.
    int ReplacedNumbers() const { return replacedNumbers_; }

private:
    const unsigned char* Take(std::size_t size, const char* what);
    std::uint64_t ReadLength();

    std::span<const unsigned char> data_;
    std::size_t offset_ = 0;
    int replaced_ = 0;
    int replacedNumbers_ = 0;
};
