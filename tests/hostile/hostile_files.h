// Small files made at run time to hurt the program: documents that name
// huge, endless or blocking files, and the checks every run of them keeps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "bounded_run.h"
#include "support/test_files.h"

// A Metasequoia document of one triangle whose material has `attributes`
// (for example tex("wood.bmp")).
std::string MqoWithMaterial(std::string_view attributes);

struct ArchiveEntry {
    std::string name;
    std::string bytes;
    bool encrypted = false;
};
// A ".mqoz" (zip) archive of `entries`, encrypted ones with a password.
std::filesystem::path MakeArchive(const std::filesystem::path& path,
                                  const std::vector<ArchiveEntry>& entries);

// A file of `size` bytes that takes no room on disk.
std::filesystem::path SparseFile(const std::filesystem::path& path, std::uint64_t size);

// A BMP of one pixel, padded with a hole to `size` bytes.
std::filesystem::path PaddedBmp(const std::filesystem::path& path, std::uint64_t size);

// The names left in a folder, sorted, each followed by a space.
std::string Leftovers(const std::filesystem::path& folder);

// quorvel-cli under the thumbnailer's bounds, with a private TMPDIR that must
// stay empty. The run is given `limits` to finish; it must finish within
// TimeBound(5) and MemoryBoundMb(), and leave nothing in TMPDIR.
BoundedRun RunWithinBounds(const std::vector<std::string>& arguments, const std::string& what,
                           RunLimits limits = {TimeBound(5)});
