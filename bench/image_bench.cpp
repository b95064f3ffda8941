// Texture decoding of one 4096 × 4096 picture (48 MB at 24 bits) in every
// format, and, for JPEG and PNG, the libraries' own decode into a plain buffer
// as the yardstick the readers are held to.
#include <benchmark/benchmark.h>

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/dib_stream.h"
#include "image/image_formats.h"
#include "image/mapped_file.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSize = 4096;

// A texture-like picture: smooth gradients crossed by flat bands, so that
// run-length coding meets both runs and literal stretches.
const Bytes& PictureBgr() {
    static const Bytes pixels = [] {
        Bytes p(static_cast<std::size_t>(kSize) * kSize * 3);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                std::uint8_t* px = &p[(static_cast<std::size_t>(y) * kSize + x) * 3];
                if ((x / 32 + y / 32) % 2 == 0) {
                    px[0] = static_cast<std::uint8_t>(y / 16);
                    px[1] = static_cast<std::uint8_t>(x / 16);
                    px[2] = 128;
                } else {
                    noise = noise * 1103515245 + 12345;
                    px[0] = static_cast<std::uint8_t>(x + (noise >> 28));
                    px[1] = static_cast<std::uint8_t>(y + (noise >> 29));
                    px[2] = static_cast<std::uint8_t>((x ^ y) + (noise >> 30));
                }
            }
        }
        return p;
    }();
    return pixels;
}

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path f =
            fs::temp_directory_path() / ("quorvel-image-bench-" + std::to_string(getpid()));
        fs::create_directories(f);
        std::atexit([] { fs::remove_all(Folder()); });
        return f;
    }();
    return folder;
}

fs::path Save(const std::string& name, const Bytes& bytes) {
    const fs::path path = Folder() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

Bytes BmpFile(int bitCount, std::uint32_t compression, const Bytes& pixels, int colors) {
    Bytes out = {'B', 'M'};
    const std::uint32_t offBits = 14 + 40 + static_cast<std::uint32_t>(colors) * 4;
    PutU32LE(out, offBits + static_cast<std::uint32_t>(pixels.size()));
    PutU32LE(out, 0);
    PutU32LE(out, offBits);
    PutU32LE(out, 40);
    PutU32LE(out, kSize);
    PutU32LE(out, kSize);
    PutU16LE(out, 1);
    PutU16LE(out, static_cast<unsigned>(bitCount));
    PutU32LE(out, compression);
    PutU32LE(out, static_cast<std::uint32_t>(pixels.size()));
    PutU32LE(out, 0);
    PutU32LE(out, 0);
    PutU32LE(out, static_cast<std::uint32_t>(colors));
    PutU32LE(out, 0);
    for (int i = 0; i < colors; ++i) {
        out.insert(out.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                               static_cast<std::uint8_t>(i), 0});
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Rows of 8-bit indices: the picture's green channel.
Bytes GreenIndices() {
    Bytes indices(static_cast<std::size_t>(kSize) * kSize);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = PictureBgr()[i * 3 + 1];
    }
    return indices;
}

// Runs where pixels repeat, literals elsewhere; row by row, bottom row first.
Bytes RunLength8(const Bytes& indices) {
    Bytes out;
    for (int y = kSize - 1; y >= 0; --y) {
        const std::uint8_t* row = &indices[static_cast<std::size_t>(y) * kSize];
        int x = 0;
        while (x < kSize) {
            int run = 1;
            while (x + run < kSize && run < 255 && row[x + run] == row[x]) {
                ++run;
            }
            if (run >= 3) {
                out.insert(out.end(), {static_cast<std::uint8_t>(run), row[x]});
                x += run;
                continue;
            }
            int literal = 0;
            while (x + literal < kSize && literal < 254 &&
                   !(x + literal + 2 < kSize && row[x + literal] == row[x + literal + 1] &&
                     row[x + literal] == row[x + literal + 2])) {
                ++literal;
            }
            if (literal < 3) {
                for (int i = 0; i < literal; ++i) {
                    out.insert(out.end(), {1, row[x + i]});
                }
            } else {
                out.insert(out.end(), {0, static_cast<std::uint8_t>(literal)});
                out.insert(out.end(), row + x, row + x + literal);
                if (literal & 1) {
                    out.push_back(0);
                }
            }
            x += literal;
        }
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

Bytes TgaHeader(int type) {
    Bytes out = {0, 0, static_cast<std::uint8_t>(type), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutU16LE(out, kSize);
    PutU16LE(out, kSize);
    out.push_back(24);
    out.push_back(0x20);
    return out;
}

Bytes TgaRunLength() {
    Bytes out = TgaHeader(10);
    const std::size_t pixels = static_cast<std::size_t>(kSize) * kSize;
    const std::uint8_t* p = PictureBgr().data();
    std::size_t i = 0;
    auto same = [p](std::size_t a, std::size_t b) {
        return std::memcmp(p + a * 3, p + b * 3, 3) == 0;
    };
    while (i < pixels) {
        const std::size_t rowEnd = (i / kSize + 1) * kSize;
        std::size_t run = 1;
        while (i + run < rowEnd && run < 128 && same(i, i + run)) {
            ++run;
        }
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), p + i * 3, p + i * 3 + 3);
            i += run;
            continue;
        }
        std::size_t literal = 1;
        while (i + literal < rowEnd && literal < 128 &&
               !(i + literal + 1 < rowEnd && same(i + literal, i + literal + 1))) {
            ++literal;
        }
        out.push_back(static_cast<std::uint8_t>(literal - 1));
        out.insert(out.end(), p + i * 3, p + (i + literal) * 3);
        i += literal;
    }
    return out;
}

Bytes JpegFile() {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = kSize;
    c.image_height = kSize;
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            &PictureBgr()[static_cast<std::size_t>(c.next_scanline) * kSize * 3]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes PngFile() {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<Bytes*>(png_get_io_ptr(p))
                ->insert(static_cast<Bytes*>(png_get_io_ptr(p))->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, kSize, kSize, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < kSize; ++y) {
        png_write_row(png, &PictureBgr()[static_cast<std::size_t>(y) * kSize * 3]);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

template <typename Read>
void Decode(benchmark::State& state, const fs::path& file, Read read) {
    for (auto _ : state) {
        DibStream image;
        if (!read(file, image)) {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(image.Bits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSize * kSize * 3);
}

// Reads a file as the texture loader does: mapped, reader by extension.
bool ReadImageFile(const fs::path& file, DibStream& image) {
    return static_cast<bool>(DecodeImageFile(file, image));
}

void BM_ReadBMP_24bit(benchmark::State& state) {
    static const fs::path file = Save("bmp24.bmp", BmpFile(24, 0, PictureBgr(), 0));
    Decode(state, file, ReadImageFile);
}

void BM_ReadBMP_RunLength8(benchmark::State& state) {
    static const fs::path file = Save("rle8.bmp", BmpFile(8, 1, RunLength8(GreenIndices()), 256));
    Decode(state, file, ReadImageFile);
}

void BM_ReadTGA_24bit(benchmark::State& state) {
    static const fs::path file = [] {
        Bytes tga = TgaHeader(2);
        tga.insert(tga.end(), PictureBgr().begin(), PictureBgr().end());
        return Save("tga24.tga", tga);
    }();
    Decode(state, file, ReadImageFile);
}

void BM_ReadTGA_RunLength24(benchmark::State& state) {
    static const fs::path file = Save("rle24.tga", TgaRunLength());
    Decode(state, file, ReadImageFile);
}

const fs::path& JpegPath() {
    static const fs::path file = Save("picture.jpg", JpegFile());
    return file;
}

const fs::path& PngPath() {
    static const fs::path file = Save("picture.png", PngFile());
    return file;
}

void BM_ReadJPG(benchmark::State& state) {
    Decode(state, JpegPath(), ReadImageFile);
}

// libjpeg-turbo on its own: the file in memory, rows into one plain buffer.
void BM_LibjpegIntoPlainBuffer(benchmark::State& state) {
    const MappedFile file(JpegPath(), kMaxImageFileBytes);
    Bytes pixels(static_cast<std::size_t>(kSize) * kSize * 3);
    for (auto _ : state) {
        jpeg_decompress_struct d{};
        jpeg_error_mgr errors{};
        d.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&d);
        jpeg_mem_src(&d, file.Data().data(), file.Data().size());
        jpeg_read_header(&d, TRUE);
        d.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&d);
        while (d.output_scanline < d.output_height) {
            JSAMPROW row = &pixels[static_cast<std::size_t>(d.output_scanline) * kSize * 3];
            jpeg_read_scanlines(&d, &row, 1);
        }
        jpeg_finish_decompress(&d);
        jpeg_destroy_decompress(&d);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSize * kSize * 3);
}

void BM_ReadPNG(benchmark::State& state) {
    Decode(state, PngPath(), ReadImageFile);
}

// libpng on its own: the file in memory, png_read_image into one plain buffer.
void BM_LibpngIntoPlainBuffer(benchmark::State& state) {
    const MappedFile file(PngPath(), kMaxImageFileBytes);
    Bytes pixels(static_cast<std::size_t>(kSize) * kSize * 3);
    std::vector<png_bytep> rows(kSize);
    for (int y = 0; y < kSize; ++y) {
        rows[static_cast<std::size_t>(y)] = &pixels[static_cast<std::size_t>(y) * kSize * 3];
    }
    for (auto _ : state) {
        struct Input {
            const std::uint8_t* data;
            std::size_t pos;
        } input{file.Data().data(), 0};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_read_fn(png, &input, [](png_structp p, png_bytep out, png_size_t n) {
            auto* in = static_cast<Input*>(png_get_io_ptr(p));
            std::memcpy(out, in->data + in->pos, n);
            in->pos += n;
        });
        png_read_info(png, info);
        png_set_bgr(png);
        png_read_update_info(png, info);
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSize * kSize * 3);
}

}  // namespace

BENCHMARK(BM_ReadBMP_24bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadTGA_24bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBMP_RunLength8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadTGA_RunLength24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibjpegIntoPlainBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadJPG)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibpngIntoPlainBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadPNG)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
