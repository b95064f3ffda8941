#include "image/image_status.h"

std::string_view ImageFailureText(ImageFailure failure) {
    switch (failure) {
        case ImageFailure::None:
            return "read completely";
        case ImageFailure::NotFound:
            return "file not found";
        case ImageFailure::CannotOpen:
            return "cannot open the file";
        case ImageFailure::NotRegularFile:
            return "not a regular file";
        case ImageFailure::Encrypted:
            return "encrypted";
        case ImageFailure::UnknownExtension:
            return "unknown extension";
        case ImageFailure::UnsupportedVariant:
            return "unsupported variant";
        case ImageFailure::DamagedHeader:
            return "damaged header";
        case ImageFailure::TruncatedData:
            return "truncated data";
        case ImageFailure::DamagedData:
            return "damaged data";
        case ImageFailure::SizeLimit:
            return "picture too large";
        case ImageFailure::OutOfMemory:
            return "out of memory";
        case ImageFailure::Cancelled:
            return "cancelled";
    }
    return "unknown failure";
}

std::string DescribeImageStatus(const ImageStatus& status) {
    std::string text(ImageFailureText(status.failure));
    if (!status.detail.empty()) {
        text += " (" + status.detail + ")";
    }
    return text;
}
