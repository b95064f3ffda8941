// Writes a file so that it is either completely replaced or left as it was:
// the bytes go to a temporary file beside the target (".NAME.XXXXXX"), which
// is flushed to disk and then renamed over the target; the folder is flushed
// too, so the new name survives a power cut. A temporary file that a killed
// save of the same target left behind is removed.
#pragma once

#include <filesystem>
#include <span>
#include <string>

struct AtomicWriteOptions {
    // Keep the file being replaced as "NAME~" beside it, so that one bad save
    // can be taken back.
    bool keepPrevious = false;
};

// Returns an empty string on success, else a one-line reason.
std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes);
std::string WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes,
                                const AtomicWriteOptions& options);
std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text);
std::string WriteFileAtomically(const std::filesystem::path& target, const std::string& text,
                                const AtomicWriteOptions& options);

// Where WriteFileAtomically keeps the previous version of `target`.
std::filesystem::path PreviousVersionPath(const std::filesystem::path& target);

// Reads a whole file; returns an empty string on success, else a one-line reason.
std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents);
