#include "scene/archive.h"

#include <algorithm>
#include <bit>

#include "scene/atomic_file.h"
#include "scene/cp932.h"

static_assert(std::endian::native == std::endian::little,
              "the archive copies little-endian items as they are in memory");

namespace {

// What a writer into a file gathers before handing it on, and what a reader
// from a source reads at once: large enough that a system call costs little
// next to what it moves, small enough to stay in the cache.
constexpr std::size_t kHandOnBytes = 256 * 1024;
constexpr std::uint64_t kSourceBufferBytes = 256 * 1024;

}  // namespace

ArchiveWriter::ArchiveWriter(PendingFile& file) : file_(&file) {
    bytes_.reserve(kHandOnBytes + 64);
}

void ArchiveWriter::WriteBytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
    if (file_ && bytes_.size() >= kHandOnBytes) {
        HandOn();
    }
}

void ArchiveWriter::HandOn() {
    if (!failure_) {
        failure_ = file_->Append(bytes_);
    }
    bytes_.clear();
}

FileFailure ArchiveWriter::Finish() {
    if (file_) {
        HandOn();
    }
    return failure_;
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

ArchiveReader::ArchiveReader(ArchiveSource& source, std::uint64_t totalBytes)
    : total_(totalBytes), source_(&source) {
    buffer_.resize(
        static_cast<std::size_t>(std::clamp<std::uint64_t>(totalBytes, 16, kSourceBufferBytes)));
    begin_ = next_ = end_ = buffer_.data();
}

void ArchiveReader::Refill(std::size_t size, const char* what) {
    if (size > Remaining()) {
        ThrowEndOfFile(what);
    }
    // Only a reader with a source gets here: in memory, every byte left is
    // already between next_ and end_.
    const std::size_t unread = static_cast<std::size_t>(end_ - next_);
    base_ = Offset();
    std::memmove(buffer_.data(), next_, unread);
    begin_ = next_ = buffer_.data();
    end_ = buffer_.data() + unread;
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(buffer_.size() - unread, Remaining() - unread));
    ReadFromSource(buffer_.data() + unread, wanted, what);
    end_ += wanted;
}

void ArchiveReader::CopyOutFromSource(unsigned char* out, std::size_t size, const char* what) {
    if (size > Remaining()) {
        ThrowEndOfFile(what);
    }
    const std::size_t buffered = static_cast<std::size_t>(end_ - next_);
    if (buffered > 0) {
        std::memcpy(out, next_, buffered);
        next_ = end_;
        out += buffered;
        size -= buffered;
    }
    if (size < buffer_.size()) {
        Refill(size, what);
        std::memcpy(out, next_, size);
        next_ += size;
        return;
    }
    // Long runs go straight to their place, without passing the buffer.
    base_ = Offset();
    begin_ = next_ = end_ = buffer_.data();
    ReadFromSource(out, size, what);
    base_ += size;
}

void ArchiveReader::ReadFromSource(unsigned char* out, std::size_t size, const char* what) {
    while (size > 0) {
        const std::size_t n = source_->Read(out, size);
        if (n == 0) {
            // The file became shorter than it was when opened.
            ThrowEndOfFile(what);
        }
        out += n;
        size -= n;
    }
}

void ArchiveReader::ThrowEndOfFile(const char* what) const {
    throw DocumentEndOfFile(
        {}, std::string("the file ends inside ") + what + " at byte " + std::to_string(Offset()));
}

void ArchiveReader::ThrowBadCount(std::int32_t count, std::uint64_t at, const char* what) const {
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
                                "a doubled wide-string marker at byte " + std::to_string(Offset()));
        }
    }
    const std::uint64_t bytes = wide ? length * 2 : length;
    if (length > Remaining() || bytes > Remaining()) {
        throw DocumentEndOfFile({}, "a string of " + std::to_string(length) +
                                        " characters at byte " + std::to_string(Offset()) +
                                        " runs past the end of the file");
    }
    if (!wide) {
        std::string narrow(static_cast<std::size_t>(length), '\0');
        CopyOut(narrow.data(), narrow.size(), "a string");
        return narrow;
    }
    std::u16string utf16(static_cast<std::size_t>(length), u'\0');
    CopyOut(utf16.data(), static_cast<std::size_t>(bytes), "a string");
    return Utf16LeToCp932(utf16, &replaced_);
}
