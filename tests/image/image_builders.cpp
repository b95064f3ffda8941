#include "image_builders.h"

#include <algorithm>
#include <system_error>

Bytes MakeBmp(const BmpFields& fields) {
    Bytes out;
    const auto paletteBytes = static_cast<std::uint32_t>(fields.palette.size() * 4);
    const std::uint32_t offBits = 14 + fields.infoSize + paletteBytes;
    PutText(out, "BM");
    PutU32LE(out, offBits + static_cast<std::uint32_t>(fields.pixels.size()));
    PutU32LE(out, 0);
    PutU32LE(out, fields.zeroOffBits ? 0 : offBits);
    PutU32LE(out, fields.infoSize);
    PutU32LE(out, static_cast<std::uint32_t>(fields.width));
    PutU32LE(out, static_cast<std::uint32_t>(fields.height));
    PutU16LE(out, fields.planes);
    PutU16LE(out, static_cast<unsigned>(fields.bitCount));
    PutU32LE(out, fields.compression);
    PutU32LE(out, fields.sizeImage != 0 ? fields.sizeImage
                                        : static_cast<std::uint32_t>(fields.pixels.size()));
    PutU32LE(out, 2835);
    PutU32LE(out, 2835);
    PutU32LE(out, fields.clrUsed);
    PutU32LE(out, 0);
    out.resize(14 + fields.infoSize, 0);
    for (const RgbQuad& c : fields.palette) {
        out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
    }
    out.insert(out.end(), fields.pixels.begin(), fields.pixels.end());
    return out;
}

Bytes MakeTga(const TgaFields& fields) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(fields.id.size()));
    out.push_back(fields.colorMapType);
    out.push_back(static_cast<std::uint8_t>(fields.imageType));
    PutU16LE(out, 0);
    PutU16LE(out, fields.colorMapLength);
    out.push_back(fields.colorMapEntryBits);
    PutU16LE(out, 0);
    PutU16LE(out, 0);
    PutU16LE(out, static_cast<unsigned>(fields.width));
    PutU16LE(out, static_cast<unsigned>(fields.height));
    out.push_back(static_cast<std::uint8_t>(fields.pixelDepth));
    out.push_back(fields.descriptor);
    PutText(out, fields.id);
    out.insert(out.end(), fields.colorMap.begin(), fields.colorMap.end());
    out.insert(out.end(), fields.data.begin(), fields.data.end());
    return out;
}

Bytes IffChunk(const std::string& id, const Bytes& payload) {
    Bytes out;
    PutText(out, id);
    PutU32BE(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    if (payload.size() & 1) {
        out.push_back(0);
    }
    return out;
}

Bytes IlbmBitmapHeader(int width, int height, int planes, int compression, int masking) {
    Bytes out;
    PutU16BE(out, static_cast<unsigned>(width));
    PutU16BE(out, static_cast<unsigned>(height));
    PutU32BE(out, 0);
    out.push_back(static_cast<std::uint8_t>(planes));
    out.push_back(static_cast<std::uint8_t>(masking));
    out.push_back(static_cast<std::uint8_t>(compression));
    out.push_back(0);
    PutU16BE(out, 0);
    out.push_back(10);
    out.push_back(11);
    PutU16BE(out, static_cast<unsigned>(width));
    PutU16BE(out, static_cast<unsigned>(height));
    return out;
}

Picture ToPicture(const DibStream& source) {
    Picture picture;
    picture.width = source.Width();
    picture.height = source.AbsHeight();
    picture.channels = source.BitCount() == 32 ? 4 : 3;
    DibStream converted;
    const DibStream* image = &source;
    if (source.BitCount() != 32 && source.BitCount() != 24) {
        converted.Create(source.Width(), source.Height(), source.BitCount());
        std::copy_n(source.Bits(), source.ImageSize(), converted.Bits());
        std::copy(source.Palette().begin(), source.Palette().end(), converted.Palette().begin());
        converted.Convert(24);
        image = &converted;
    }
    const auto rowBytes = static_cast<std::size_t>(picture.width * picture.channels);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = image->Row(y);
        picture.pixels.insert(picture.pixels.end(), row, row + rowBytes);
    }
    return picture;
}

std::filesystem::path ImageSuitesFolder() {
    const std::filesystem::path folder = TestDataFolder() / "images";
    std::error_code error;
    return std::filesystem::is_directory(folder, error) ? folder : std::filesystem::path();
}
