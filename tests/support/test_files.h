// Files for the tests and benchmarks: little- and big-endian byte writers,
// private temporary folders, and the shared test data.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

void PutU16LE(Bytes& out, unsigned value);
void PutU32LE(Bytes& out, std::uint32_t value);
void PutU16BE(Bytes& out, unsigned value);
void PutU32BE(Bytes& out, std::uint32_t value);
void PutText(Bytes& out, std::string_view text);

// A folder under the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes `bytes` to `relative` (creating folders) and returns the full path.
    std::filesystem::path Write(const std::filesystem::path& relative,
                                std::string_view bytes) const;
    std::filesystem::path Write(const std::filesystem::path& relative, const Bytes& bytes) const;

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
Bytes ReadFileBytes(const std::filesystem::path& path);

// The shared test data: the QUORVEL_TESTDATA_DIR environment variable, else
// the folder the build was configured with (cache variable of the same name).
std::filesystem::path TestDataFolder();
