#include "image/png_writer.h"

#include <png.h>

#include <csetjmp>

#include "image/dib_stream.h"

namespace {

void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}
void Flush(png_structp) {}
void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Rows top first, as PNG stores them, with red, green, blue (and alpha) in order.
std::vector<png_byte> RgbRows(const DibStream& image, int channels) {
    const int width = image.Width();
    const int height = image.AbsHeight();
    std::vector<png_byte> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                               static_cast<std::size_t>(channels));
    png_byte* out = rows.data();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* pixel = image.Row(y);
        for (int x = 0; x < width; ++x, pixel += channels, out += channels) {
            out[0] = pixel[2];
            out[1] = pixel[1];
            out[2] = pixel[0];
            if (channels == 4) {
                out[3] = pixel[3];
            }
        }
    }
    return rows;
}

// libpng reports errors by a long jump: nothing with a destructor may live
// in this frame.
bool Encode(const std::vector<png_byte>& rows, int width, int height, int channels,
            std::vector<std::uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, WriteToMemory, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rows.data() + static_cast<std::size_t>(y) * stride);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePNG(const DibStream& image) {
    std::vector<std::uint8_t> out;
    if (image.Empty() || (image.BitCount() != 24 && image.BitCount() != 32)) {
        return out;
    }
    const int channels = image.BitCount() / 8;
    if (!Encode(RgbRows(image, channels), image.Width(), image.AbsHeight(), channels, out)) {
        out.clear();
    }
    return out;
}
