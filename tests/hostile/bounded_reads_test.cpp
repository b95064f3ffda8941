// Documents that point the program at what it must not read in full, or at
// all: sparse textures of many gigabytes, devices, FIFOs. The thumbnailer's
// command finishes each within its bounds, draws what it can, and refuses
// what is no regular file with that reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "hostile_files.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kGigabyte = std::uint64_t{1} << 30;

fs::path Fifo(const fs::path& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
}

fs::path LinkToZero(const fs::path& path) {
    fs::create_symlink("/dev/zero", path);
    return path;
}

fs::path QvlNaming(const fs::path& path, const std::string& texture) {
    CCentigrade scene;
    scene.materials.emplace_back(0).texture = texture;
    SaveNativeDocument(path, scene);
    return path;
}

// An 8-bit run-length BMP of `height` rows of one pixel, all of them left to
// the background by its first code (end of picture): a file of 60 bytes.
fs::path TallRunLengthBmp(const fs::path& path, std::int32_t height) {
    Bytes bmp;
    PutText(bmp, "BM");
    PutU32LE(bmp, 60);
    PutU32LE(bmp, 0);
    PutU32LE(bmp, 58);
    for (std::uint32_t value : {40u, 1u, static_cast<std::uint32_t>(height)}) {
        PutU32LE(bmp, value);
    }
    PutU16LE(bmp, 1);
    PutU16LE(bmp, 8);
    for (std::uint32_t value : {1u, 2u, 0u, 0u, 1u, 0u, 0x00FF00FFu}) {
        PutU32LE(bmp, value);
    }
    PutU16LE(bmp, 0x0100);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    return path;
}

struct HostileDocument {
    const char* what;
    std::function<fs::path(const TempFolder&)> make;
    int status;               // of render
    const char* renderSays;   // on standard error
    const char* texturesSay;  // on standard output of "textures", when it runs
};

}  // namespace

TEST(BoundedReads, EveryDocumentIsDrawnOrRefusedWithinTheThumbnailersBounds) {
    const HostileDocument documents[] = {
        {"a .mqo naming a 64 GB sparse texture",
         [](const TempFolder& f) {
             SparseFile(f.Path() / "big.bmp", 64 * kGigabyte);
             return f.Write("a.mqo", MqoWithMaterial("tex(\"big.bmp\")"));
         },
         0, "", "picture too large (65536 MB, more than the 512 MB allowed)"},
        {"a .qvl naming a 64 GB sparse texture",
         [](const TempFolder& f) {
             SparseFile(f.Path() / "big.bmp", 64 * kGigabyte);
             return QvlNaming(f.Path() / "a.qvl", "big.bmp");
         },
         0, "", "picture too large"},
        {"an .obj whose library names a 64 GB sparse texture",
         [](const TempFolder& f) {
             SparseFile(f.Path() / "big.bmp", 64 * kGigabyte);
             f.Write("a.mtl", "newmtl m\nmap_Kd big.bmp\n");
             return f.Write("a.obj",
                            "mtllib a.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl m\nf 1 2 3\n");
         },
         0, "", "picture too large"},
        {"a 2 GB texture of an unknown extension",
         [](const TempFolder& f) {
             SparseFile(f.Path() / "big.xyz", 2 * kGigabyte);
             return f.Write("a.mqo", MqoWithMaterial("tex(\"big.xyz\")"));
         },
         0, "", "unknown extension"},
        {"a one-pixel BMP padded to 500 MB (its header says how much to read)",
         [](const TempFolder& f) {
             PaddedBmp(f.Path() / "padded.bmp", 500 << 20);
             return f.Write("a.mqo", MqoWithMaterial("tex(\"padded.bmp\")"));
         },
         0, "", "1x1, 24 bits"},
        {"a BMP of 60 bytes describing 1 x 2^25 pixels, taller than any texture",
         [](const TempFolder& f) {
             TallRunLengthBmp(f.Path() / "tall.bmp", std::int32_t{1} << 25);
             return f.Write("a.mqo", MqoWithMaterial("tex(\"tall.bmp\")"));
         },
         0, "", "1x33554432, 8 bits"},
        {"a FIFO as texture",
         [](const TempFolder& f) {
             Fifo(f.Path() / "pipe.bmp");
             return f.Write("a.mqo", MqoWithMaterial("tex(\"pipe.bmp\")"));
         },
         0, "", "not a regular file (a FIFO)"},
        {"a FIFO as material library",
         [](const TempFolder& f) {
             Fifo(f.Path() / "pipe.mtl");
             return f.Write("a.obj", "mtllib pipe.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
         },
         0, "", ""},
        {"a .qvl linked to /dev/zero",
         [](const TempFolder& f) { return LinkToZero(f.Path() / "zero.qvl"); }, 1,
         "not a regular file (a device)", nullptr},
        {"a .mqo linked to /dev/zero",
         [](const TempFolder& f) { return LinkToZero(f.Path() / "zero.mqo"); }, 1,
         "not a regular file (a device)", nullptr},
        {"an .obj linked to /dev/zero",
         [](const TempFolder& f) { return LinkToZero(f.Path() / "zero.obj"); }, 1,
         "not a regular file (a device)", nullptr},
        {"a FIFO named .qvl", [](const TempFolder& f) { return Fifo(f.Path() / "a.qvl"); }, 1,
         "not a regular file (a FIFO)", nullptr},
        {"a FIFO named .mqo", [](const TempFolder& f) { return Fifo(f.Path() / "a.mqo"); }, 1,
         "not a regular file (a FIFO)", nullptr},
        {"a FIFO named .obj", [](const TempFolder& f) { return Fifo(f.Path() / "a.obj"); }, 1,
         "not a regular file (a FIFO)", nullptr},
        {"a FIFO named .mqoz", [](const TempFolder& f) { return Fifo(f.Path() / "a.mqoz"); }, 1,
         "not a regular file (a FIFO)", nullptr},
        {"a 64 GB sparse .qvl",
         [](const TempFolder& f) { return SparseFile(f.Path() / "a.qvl", 64 * kGigabyte); }, 1,
         "too large", nullptr},
    };
    for (const HostileDocument& d : documents) {
        TempFolder folder;
        const fs::path document = d.make(folder);
        const fs::path picture = folder.Path() / "thumbnail.png";
        const BoundedRun render = RunWithinBounds(
            {"render", document, picture, "--size", "128", "--show", "faces"}, d.what);
        EXPECT_EQ(render.status, d.status) << d.what << ": " << render.err;
        EXPECT_NE(render.err.find(d.renderSays), std::string::npos) << d.what << ": " << render.err;
        EXPECT_EQ(fs::exists(picture), d.status == 0) << d.what;
        if (d.texturesSay) {
            const BoundedRun textures = RunWithinBounds({"textures", document}, d.what);
            EXPECT_NE(textures.out.find(d.texturesSay), std::string::npos)
                << d.what << ": " << textures.out;
        }
    }
}
