// A ".mqoz" archive is unpacked into a temporary folder that goes on every
// path out of the open: refusals in the middle of unpacking included, and the
// folders of runs that were killed at the next start.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "hostile_files.h"

namespace fs = std::filesystem;

namespace {

// Makes the archive's first entry state a smaller size than it unpacks to.
fs::path UnderstateFirstEntry(const fs::path& path, std::uint32_t stated) {
    std::string bytes = ReadFile(path);
    const std::size_t central = bytes.find(std::string("PK\x01\x02", 4));
    std::memcpy(&bytes[22], &stated, 4);
    std::memcpy(&bytes[central + 24], &stated, 4);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Text of `size` bytes that deflates well, but not beyond what real files do.
std::string Compressible(std::size_t size) {
    std::string text(size, 'a');
    for (std::size_t i = 0; i < size; i += 64) {
        text[i] = static_cast<char>('a' + (i * 7919 % 26));
    }
    return text;
}

struct HostileArchive {
    const char* what;
    std::vector<ArchiveEntry> entries;
    std::uint32_t statedSize;  // of the first entry, when it lies
    int status;                // of render
    const char* says;          // on standard error or, with status 0, from "textures"
};

}  // namespace

TEST(ArchiveFolders, NoOpenOfAnArchiveLeavesAnythingInTmpdir) {
    const std::string document = MqoWithMaterial("tex(\"inner.bmp\")");
    const HostileArchive archives[] = {
        {"a document longer than it states",
         {{"doc.mqo", document + Compressible(40 << 20)}},
         1 << 20,
         1,
         "longer than it states"},
        {"a document compressed beyond any real file",
         {{"doc.mqo", document + std::string(std::size_t{16} << 20, ' ')}},
         0,
         1,
         "compressed beyond any real file"},
        {"an encrypted document", {{"doc.mqo", document, true}}, 0, 1, "encrypted"},
        {"an encrypted texture",
         {{"doc.mqo", document}, {"inner.bmp", std::string(100, 'x'), true}},
         0,
         0,
         "is encrypted"},
    };
    for (const HostileArchive& a : archives) {
        TempFolder folder;
        const fs::path archive = MakeArchive(folder.Path() / "a.mqoz", a.entries);
        if (a.statedSize) {
            UnderstateFirstEntry(archive, a.statedSize);
        }
        const fs::path picture = folder.Path() / "a.png";
        const BoundedRun render = RunWithinBounds({"render", archive, picture}, a.what);
        EXPECT_EQ(render.status, a.status) << a.what << ": " << render.err;
        if (a.status != 0) {
            EXPECT_NE(render.err.find(a.says), std::string::npos) << a.what << ": " << render.err;
        } else {
            const BoundedRun textures = RunWithinBounds({"textures", archive}, a.what);
            EXPECT_NE(textures.out.find(a.says), std::string::npos) << a.what << textures.out;
        }
    }
}

TEST(ArchiveFolders, TheFoldersOfKilledRunsGoAtTheNextStart) {
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ::waitpid(gone, nullptr, 0);
    TempFolder tmp;
    const fs::path killed = tmp.Path() / ("quorvel-mqoz-" + std::to_string(gone) + "-Ab12Cd");
    const fs::path running =
        tmp.Path() / ("quorvel-mqoz-" + std::to_string(::getpid()) + "-Ef34Gh");
    const fs::path other = tmp.Path() / "quorvel-mqoz-notes";
    for (const fs::path& f : {killed, running, other}) {
        fs::create_directories(f);
        std::ofstream(f / "doc.mqo") << "left behind";
    }
    TempFolder folder;
    const BoundedRun run =
        RunCli({"info", folder.Write("a.mqo", MqoWithMaterial("")).string()}, tmp.Path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(running / "doc.mqo"));
    EXPECT_TRUE(fs::exists(other / "doc.mqo"));
}
