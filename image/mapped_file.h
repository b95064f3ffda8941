// A whole file as one read-only byte span, so that every reader decodes from
// memory: the path readers and the in-memory entry points (fuzzers, tests)
// share one code path, and nothing is read byte by byte through stdio.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "scene/regular_file.h"

class MappedFile {
public:
    // Maps `path` when it is a regular file of at most `maxBytes`; Data() is
    // empty otherwise (an empty file also gives an empty span). Pages are read
    // as a reader touches them, so a reader that stops after the header reads
    // no more of a large file.
    MappedFile(const std::filesystem::path& path, std::uint64_t maxBytes);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return open_; }
    FileRefusal Refusal() const { return refusal_; }
    // Why the file is not open ("not a regular file (a FIFO)").
    const std::string& Cause() const { return cause_; }
    std::span<const std::uint8_t> Data() const { return {data_, size_}; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool open_ = false;
    FileRefusal refusal_ = FileRefusal::None;
    std::string cause_;
};
