// Amiga IFF interleaved bitmaps ("FORM" of type "ILBM": BMHD, CMAP, BODY).
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "image/byte_reader.h"
#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

constexpr int kMaxPlanes = 24;
constexpr std::uint8_t kMaskPlane = 1;

struct BitmapHeader {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t planes = 0;
    std::uint8_t masking = 0;
    std::uint8_t compression = 0;
};

bool IsId(std::span<const std::uint8_t> id, const char (&name)[5]) {
    return id.size() == 4 && std::memcmp(id.data(), name, 4) == 0;
}

std::optional<BitmapHeader> ParseBitmapHeader(std::span<const std::uint8_t> data) {
    ByteReader in(data);
    BitmapHeader h;
    std::uint32_t position = 0;
    std::uint8_t pad = 0;
    if (!in.ReadU16BE(h.width) || !in.ReadU16BE(h.height) || !in.ReadU32BE(position) ||
        !in.ReadByte(h.planes) || !in.ReadByte(h.masking) || !in.ReadByte(h.compression) ||
        !in.ReadByte(pad)) {
        return std::nullopt;
    }
    return h;
}

int DepthForPlanes(int planes) {
    if (planes == 1) {
        return 1;
    }
    if (planes <= 4) {
        return 4;
    }
    return planes <= 8 ? 8 : 24;
}

// ByteRun1 as one continuous stream: a run that crosses the end of a plane row
// carries on into the next plane row (also into the next image row).
class ByteRun1 {
public:
    explicit ByteRun1(ByteReader& in) : in_(in) {}

    // Fills `out` whole; false when the data ends first.
    bool Fill(std::span<std::uint8_t> out) {
        std::size_t done = 0;
        while (done < out.size()) {
            if (literal_ == 0 && repeat_ == 0 && !NextControl()) {
                return false;
            }
            const std::size_t want = out.size() - done;
            if (literal_ > 0) {
                const std::size_t n = std::min(want, literal_);
                if (!in_.Read(out.data() + done, n)) {
                    return false;
                }
                literal_ -= n;
                done += n;
            } else {
                const std::size_t n = std::min(want, repeat_);
                std::memset(out.data() + done, value_, n);
                repeat_ -= n;
                done += n;
            }
        }
        return true;
    }

private:
    bool NextControl() {
        std::uint8_t n = 0;
        while (in_.ReadByte(n)) {
            if (n < 128) {
                literal_ = std::size_t{n} + 1;
                return true;
            }
            if (n > 128) {
                if (!in_.ReadByte(value_)) {
                    return false;
                }
                repeat_ = 257 - std::size_t{n};
                return true;
            }
        }
        return false;
    }

    ByteReader& in_;
    std::size_t literal_ = 0;
    std::size_t repeat_ = 0;
    std::uint8_t value_ = 0;
};

void StoreRow(const std::vector<std::vector<std::uint8_t>>& planeRows, int planes, int width,
              int depth, std::uint8_t* out, std::size_t stride) {
    if (depth == 1 || depth == 4) {
        std::memset(out, 0, stride);
    }
    for (int x = 0; x < width; ++x) {
        const std::size_t byte = static_cast<std::size_t>(x) >> 3;
        const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        std::uint32_t value = 0;
        for (int p = 0; p < planes; ++p) {
            if (planeRows[static_cast<std::size_t>(p)][byte] & mask) {
                value |= 1u << p;
            }
        }
        switch (depth) {
            case 1:
                if (value) {
                    out[byte] |= mask;
                }
                break;
            case 4:
                out[x >> 1] |=
                    static_cast<std::uint8_t>((x & 1) ? value & 0x0F : (value & 0x0F) << 4);
                break;
            case 8:
                out[x] = static_cast<std::uint8_t>(value);
                break;
            default:
                out[3 * x] = static_cast<std::uint8_t>(value >> 16);
                out[3 * x + 1] = static_cast<std::uint8_t>(value >> 8);
                out[3 * x + 2] = static_cast<std::uint8_t>(value);
                break;
        }
    }
}

// Rows the data does not reach stay at 0 (colour 0).
void DecodeBody(std::span<const std::uint8_t> body, const BitmapHeader& h, DibStream& image,
                ProgressCallback progress, void* user) {
    const int planes = h.planes;
    // A mask plane is interleaved after the colour planes; it is read past.
    const int storedPlanes = planes + (h.masking == kMaskPlane ? 1 : 0);
    const std::size_t planeRowBytes = (std::size_t{h.width} + 15) / 16 * 2;
    std::vector<std::vector<std::uint8_t>> planeRows(static_cast<std::size_t>(storedPlanes),
                                                     std::vector<std::uint8_t>(planeRowBytes));
    ByteReader in(body);
    ByteRun1 runs(in);
    const int depth = image.BitCount();
    for (int row = 0; row < h.height; ++row) {
        for (auto& planeRow : planeRows) {
            const bool ok =
                h.compression == 0 ? in.Read(planeRow.data(), planeRowBytes) : runs.Fill(planeRow);
            if (!ok) {
                return;
            }
        }
        StoreRow(planeRows, planes, h.width, depth, image.Row(row), image.Stride());
        if (progress && !progress(static_cast<float>(row) / static_cast<float>(h.height), user)) {
            return;
        }
    }
}

}  // namespace

ImageStatus DecodeILBM(std::span<const std::uint8_t> file, DibStream& image,
                       ProgressCallback progress, void* user) {
    image.Release();
    ImageStatus refusal = ImageRefused(ImageFailure::DamagedHeader, "no FORM chunk of type ILBM");
    ByteReader top(file);
    while (top.Remaining() >= 8) {
        const auto id = top.Take(4);
        std::uint32_t length = 0;
        top.ReadU32BE(length);
        const std::size_t dataStart = top.Position();
        const std::uint64_t next = std::uint64_t{dataStart} + length + (length & 1);
        if (IsId(id, "FORM")) {
            const auto formType = top.Take(4);
            if (!IsId(formType, "ILBM")) {
                return ImageRefused(ImageFailure::UnsupportedVariant, "a FORM of another type");
            }
            const std::size_t formEnd = static_cast<std::size_t>(
                std::min<std::uint64_t>(dataStart + std::uint64_t{length}, file.size()));
            ByteReader form(file.first(formEnd));
            form.Seek(top.Position());
            std::optional<BitmapHeader> header;
            refusal = ImageRefused(ImageFailure::DamagedData, "no BMHD and BODY chunks");
            while (form.Remaining() >= 8) {
                const auto chunkId = form.Take(4);
                std::uint32_t chunkLength = 0;
                form.ReadU32BE(chunkLength);
                const auto data = form.Take(std::min<std::size_t>(chunkLength, form.Remaining()));
                form.Skip(chunkLength & 1);
                if (IsId(chunkId, "BMHD")) {
                    header = ParseBitmapHeader(data);
                    if (!header) {
                        refusal = ImageRefused(ImageFailure::TruncatedData, "the BMHD chunk");
                    } else if (header->planes < 1 || header->planes > kMaxPlanes) {
                        refusal = ImageRefused(ImageFailure::UnsupportedVariant,
                                               std::to_string(header->planes) + " planes");
                        header.reset();
                    } else if (refusal = image.CreateChecked(header->width, header->height,
                                                             DepthForPlanes(header->planes),
                                                             PixelFill::Zeroed);
                               !refusal) {
                        header.reset();
                    } else if (image.BitCount() == 4) {
                        image.SetGreyPalette();
                    }
                } else if (IsId(chunkId, "CMAP") && header) {
                    std::span<RgbQuad> palette = image.Palette();
                    const std::size_t n = std::min(data.size() / 3, palette.size());
                    for (std::size_t k = 0; k < n; ++k) {
                        palette[k] = RgbQuad{data[3 * k + 2], data[3 * k + 1], data[3 * k], 0};
                    }
                } else if (IsId(chunkId, "BODY") && header) {
                    DecodeBody(data, *header, image, progress, user);
                    return {};
                }
            }
            if (header) {
                refusal = ImageRefused(ImageFailure::DamagedData, "no BODY chunk");
            }
            image.Release();
        }
        if (next >= file.size()) {
            break;
        }
        top.Seek(static_cast<std::size_t>(next));
    }
    return refusal;
}
