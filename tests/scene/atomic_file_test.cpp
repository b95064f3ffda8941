#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "scene/atomic_file.h"

namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quorvel-atomic-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        target = folder / "doc.qvl";
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string Read(const fs::path& path) {
        std::string contents;
        EXPECT_EQ(ReadWholeFile(path, contents).Message(), "");
        return contents;
    }
    static void Put(const fs::path& path, const std::string& text) {
        ASSERT_EQ(WriteFileAtomically(path, text).Message(), "");
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
    fs::path target;
};

TEST_F(AtomicFile, KeepsThePreviousVersionOnlyWhenAsked) {
    const AtomicWriteOptions keep{true};
    ASSERT_EQ(WriteFileAtomically(target, std::string("one"), keep).Message(), "");
    EXPECT_FALSE(fs::exists(PreviousVersionPath(target)));  // nothing to keep yet
    ASSERT_EQ(WriteFileAtomically(target, std::string("two"), keep).Message(), "");
    EXPECT_EQ(Read(PreviousVersionPath(target)), "one");
    ASSERT_EQ(WriteFileAtomically(target, std::string("three"), keep).Message(), "");
    EXPECT_EQ(Read(target), "three");
    EXPECT_EQ(Read(folder / "doc.qvl~"), "two");
    Put(target, "four");
    EXPECT_EQ(Read(folder / "doc.qvl~"), "two");
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(AtomicFile, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    const mode_t old = ::umask(027);
    Put(target, "new");
    ::umask(old);
    EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(0640));
    fs::permissions(target, static_cast<fs::perms>(0600));
    Put(target, "replaced");
    EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(0600));
}

TEST_F(AtomicFile, RemovesOnlyTheTemporaryFilesOfKilledSavesOfThatTarget) {
    const fs::path stale = folder / ".doc.qvl.AbC123";
    const fs::path busy = folder / ".doc.qvl.Zz9Zz9";  // a save still writing
    const fs::path others[] = {folder / ".doc.qvl.AbC12", folder / ".doc.qvl.AbC1234",
                               folder / ".doc.qvl~.AbC123", folder / ".other.qvl.AbC123"};
    for (const fs::path& p : others) {
        Put(p, "x");
    }
    Put(stale, "half a document");
    Put(busy, "being written");
    const int held = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    Put(target, "saved");
    ::close(held);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(busy));
    for (const fs::path& p : others) {
        EXPECT_TRUE(fs::exists(p)) << p;
    }
    EXPECT_EQ(Read(target), "saved");
}

// A full disk, as the file size limit makes it: the write fails, the message
// names the file, and the document, its previous version and the folder are
// as they were.
TEST_F(AtomicFile, AFailedWriteLeavesEverythingAsItWas) {
    const AtomicWriteOptions keep{true};
    ASSERT_EQ(WriteFileAtomically(target, std::string("first"), keep).Message(), "");
    ASSERT_EQ(WriteFileAtomically(target, std::string("second"), keep).Message(), "");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string reason =
        WriteFileAtomically(target, std::string(100000, 'x'), keep).Message();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(reason.find(target.string()), std::string::npos) << reason;
    EXPECT_NE(reason.find("too large"), std::string::npos) << reason;
    EXPECT_EQ(Read(target), "second");
    EXPECT_EQ(Read(PreviousVersionPath(target)), "first");
    EXPECT_EQ(Entries(), 2u);

    const fs::path nowhere = folder / "missing" / "doc.qvl";
    const std::string missing = WriteFileAtomically(nowhere, std::string("x"), keep).Message();
    EXPECT_NE(missing.find(nowhere.string()), std::string::npos) << missing;
}

}  // namespace
