// A whole file as one read-only byte span, so that every reader decodes from
// memory: the path readers and the in-memory entry points (fuzzers, tests)
// share one code path, and nothing is read byte by byte through stdio.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

class MappedFile {
public:
    // Maps `path`; Data() is empty when the file cannot be opened or mapped
    // (an empty file also gives an empty span).
    explicit MappedFile(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return open_; }
    // The errno of a failed open (EISDIR for a folder).
    int Error() const { return error_; }
    std::span<const std::uint8_t> Data() const { return {data_, size_}; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool open_ = false;
    int error_ = 0;
};
