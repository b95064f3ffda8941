// PNG through libpng, decoded straight into the image rows.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>

#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

struct MemoryInput {
    std::span<const std::uint8_t> data;
    std::size_t pos = 0;
    bool ended = false;  // a read went past the end
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > input->data.size() - input->pos) {
        input->ended = true;
        png_error(png, "unexpected end of data");
    }
    std::memcpy(out, input->data.data() + input->pos, count);
    input->pos += count;
}

// The error pointer is the caller's message buffer.
using ErrorMessage = char[128];

void OnError(png_structp png, png_const_charp message) {
    auto* text = static_cast<ErrorMessage*>(png_get_error_ptr(png));
    std::snprintf(*text, sizeof *text, "%s", message);
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Sets up libpng's conversions and returns the depth they produce: 8 (palette
// or grey indices), 24 (blue, green, red) or 32 (with straight alpha).
int ChooseOutput(png_structp png, png_infop info) {
    const int colorType = png_get_color_type(png, info);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_scale_16(png);
    png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE && !transparency) {
        return 8;
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && !transparency) {
        png_set_expand_gray_1_2_4_to_8(png);
        return 8;
    }
    png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_bgr(png);
    const bool alpha = transparency || (colorType & PNG_COLOR_MASK_ALPHA) != 0;
    return alpha ? 32 : 24;
}

void CopyPalette(png_structp png, png_infop info, DibStream& image) {
    png_colorp colors = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &colors, &count) == 0) {
        return;
    }
    std::span<RgbQuad> palette = image.Palette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = i < static_cast<std::size_t>(count)
                         ? RgbQuad{colors[i].blue, colors[i].green, colors[i].red, 0}
                         : RgbQuad{};
    }
}

// Kept free of objects with destructors: a decoding error long-jumps out of it.
ImageFailure Decode(png_structp png, png_infop info, std::size_t fileSize, DibStream& image,
                    ProgressCallback progress, void* user) {
    if (setjmp(png_jmpbuf(png))) {
        return ImageFailure::DamagedData;
    }
    png_read_info(png, info);
    const auto width = png_get_image_width(png, info);
    const auto height = png_get_image_height(png, info);
    if (width > static_cast<png_uint_32>(INT32_MAX) ||
        height > static_cast<png_uint_32>(INT32_MAX)) {
        return ImageFailure::SizeLimit;
    }
    // Deflate packs at most 1032 bytes into one: a shorter file cannot hold
    // the picture, which is then refused before it is allocated.
    const std::uint64_t rawBytes = std::uint64_t{height} * (png_get_rowbytes(png, info) + 1);
    if (rawBytes / 1032 > fileSize) {
        return ImageFailure::TruncatedData;
    }
    const int depth = ChooseOutput(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (ImageFailure size =
            DibStream::SizeStatus(static_cast<int>(width), static_cast<int>(height), depth).failure;
        size != ImageFailure::None) {
        return size;
    }
    if (!image.Create(static_cast<int>(width), static_cast<int>(height), depth)) {
        return ImageFailure::OutOfMemory;
    }
    if (depth == 8) {
        if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) {
            CopyPalette(png, info, image);
        } else {
            image.SetGreyPalette();
        }
    }
    const int rows = static_cast<int>(height);
    const float total = static_cast<float>(passes) * static_cast<float>(rows);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < rows; ++y) {
            if (progress && !progress(static_cast<float>(pass * rows + y) / total, user)) {
                return ImageFailure::Cancelled;
            }
            png_read_row(png, image.Row(y), nullptr);
        }
    }
    png_read_end(png, nullptr);
    return ImageFailure::None;
}

}  // namespace

ImageStatus DecodePNG(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress, void* user) {
    image.Release();
    ErrorMessage message = "";
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, OnError, OnWarning);
    if (!png) {
        return ImageRefused(ImageFailure::OutOfMemory);
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return ImageRefused(ImageFailure::OutOfMemory);
    }
    MemoryInput input{file};
    png_set_read_fn(png, &input, ReadFromMemory);
    const ImageFailure failure = Decode(png, info, file.size(), image, progress, user);
    png_destroy_read_struct(&png, &info, nullptr);
    if (failure != ImageFailure::None) {
        image.Release();
        return ImageRefused(input.ended ? ImageFailure::TruncatedData : failure, message);
    }
    image.ClearRowPadding();
    return {};
}
