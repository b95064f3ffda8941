// JPEG through libjpeg-turbo, decoded straight into the image rows.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

constexpr long kMaxDecoderMemory = 1L << 30;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
    // What an error means at this point of the read.
    ImageFailure failure = ImageFailure::DamagedHeader;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    errors->base.format_message(cinfo, errors->message);
    std::longjmp(errors->escape, 1);
}

// Warnings about damaged data go unreported: the caller sees success or refusal.
void Silent(j_common_ptr) {}

// Adobe writes CMYK inverted (255 = no ink); other writers do not.
void CmykRowToBgr(const JSAMPLE* cmyk, int width, bool inverted, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, cmyk += 4, out += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        out[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

// Kept free of objects with destructors: a decoding error long-jumps out of
// it, leaving the library's message in `errors`.
ImageFailure Decode(jpeg_decompress_struct& cinfo, ErrorManager& errors,
                    std::span<const std::uint8_t> file, DibStream& image, ProgressCallback progress,
                    void* user) {
    if (setjmp(errors.escape)) {
        return errors.failure;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        return ImageFailure::DamagedHeader;
    }
    errors.failure = ImageFailure::DamagedData;
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    const int width = static_cast<int>(cinfo.image_width);
    const int height = static_cast<int>(cinfo.image_height);
    // Every 8 × 8 block codes at least one bit, so a file shorter than that
    // cannot hold its picture: refused before a huge image is allocated.
    const std::uint64_t blocks = std::uint64_t{cinfo.image_width} * cinfo.image_height / 64;
    if (!DibStream::ValidSize(width, height, 24)) {
        return DibStream::SizeStatus(width, height, 24).failure;
    }
    if (blocks / 8 > file.size()) {
        return ImageFailure::TruncatedData;
    }
    if (!image.Create(width, height, grey ? 8 : 24)) {
        return ImageFailure::OutOfMemory;
    }
    // Progressive files keep all coefficients; beyond this the decoder refuses.
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                           JPOOL_IMAGE, cinfo.image_width * 4, 1)
                              : nullptr;
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        if (progress && !progress(static_cast<float>(y) / static_cast<float>(height), user)) {
            return ImageFailure::Cancelled;
        }
        JSAMPROW row = cmyk ? cmykRow[0] : image.Row(y);
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk) {
            CmykRowToBgr(cmykRow[0], width, inverted, image.Row(y));
        }
    }
    jpeg_finish_decompress(&cinfo);
    return ImageFailure::None;
}

}  // namespace

ImageStatus DecodeJPG(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress, void* user) {
    image.Release();
    if (file.empty()) {
        return ImageRefused(ImageFailure::TruncatedData, "an empty file");
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = Silent;
    const ImageFailure failure = Decode(cinfo, errors, file, image, progress, user);
    jpeg_destroy_decompress(&cinfo);
    if (failure != ImageFailure::None) {
        image.Release();
        return ImageRefused(failure, errors.message);
    }
    image.ClearRowPadding();
    return {};
}
