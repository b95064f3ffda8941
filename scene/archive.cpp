#include "scene/archive.h"

#include <bit>

#include "scene/cp932.h"

static_assert(std::endian::native == std::endian::little,
              "the archive copies little-endian items as they are in memory");

void ArchiveWriter::WriteBytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

void ArchiveWriter::WriteInt32(std::int32_t value) {
    WriteBytes(&value, 4);
}

void ArchiveWriter::WriteFloat(float value) {
    WriteBytes(&value, 4);
}

void ArchiveWriter::WriteString(const std::string& cp932) {
    const std::uint64_t length = cp932.size();
    if (length < 0xFF) {
        bytes_.push_back(static_cast<unsigned char>(length));
    } else if (length < 0xFFFE) {
        bytes_.push_back(0xFF);
        std::uint16_t l16 = static_cast<std::uint16_t>(length);
        WriteBytes(&l16, 2);
    } else {
        bytes_.push_back(0xFF);
        std::uint16_t marker = 0xFFFF;
        WriteBytes(&marker, 2);
        if (length < 0xFFFFFFFF) {
            std::uint32_t l32 = static_cast<std::uint32_t>(length);
            WriteBytes(&l32, 4);
        } else {
            std::uint32_t marker32 = 0xFFFFFFFF;
            WriteBytes(&marker32, 4);
            WriteBytes(&length, 8);
        }
    }
    WriteBytes(cp932.data(), cp932.size());
}

void ArchiveReader::ThrowEndOfFile(const char* what) const {
    throw DocumentEndOfFile(
        {}, std::string("the file ends inside ") + what + " at byte " + std::to_string(offset_));
}

void ArchiveReader::ThrowBadCount(std::int32_t count, std::size_t at, const char* what) const {
    if (count < 0) {
        throw DocumentError({}, std::string("negative ") + what + " count " +
                                    std::to_string(count) + " at byte " + std::to_string(at));
    }
    throw DocumentError({}, std::string(what) + " count " + std::to_string(count) + " at byte " +
                                std::to_string(at) + " exceeds the " + std::to_string(Remaining()) +
                                " bytes left in the file");
}

// The prefix grows by escalating markers: 0xFF, then 0xFFFF, then 0xFFFFFFFF.
std::uint64_t ArchiveReader::ReadLength() {
    const unsigned char l8 = *Take(1, "a string length");
    if (l8 < 0xFF) {
        return l8;
    }
    std::uint16_t l16;
    std::memcpy(&l16, Take(2, "a string length"), 2);
    if (l16 < 0xFFFE) {
        return l16;
    }
    if (l16 == 0xFFFE) {
        // The wide marker; a caller that sees it again treats it as an error.
        return UINT64_MAX;
    }
    std::uint32_t l32;
    std::memcpy(&l32, Take(4, "a string length"), 4);
    if (l32 < 0xFFFFFFFF) {
        return l32;
    }
    std::uint64_t l64;
    std::memcpy(&l64, Take(8, "a string length"), 8);
    return l64;
}

std::string ArchiveReader::ReadString() {
    std::uint64_t length = ReadLength();
    bool wide = false;
    if (length == UINT64_MAX) {
        wide = true;
        length = ReadLength();
        if (length == UINT64_MAX) {
            throw DocumentError({},
                                "a doubled wide-string marker at byte " + std::to_string(offset_));
        }
    }
    const std::uint64_t bytes = wide ? length * 2 : length;
    if (length > Remaining() || bytes > Remaining()) {
        throw DocumentEndOfFile({}, "a string of " + std::to_string(length) +
                                        " characters at byte " + std::to_string(offset_) +
                                        " runs past the end of the file");
    }
    const unsigned char* p = Take(static_cast<std::size_t>(bytes), "a string");
    if (!wide) {
        return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(length));
    }
    std::u16string utf16(static_cast<std::size_t>(length), u'\0');
    std::memcpy(utf16.data(), p, static_cast<std::size_t>(bytes));
    return Utf16LeToCp932(utf16, &replaced_);
}
