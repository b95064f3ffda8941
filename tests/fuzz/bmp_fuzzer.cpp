// Windows bitmaps: any bytes are refused or decode into a complete image.
#include <cstddef>
#include <cstdint>
#include <span>

#include "image/dib_stream.h"
#include "image_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    DibStream image;
    CheckDecodedImage(image.DecodeBMP(input, DibStream::kAllBitmapDepths), image);
    return 0;
}
