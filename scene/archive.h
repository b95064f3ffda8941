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

class PendingFile;

class ArchiveWriter {
public:
    // Collects the whole archive in memory (Bytes).
    ArchiveWriter() = default;
    // Hands the bytes on to `file` in parts, so that a document never lies in
    // memory whole; Finish writes the rest.
    explicit ArchiveWriter(PendingFile& file);

    void WriteInt32(std::int32_t value);
    void WriteFloat(float value);
    void WriteString(const std::string& cp932);
    void WriteBytes(const void* data, std::size_t size);
    // The first failure of the file, after it received every byte.
    FileFailure Finish();

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    // Room for a whole archive of `size` bytes, which a writer into a file
    // never holds.
    void Reserve(std::size_t size) {
        if (!file_) {
            bytes_.reserve(size);
        }
    }

private:
    void HandOn();

    std::vector<unsigned char> bytes_;
    PendingFile* file_ = nullptr;
    FileFailure failure_;
};

// Where a reader's bytes come from when they are not all in memory: a file
// read piece by piece, so that a document never needs a copy of itself.
class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;
    // Reads up to `size` bytes into `out` and returns how many; 0 at the end.
    // Throws DocumentError when the bytes cannot be read.
    virtual std::size_t Read(unsigned char* out, std::size_t size) = 0;
};

// Reads a document from memory or from a source. Every read checks what is
// left, so a damaged or truncated file throws DocumentError (without a file
// name, which the caller adds) instead of reading past. The reads of single
// items are inline: a document of a million faces makes tens of millions.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const unsigned char> data)
        : begin_(data.data()),
          next_(data.data()),
          end_(data.data() + data.size()),
          total_(data.size()) {}
    // `totalBytes` is the size the source claims; a source that ends sooner
    // is a truncated document.
    ArchiveReader(ArchiveSource& source, std::uint64_t totalBytes);
    // It points into its own buffer.
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

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
        CopyOut(out, count * 4, "a list of numbers");
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(out[i])) {
                out[i] = 0.0f;
                ++replacedNumbers_;
            }
        }
    }
    void ReadInt32s(std::int32_t* out, std::size_t count) {
        CopyOut(out, count * 4, "a list of integers");
    }

    // Reads an element count and checks that `bytesPerElement` bytes for each of
    // them can still follow, so a damaged count cannot ask for unbounded memory.
    std::size_t ReadCount(std::size_t bytesPerElement, const char* what) {
        const std::uint64_t at = Offset();
        const std::int32_t count = ReadInt32();
        if (count < 0 || static_cast<std::uint64_t>(count) * bytesPerElement > Remaining()) {
            ThrowBadCount(count, at, what);
        }
        return static_cast<std::size_t>(count);
    }

    std::uint64_t Remaining() const { return total_ - Offset(); }
    std::uint64_t Offset() const { return base_ + static_cast<std::uint64_t>(next_ - begin_); }
    // Strings that held characters CP932 lacks.
    int ReplacedCharacters() const { return replaced_; }
    // Numbers read as 0 because they were not finite (NaN or infinite): no
    // scene holds one, whatever a file brings.
    int ReplacedNumbers() const { return replacedNumbers_; }

private:
    // `size` is at most a few bytes here; longer items go through CopyOut.
    const unsigned char* Take(std::size_t size, const char* what) {
        if (size > static_cast<std::size_t>(end_ - next_)) {
            Refill(size, what);
        }
        const unsigned char* p = next_;
        next_ += size;
        return p;
    }
    void CopyOut(void* out, std::size_t size, const char* what) {
        if (size <= static_cast<std::size_t>(end_ - next_)) {
            std::memcpy(out, next_, size);
            next_ += size;
            return;
        }
        CopyOutFromSource(static_cast<unsigned char*>(out), size, what);
    }
    // Makes at least `size` unread bytes lie in the buffer.
    void Refill(std::size_t size, const char* what);
    void CopyOutFromSource(unsigned char* out, std::size_t size, const char* what);
    // Reads from the source until `size` bytes arrived, or throws at its end.
    void ReadFromSource(unsigned char* out, std::size_t size, const char* what);
    [[noreturn]] void ThrowEndOfFile(const char* what) const;
    [[noreturn]] void ThrowBadCount(std::int32_t count, std::uint64_t at, const char* what) const;
    std::uint64_t ReadLength();

    // The unread bytes are [next_, end_); begin_ lies at byte base_ of the
    // document.
    const unsigned char* begin_;
    const unsigned char* next_;
    const unsigned char* end_;
    std::uint64_t base_ = 0;
    std::uint64_t total_;
    ArchiveSource* source_ = nullptr;
    std::vector<unsigned char> buffer_;
    int replaced_ = 0;
    int replacedNumbers_ = 0;
};
