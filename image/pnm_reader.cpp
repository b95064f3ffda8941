// Portable pixmaps and greymaps: "P6"/"P5" binary and "P3"/"P2" text samples.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "image/dib_stream.h"
#include "image/image_readers.h"

namespace {

constexpr std::size_t kMaxHeaderLine = 127;
constexpr unsigned kMaxSampleValue = 65535;

class PnmInput {
public:
    explicit PnmInput(std::span<const std::uint8_t> data) : data_(data) {}

    // One header line including its "\n"; empty when none ends within the limit.
    std::string_view Line() {
        const std::size_t limit = std::min(data_.size(), pos_ + kMaxHeaderLine);
        for (std::size_t i = pos_; i < limit; ++i) {
            if (data_[i] == '\n') {
                const std::string_view line(reinterpret_cast<const char*>(data_.data()) + pos_,
                                            i + 1 - pos_);
                pos_ = i + 1;
                return line;
            }
        }
        pos_ = data_.size();
        return {};
    }

    std::size_t Remaining() const { return data_.size() - pos_; }

    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > data_.size() - pos_) {
            pos_ = data_.size();
            return {};
        }
        const auto bytes = data_.subspan(pos_, count);
        pos_ += count;
        return bytes;
    }

    // A decimal text number: characters before it are passed over, a "-"
    // before its end makes it negative, and the character ending it is
    // consumed. False at the end of the data before any digit.
    bool Number(std::int64_t& value) {
        std::uint32_t magnitude = 0;
        bool negative = false;
        bool digits = false;
        while (pos_ < data_.size()) {
            const std::uint8_t c = data_[pos_++];
            if (c >= '0' && c <= '9') {
                magnitude = magnitude * 10 + (c - '0');
                digits = true;
            } else if (digits) {
                break;
            } else if (c == '-') {
                negative = true;
            }
        }
        value = negative ? -std::int64_t{magnitude} : std::int64_t{magnitude};
        return digits;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

bool ParseInt(std::string_view text, std::size_t& pos, int& value) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r')) {
        ++pos;
    }
    const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (error != std::errc()) {
        return false;
    }
    pos = static_cast<std::size_t>(end - text.data());
    return true;
}

// Samples are bytes when the maximum is 255 (text samples keep their low 8
// bits); other maxima are scaled to 0…255, above 255 from 2-byte binary samples.
class SampleScale {
public:
    explicit SampleScale(unsigned maxValue) : max_(maxValue) {}
    bool IsIdentity() const { return max_ == 255; }
    std::size_t BinaryBytes() const { return max_ > 255 ? 2 : 1; }
    std::uint8_t FromBinary(const std::uint8_t* p) const {
        return max_ > 255 ? Scale(static_cast<unsigned>(p[0] << 8 | p[1])) : Scale(p[0]);
    }
    std::uint8_t FromText(std::int64_t value) const {
        if (max_ == 255) {
            return static_cast<std::uint8_t>(value & 0xFF);
        }
        return Scale(value < 0 ? 0u : static_cast<unsigned>(std::min<std::int64_t>(value, max_)));
    }

private:
    std::uint8_t Scale(unsigned value) const {
        if (max_ == 255) {
            return static_cast<std::uint8_t>(value);
        }
        return static_cast<std::uint8_t>((std::min(value, max_) * 255 + max_ / 2) / max_);
    }
    unsigned max_;
};

bool ReadRow(PnmInput& in, const SampleScale& scale, bool colour, bool text, int width,
             std::uint8_t* out) {
    const std::size_t samples = static_cast<std::size_t>(width) * (colour ? 3 : 1);
    std::uint8_t rgb[3];
    if (text) {
        for (std::size_t i = 0; i < samples; ++i) {
            std::int64_t value = 0;
            if (!in.Number(value)) {
                return false;
            }
            if (!colour) {
                out[i] = scale.FromText(value);
                continue;
            }
            rgb[i % 3] = scale.FromText(value);
            if (i % 3 == 2) {
                out[i - 2] = rgb[2];
                out[i - 1] = rgb[1];
                out[i] = rgb[0];
            }
        }
        return true;
    }
    const std::size_t bytes = scale.BinaryBytes();
    const auto row = in.Take(samples * bytes);
    if (row.size() != samples * bytes) {
        return false;
    }
    if (scale.IsIdentity()) {
        std::memcpy(out, row.data(), samples);
    } else {
        for (std::size_t i = 0; i < samples; ++i) {
            out[i] = scale.FromBinary(row.data() + i * bytes);
        }
    }
    if (colour) {
        for (std::size_t i = 0; i < samples; i += 3) {
            std::swap(out[i], out[i + 2]);
        }
    }
    return true;
}

}  // namespace

ImageStatus DecodePNM(std::span<const std::uint8_t> file, DibStream& image,
                      ProgressCallback progress, void* user) {
    image.Release();
    PnmInput in(file);
    const std::string_view magic = in.Line();
    const bool colour = magic == "P6\n" || magic == "P3\n";
    const bool text = magic == "P3\n" || magic == "P2\n";
    if (!colour && magic != "P5\n" && magic != "P2\n") {
        return ImageRefused(
            magic.starts_with('P') ? ImageFailure::UnsupportedVariant : ImageFailure::DamagedHeader,
            "not a P2, P3, P5 or P6 file");
    }
    std::string_view line = in.Line();
    while (line.starts_with('#')) {
        line = in.Line();
    }
    int width = 0;
    int height = 0;
    std::size_t pos = 0;
    if (!ParseInt(line, pos, width) || !ParseInt(line, pos, height)) {
        return ImageRefused(ImageFailure::DamagedHeader, "no width and height");
    }
    const std::string_view maxLine = in.Line();
    int maxValue = 0;
    pos = 0;
    if (!ParseInt(maxLine, pos, maxValue) || maxValue <= 0 ||
        static_cast<unsigned>(maxValue) > kMaxSampleValue) {
        return ImageRefused(ImageFailure::DamagedHeader, "no maximum sample value of 1 to 65535");
    }
    // A negative height would make a top-down image with no rows to read.
    if (height <= 0) {
        return ImageRefused(ImageFailure::DamagedHeader, "height " + std::to_string(height));
    }
    if (ImageStatus size = DibStream::SizeStatus(width, height, 8); !size) {
        return size;
    }
    // Every sample takes at least one byte (a digit, in text): a shorter file
    // is refused before its pixels are allocated.
    const std::uint64_t samples = std::uint64_t(width) * std::uint64_t(height) * (colour ? 3 : 1);
    if (samples > in.Remaining()) {
        return ImageRefused(ImageFailure::TruncatedData, "the file is shorter than its samples");
    }
    if (ImageStatus created = image.CreateChecked(width, height, colour ? 24 : 8); !created) {
        return created;
    }
    image.SetGreyPalette();
    const SampleScale scale(static_cast<unsigned>(maxValue));
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (colour ? 3 : 1);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = image.Row(y);
        if (!ReadRow(in, scale, colour, text, width, out)) {
            image.Release();
            return ImageRefused(ImageFailure::TruncatedData, "at row " + std::to_string(y));
        }
        std::memset(out + rowBytes, 0, image.Stride() - rowBytes);
        if (progress && !progress(static_cast<float>(y) / static_cast<float>(height), user)) {
            image.Release();
            return ImageRefused(ImageFailure::Cancelled);
        }
    }
    return {};
}
