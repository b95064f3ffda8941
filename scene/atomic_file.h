// Writes a file so that it is either completely replaced or left as it was:
// the bytes go to a temporary file beside the target (".NAME.XXXXXX"), which
// is flushed to disk and then renamed over the target; the folder is flushed
// too, so the new name survives a power cut. A temporary file that a killed
// save of the same target left behind is removed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "scene/file_failure.h"

struct AtomicWriteOptions {
    // Keep the file being replaced as "NAME~" beside it, so that one bad save
    // can be taken back.
    bool keepPrevious = false;
};

// Returns no failure on success.
FileFailure WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes);
FileFailure WriteFileAtomically(const std::filesystem::path& target,
                                std::span<const unsigned char> bytes,
                                const AtomicWriteOptions& options);
FileFailure WriteFileAtomically(const std::filesystem::path& target, const std::string& text);
FileFailure WriteFileAtomically(const std::filesystem::path& target, const std::string& text,
                                const AtomicWriteOptions& options);

// A file written beside its target that takes the target's place only on
// Commit, so that files belonging together (an OBJ file and its material
// library) replace theirs once every one of them is complete. Destroyed
// without a commit, it removes what it wrote and the target stays as it was.
class PendingFile {
public:
    explicit PendingFile(std::filesystem::path target, AtomicWriteOptions options = {});
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Writes the temporary file anew.
    FileFailure Write(std::span<const unsigned char> bytes);
    FileFailure Write(const std::string& text);
    // Adds to what was written, so that a long file can be written in parts.
    // After a failure, it and Commit return that failure.
    FileFailure Append(std::span<const unsigned char> bytes);
    // Flushes the written file to disk, renames it over the target and
    // flushes the folder.
    FileFailure Commit();

private:
    FileFailure CreateTemporary();
    void Discard();

    std::filesystem::path target_;
    AtomicWriteOptions options_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    FileFailure failure_;
};

// Where WriteFileAtomically keeps the previous version of `target`.
std::filesystem::path PreviousVersionPath(const std::filesystem::path& target);

// Reads a whole regular file of at most `maxBytes` (see RegularFile).
FileFailure ReadWholeFile(const std::filesystem::path& path, std::string& contents,
                          std::uint64_t maxBytes = UINT64_MAX);
