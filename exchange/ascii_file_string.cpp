#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "exchange/string_separator.h"

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;
constexpr std::size_t kUnknownSizeChunk = std::size_t{64} << 10;
// Real lines are at most a few hundred bytes. A longer one (a damaged file
// without line feeds) is handed out in pieces of this size, so that the
// buffer never grows beyond it.
constexpr std::size_t kMaxLine = std::size_t{16} << 20;

}  // namespace

AsciiFileString::AsciiFileString(std::FILE* file) : FileStringSeparator(file) {
    struct stat info;
    const int descriptor = ::fileno(file);
    if (descriptor >= 0 && ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        fileSize = static_cast<std::uint64_t>(info.st_size);
    }
    // Small documents get a small buffer; the size of a pipe is unknown.
    const std::uint64_t wanted = fileSize > 0 ? fileSize + 1 : kUnknownSizeChunk;
    capacity = static_cast<std::size_t>(std::clamp<std::uint64_t>(wanted, 4096, kReadChunk));
    buffer = std::make_unique_for_overwrite<char[]>(capacity);
}

bool AsciiFileString::Refill() {
    if (endOfFile) {
        return false;
    }
    if (begin > 0) {
        std::memmove(buffer.get(), buffer.get() + begin, end - begin);
        end -= begin;
        begin = 0;
    }
    if (end == capacity) {
        const std::size_t grown = std::min(capacity * 2, kMaxLine + kReadChunk);
        if (grown == capacity) {
            return false;
        }
        auto larger = std::make_unique_for_overwrite<char[]>(grown);
        std::memcpy(larger.get(), buffer.get(), end);
        buffer = std::move(larger);
        capacity = grown;
    }
    const std::size_t n = std::fread(buffer.get() + end, 1, capacity - end, file);
    end += n;
    if (n == 0) {
        endOfFile = true;
    }
    return n > 0;
}

int AsciiFileString::ReadLine() {
    std::string_view line;
    return ReadRawLine(line) ? Separate(line) : -1;
}

bool AsciiFileString::ReadRawLine(std::string_view& line) {
    std::size_t scanned = begin;
    for (;;) {
        const char* data = buffer.get();
        const void* lineFeed = std::memchr(data + scanned, '\n', end - scanned);
        if (lineFeed) {
            const std::size_t lineEnd = static_cast<const char*>(lineFeed) - data + 1;
            line = std::string_view(data + begin, lineEnd - begin);
            begin = lineEnd;
            return true;
        }
        const std::size_t searched = end - begin;
        if (searched >= kMaxLine || !Refill()) {
            if (begin == end) {
                count = -1;
                return false;
            }
            const std::size_t pieceEnd = std::min(end, begin + kMaxLine);
            line = std::string_view(buffer.get() + begin, pieceEnd - begin);
            begin = pieceEnd;
            return true;
        }
        scanned = begin + searched;  // Refill moved the unread bytes to the front
    }
}

bool AsciiFileString::SkipBytes(std::uint64_t size) {
    for (;;) {
        const std::uint64_t available = end - begin;
        if (size <= available) {
            begin += static_cast<std::size_t>(size);
            return true;
        }
        size -= available;
        begin = end = 0;
        if (!Refill()) {
            return false;
        }
    }
}

bool AsciiFileString::ReadBytes(char* out, std::size_t size) {
    for (;;) {
        const std::size_t n = std::min(size, end - begin);
        std::memcpy(out, buffer.get() + begin, n);
        begin += n;
        out += n;
        size -= n;
        if (size == 0) {
            return true;
        }
        if (!Refill()) {
            return false;
        }
    }
}

std::uint64_t AsciiFileString::RemainingBytes() const {
    const long position = std::ftell(file);
    if (fileSize == 0 || position < 0 || static_cast<std::uint64_t>(position) > fileSize) {
        return 0;
    }
    return fileSize - static_cast<std::uint64_t>(position) + (end - begin);
}
