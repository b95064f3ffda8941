#include "image_builders.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

void PutU16LE(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32LE(Bytes& out, std::uint32_t value) {
    PutU16LE(out, value & 0xFFFF);
    PutU16LE(out, value >> 16);
}

void PutU16BE(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutU32BE(Bytes& out, std::uint32_t value) {
    PutU16BE(out, value >> 16);
    PutU16BE(out, value & 0xFFFF);
}

void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

Bytes MakeBmp(const BmpSpec& spec) {
    Bytes out;
    const auto paletteBytes = static_cast<std::uint32_t>(spec.palette.size() * 4);
    const std::uint32_t offBits = 14 + spec.infoSize + paletteBytes;
    PutText(out, "BM");
    PutU32LE(out, offBits + static_cast<std::uint32_t>(spec.pixels.size()));
    PutU32LE(out, 0);
    PutU32LE(out, spec.zeroOffBits ? 0 : offBits);
    PutU32LE(out, spec.infoSize);
    PutU32LE(out, static_cast<std::uint32_t>(spec.width));
    PutU32LE(out, static_cast<std::uint32_t>(spec.height));
    PutU16LE(out, spec.planes);
    PutU16LE(out, static_cast<unsigned>(spec.bitCount));
    PutU32LE(out, spec.compression);
    PutU32LE(out,
             spec.sizeImage != 0 ? spec.sizeImage : static_cast<std::uint32_t>(spec.pixels.size()));
    PutU32LE(out, 2835);
    PutU32LE(out, 2835);
    PutU32LE(out, spec.clrUsed);
    PutU32LE(out, 0);
    out.resize(14 + spec.infoSize, 0);
    for (const RgbQuad& c : spec.palette) {
        out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
    }
    out.insert(out.end(), spec.pixels.begin(), spec.pixels.end());
    return out;
}

Bytes MakeTga(const TgaSpec& spec) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(spec.id.size()));
    out.push_back(spec.colorMapType);
    out.push_back(static_cast<std::uint8_t>(spec.imageType));
    PutU16LE(out, 0);
    PutU16LE(out, spec.colorMapLength);
    out.push_back(spec.colorMapEntryBits);
    PutU16LE(out, 0);
    PutU16LE(out, 0);
    PutU16LE(out, static_cast<unsigned>(spec.width));
    PutU16LE(out, static_cast<unsigned>(spec.height));
    out.push_back(static_cast<std::uint8_t>(spec.pixelDepth));
    out.push_back(spec.descriptor);
    PutText(out, spec.id);
    out.insert(out.end(), spec.colorMap.begin(), spec.colorMap.end());
    out.insert(out.end(), spec.data.begin(), spec.data.end());
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

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvel-image-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::filesystem::path& relative,
                                        const Bytes& bytes) const {
    const std::filesystem::path full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return full;
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

std::filesystem::path TestDataFolder() {
    const std::filesystem::path folder = QUORVEL_TESTDATA_DIR;
    std::error_code error;
    return std::filesystem::is_directory(folder / "images", error) ? folder / "images"
                                                                   : std::filesystem::path();
}
