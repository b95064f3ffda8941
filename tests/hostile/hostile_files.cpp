#include "hostile_files.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <set>

std::string MqoWithMaterial(std::string_view attributes) {
    return "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1 {\n\t\"m\" col(1 1 1 1) " +
           std::string(attributes) +
           "\n}\nObject \"o\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n"
           "\tface 1 {\n\t\t3 V(0 1 2) M(0)\n\t}\n}\nEof\n";
}

std::filesystem::path MakeArchive(const std::filesystem::path& path,
                                  const std::vector<ArchiveEntry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const ArchiveEntry& e : entries) {
        zip_source_t* source = zip_source_buffer(archive, e.bytes.data(), e.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), source, 0);
        EXPECT_GE(index, 0) << e.name;
        if (e.encrypted) {
            EXPECT_EQ(zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index),
                                              ZIP_EM_TRAD_PKWARE, "secret"),
                      0);
        }
    }
    EXPECT_EQ(zip_close(archive), 0);
    return path;
}

std::filesystem::path SparseFile(const std::filesystem::path& path, std::uint64_t size) {
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, size);
    return path;
}

std::filesystem::path PaddedBmp(const std::filesystem::path& path, std::uint64_t size) {
    Bytes bmp;
    PutText(bmp, "BM");
    PutU32LE(bmp, static_cast<std::uint32_t>(size));
    PutU32LE(bmp, 0);
    PutU32LE(bmp, 54);
    for (std::uint32_t value : {40u, 1u, 1u}) {
        PutU32LE(bmp, value);
    }
    PutU16LE(bmp, 1);
    PutU16LE(bmp, 24);
    for (int i = 0; i < 6; ++i) {
        PutU32LE(bmp, 0);
    }
    PutU32LE(bmp, 0x00FF00FF);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    std::filesystem::resize_file(path, size);
    return path;
}

std::string Leftovers(const std::filesystem::path& folder) {
    std::set<std::string> sorted;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        sorted.insert(entry.path().filename().string());
    }
    std::string names;
    for (const std::string& name : sorted) {
        names += name + " ";
    }
    return names;
}

BoundedRun RunWithinBounds(const std::vector<std::string>& arguments, const std::string& what,
                           RunLimits limits) {
    TempFolder tmp;
    const BoundedRun run = RunCli(arguments, tmp.Path(), limits);
    EXPECT_TRUE(run.finished) << what << ": still running after " << run.seconds << " s";
    EXPECT_LE(run.seconds, TimeBound(5)) << what;
    EXPECT_LE(run.peakMb, MemoryBoundMb()) << what;
    EXPECT_EQ(Leftovers(tmp.Path()), "") << what << ": left in TMPDIR";
    return run;
}
