// Shrinking a texture picture the GL refuses at its own size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Bytes per pixel row of `width` pixels of `components` bytes, padded to 4 bytes
// (the unpack alignment of every upload).
std::size_t PaddedRowBytes(int width, int components);

// Picks, for every target pixel, the source pixel under its centre. Rows of the
// source and of the result are padded to 4 bytes and keep their memory order.
std::vector<std::uint8_t> ResampleNearest(const std::uint8_t* pixels, int width, int height,
                                          int components, int newWidth, int newHeight);
