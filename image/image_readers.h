// Texture file readers. Each fills `image` and returns true when it holds the
// complete picture; on false the image may be partly filled or empty and must
// not be used. The Decode* forms read from memory and are what the Read* forms
// run on the mapped file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

class DibStream;

// Called with the fraction done (0…1) and the caller's `user` value; returning
// false cancels the read, which then fails (ILBM: stops, keeping the rows so far).
using ProgressCallback = bool (*)(float fraction, void* user);

// Truevision TGA: types 1, 2, 3 (uncompressed colour-mapped, true colour, grey)
// and 9, 10 (run-length colour-mapped, true colour); right-to-left files are
// mirrored. 32-bit pixels keep their alpha as stored (255 = opaque); a file
// that declares no alpha bits or stores 0 everywhere is made opaque.
bool ReadTGA(const std::filesystem::path& path, DibStream& image,
             ProgressCallback progress = nullptr, void* user = nullptr);
bool DecodeTGA(std::span<const std::uint8_t> file, DibStream& image,
               ProgressCallback progress = nullptr, void* user = nullptr);

// Portable pixmaps and greymaps, binary ("P6", "P5") and text ("P3", "P2").
bool ReadPNM(const std::filesystem::path& path, DibStream& image,
             ProgressCallback progress = nullptr, void* user = nullptr);
bool DecodePNM(std::span<const std::uint8_t> file, DibStream& image,
               ProgressCallback progress = nullptr, void* user = nullptr);

// Amiga IFF interleaved bitmaps: 1–8 planes through the colour map, 9–24 planes
// as direct colour (planes 0–7 red, 8–15 green, 16–23 blue).
bool ReadILBM(const std::filesystem::path& path, DibStream& image,
              ProgressCallback progress = nullptr, void* user = nullptr);
bool DecodeILBM(std::span<const std::uint8_t> file, DibStream& image,
                ProgressCallback progress = nullptr, void* user = nullptr);

// JPEG through libjpeg-turbo: colour as 24-bit blue, green, red; greyscale as
// 8-bit with the grey ramp. Progressive files are read too.
bool ReadJPG(const std::filesystem::path& path, DibStream& image,
             ProgressCallback progress = nullptr, void* user = nullptr);
bool DecodeJPG(std::span<const std::uint8_t> file, DibStream& image,
               ProgressCallback progress = nullptr, void* user = nullptr);

// PNG through libpng: palette as 8-bit with its palette, grey as 8-bit grey,
// colour as 24-bit; any alpha (an alpha channel or a transparency chunk) gives
// 32-bit blue, green, red, alpha. 16-bit samples are scaled to 8.
bool ReadPNG(const std::filesystem::path& path, DibStream& image,
             ProgressCallback progress = nullptr, void* user = nullptr);
bool DecodePNG(std::span<const std::uint8_t> file, DibStream& image,
               ProgressCallback progress = nullptr, void* user = nullptr);
