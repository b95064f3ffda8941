// The codes the writer and the reader give for real failures, which the
// window and the command-line tool each word in their own language.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "scene/atomic_file.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct WriteCase {
    const char* name;
    // Prepares the folder and returns the path to write.
    std::function<fs::path(const TempFolder&)> target;
    FileStep step;
    FileErrorKind kind;
    const char* message;  // English, after the path
};

// Failures that happen for root too, so the tests hold wherever they run.
TEST(FileFailure, WritesSayWhichStepFailedAndWhy) {
    const WriteCase cases[] = {
        {"parent is a file", [](const TempFolder& f) { return f.Write("plain", "x") / "doc.qvl"; },
         FileStep::CreateTemporary, FileErrorKind::NotAFolder, ": Not a directory"},
        {"missing folder", [](const TempFolder& f) { return f.Path() / "missing" / "doc.qvl"; },
         FileStep::CreateTemporary, FileErrorKind::NotFound, ": No such file or directory"},
        {"a folder in the way",
         [](const TempFolder& f) { return f.Write("doc.qvl/inside", "x").parent_path(); },
         FileStep::Replace, FileErrorKind::IsAFolder, ": Is a directory"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const fs::path target = c.target(folder);
        const FileFailure failure = WriteFileAtomically(target, std::string("data"));
        EXPECT_EQ(failure.step, c.step);
        EXPECT_EQ(failure.Kind(), c.kind);
        EXPECT_EQ(failure.path, target);
        const std::string action = c.step == FileStep::Replace
                                       ? "cannot replace "
                                       : "cannot create a temporary file beside ";
        EXPECT_EQ(failure.Message(), action + target.string() + c.message);
        // Nothing is left behind beside the target.
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
            EXPECT_FALSE(entry.path().filename().string().starts_with(".doc.qvl."));
        }
    }
}

TEST(FileFailure, AReadOnlyFolderRefusesTheTemporaryFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    const TempFolder folder;
    const fs::path locked = folder.Path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    const FileFailure failure = WriteFileAtomically(locked / "doc.qvl", std::string("data"));
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(failure.step, FileStep::CreateTemporary);
    EXPECT_EQ(failure.Kind(), FileErrorKind::PermissionDenied);
}

TEST(FileFailure, ReadsSayWhatIsThereInstead) {
    const TempFolder folder;
    std::string contents;
    const fs::path missing = folder.Path() / "missing.qvl";
    FileFailure failure = ReadWholeFile(missing, contents);
    EXPECT_EQ(failure.step, FileStep::Open);
    EXPECT_EQ(failure.Kind(), FileErrorKind::NotFound);
    EXPECT_EQ(failure.Message(), "cannot open " + missing.string() + ": No such file or directory");

    failure = ReadWholeFile(folder.Path(), contents);
    EXPECT_EQ(failure.step, FileStep::NotRegularFile);
    EXPECT_EQ(failure.fileType, static_cast<unsigned>(S_IFDIR));
    EXPECT_EQ(failure.Message(), folder.Path().string() + " is not a regular file (a folder)");

    const fs::path big = folder.Write("big.qvl", std::string(3 << 20, 'x'));
    failure = ReadWholeFile(big, contents, 1 << 20);
    EXPECT_EQ(failure.step, FileStep::TooLarge);
    EXPECT_EQ(failure.size, 3u << 20);
    EXPECT_EQ(failure.limit, 1u << 20);
    EXPECT_EQ(failure.Message(), big.string() + " is too large: 3 MB, more than the 1 MB allowed");
}

}  // namespace
