// The one error of documents: opening, importing and saving throw it, naming
// the file and the cause (in English; the application words it for the user).
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "scene/file_failure.h"

class DocumentError : public std::runtime_error {
public:
    // `importResult` is the Metasequoia reader's result code, 0 elsewhere.
    DocumentError(std::filesystem::path file, std::string reason, int importResult = 0)
        : std::runtime_error(Message(file, reason)),
          file_(std::move(file)),
          reason_(std::move(reason)),
          importResult_(importResult) {}
    // A file that could not be written or read: the document's own, or one
    // that belongs to it (a texture packed with it).
    DocumentError(std::filesystem::path file, FileFailure failure)
        : DocumentError(std::move(file), failure.Message()) {
        failure_ = std::move(failure);
    }

    // Empty for damage found in bytes not yet tied to a file.
    const std::filesystem::path& File() const { return file_; }
    const std::string& Reason() const { return reason_; }
    int ImportResult() const { return importResult_; }
    // Set when a file could not be written or read, for each surface to word.
    const FileFailure& Failure() const { return failure_; }

private:
    // "FILE: REASON", unless the reason names the file already (the file
    // helpers' reasons do).
    static std::string Message(const std::filesystem::path& file, const std::string& reason) {
        const std::string name = file.string();
        return name.empty() || reason.find(name) != std::string::npos ? reason
                                                                      : name + ": " + reason;
    }

    std::filesystem::path file_;
    std::string reason_;
    int importResult_;
    FileFailure failure_;
};

// The file ended before the document did (a truncated file); the application
// words this case apart from other damage.
class DocumentEndOfFile : public DocumentError {
public:
    using DocumentError::DocumentError;
};

// The name points at something other than a regular file (a folder, a FIFO, a
// device); nothing was read.
class DocumentNotRegularFile : public DocumentError {
public:
    using DocumentError::DocumentError;
};

// The document is encrypted (an entry of an archive); nothing was read.
class DocumentEncrypted : public DocumentError {
public:
    using DocumentError::DocumentError;
};
