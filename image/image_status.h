// Why an image reader refused a file. Every reader returns an ImageStatus:
// true when the image holds the complete picture, else the kind of refusal
// and a short English detail for logs and the command-line tool. The words a
// user reads are the application's (it maps the kind to its own text).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

enum class ImageFailure {
    None,
    NotFound,            // no file by that name where textures are looked for
    CannotOpen,          // the file exists but cannot be read
    NotRegularFile,      // a folder, FIFO or device, not a file to read
    Encrypted,           // an encrypted entry of an archive
    UnknownExtension,    // no reader for the file's extension
    UnsupportedVariant,  // a valid file of a kind this reader does not read
    DamagedHeader,       // the header contradicts itself or the format
    TruncatedData,       // the file ends before the picture does
    DamagedData,         // the picture data breaks the format
    SizeLimit,           // larger than the program accepts
    OutOfMemory,
    Cancelled,  // the progress callback stopped the read
};

struct ImageStatus {
    ImageFailure failure = ImageFailure::None;
    std::string detail;
    std::filesystem::path file;  // the file refused, when a file was read

    explicit operator bool() const { return failure == ImageFailure::None; }
};

inline ImageStatus ImageRefused(ImageFailure failure, std::string detail = {}) {
    return {failure, std::move(detail), {}};
}

// A material whose texture could not be loaded. The material keeps its
// texture name and is drawn untextured.
struct TextureFailure {
    std::string material;  // CP932 bytes, as the document holds them
    std::string texture;   // CP932 bytes
    ImageStatus status;    // its file is empty when no file was found
};

// The kind of refusal in English ("truncated data").
std::string_view ImageFailureText(ImageFailure failure);
// The kind with its detail: "truncated data (the pixels end at row 3)".
std::string DescribeImageStatus(const ImageStatus& status);
