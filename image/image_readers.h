// Texture file readers, each decoding a whole file held in memory. Each fills
// `image` and returns true when it holds the complete picture; otherwise the
// status says why the file was refused and the image must not be used.
// image_formats.h picks the reader by extension and reads files from disk.
#pragma once

#include <cstdint>
#include <span>

#include "image/image_status.h"

class DibStream;

// Called with the fraction done (0…1) and the caller's `user` value; returning
// false cancels the read, which then fails (ILBM: stops, keeping the rows so far).
using ProgressCallback = bool (*)(float fraction, void* user);

// Windows bitmaps with the 40-, 52-, 56-, 108- or 124-byte info header:
// uncompressed 1/4/8/16/24/32 bits, 8-bit run-length, and 16 or 32 bits with
// colour masks (BI_BITFIELDS). Masks other than the layouts DibStream keeps
// (5-5-5 and 8-8-8(-8)) give 24 bits, or 32 with an alpha mask.
ImageStatus DecodeBMP(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress = nullptr, void* user = nullptr);

// Truevision TGA: types 1, 2, 3 (uncompressed colour-mapped, true colour, grey)
// and 9, 10 (run-length colour-mapped, true colour); right-to-left files are
// mirrored. 32-bit pixels keep their alpha as stored (255 = opaque); a file
// that declares no alpha bits or stores 0 everywhere is made opaque.
ImageStatus DecodeTGA(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress = nullptr, void* user = nullptr);

// Portable pixmaps and greymaps, binary ("P6", "P5") and text ("P3", "P2").
ImageStatus DecodePNM(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress = nullptr, void* user = nullptr);

// Amiga IFF interleaved bitmaps: 1–8 planes through the colour map, 9–24 planes
// as direct colour (planes 0–7 red, 8–15 green, 16–23 blue).
ImageStatus DecodeILBM(std::span<const std::uint8_t> file, DibStream& image,
                       ProgressCallback progress = nullptr, void* user = nullptr);

// JPEG through libjpeg-turbo: colour as 24-bit blue, green, red; greyscale as
// 8-bit with the grey ramp. Progressive files are read too.
ImageStatus DecodeJPG(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress = nullptr, void* user = nullptr);

// PNG through libpng: palette as 8-bit with its palette, grey as 8-bit grey,
// colour as 24-bit; any alpha (an alpha channel or a transparency chunk) gives
// 32-bit blue, green, red, alpha. 16-bit samples are scaled to 8.
ImageStatus DecodePNG(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress = nullptr, void* user = nullptr);
