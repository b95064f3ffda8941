// Writes a file so that it is either completely replaced or left as it was:
// the bytes go to a temporary file beside the target, which is flushed to disk
// and then renamed over the target.
#pragma once

#include <filesystem>
#include <span>
#include <string>

// Returns an empty string on success, else a one-line reason.
std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes);
std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text);

// Reads a whole file; returns an empty string on success, else a one-line reason.
std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents);
