// Bounds-checked reading from a byte span: every read either succeeds whole or
// fails and leaves the position at the end, so a truncated file can never be
// read past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    // Moves to an absolute offset; false (and at the end) when beyond the data.
    bool Seek(std::size_t offset) {
        if (offset > data_.size()) {
            pos_ = data_.size();
            return false;
        }
        pos_ = offset;
        return true;
    }
    bool Skip(std::size_t count) {
        if (count > Remaining()) {
            pos_ = data_.size();
            return false;
        }
        pos_ += count;
        return true;
    }
    // The next `count` bytes, or an empty span (and at the end) when fewer remain.
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > Remaining()) {
            pos_ = data_.size();
            return {};
        }
        const auto bytes = data_.subspan(pos_, count);
        pos_ += count;
        return bytes;
    }
    bool Read(void* out, std::size_t count) {
        const auto bytes = Take(count);
        if (bytes.size() != count) {
            return false;
        }
        if (count != 0) {
            std::memcpy(out, bytes.data(), count);
        }
        return true;
    }
    bool ReadByte(std::uint8_t& out) { return Read(&out, 1); }
    bool ReadU16LE(std::uint16_t& out) {
        std::uint8_t b[2];
        if (!Read(b, 2)) {
            return false;
        }
        out = static_cast<std::uint16_t>(b[0] | b[1] << 8);
        return true;
    }
    bool ReadU16BE(std::uint16_t& out) {
        std::uint8_t b[2];
        if (!Read(b, 2)) {
            return false;
        }
        out = static_cast<std::uint16_t>(b[0] << 8 | b[1]);
        return true;
    }
    bool ReadU32BE(std::uint32_t& out) {
        std::uint8_t b[4];
        if (!Read(b, 4)) {
            return false;
        }
        out =
            std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
        return true;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};
