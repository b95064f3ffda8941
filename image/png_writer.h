// Encoding a picture as PNG, for formats that embed their textures.
#pragma once

#include <cstdint>
#include <vector>

class DibStream;

// A 24-bit picture as an 8-bit RGB PNG, a 32-bit one as RGBA (the depths a
// material's texture has once loaded). Empty for other depths, an empty
// picture, or a failure.
std::vector<std::uint8_t> EncodePNG(const DibStream& image);
