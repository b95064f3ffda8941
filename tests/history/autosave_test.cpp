#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "history/autosave.h"
#include "scene/archive.h"
#include "scene/native_document.h"
#include "scene_compare.h"
#include "support/mesh_generators.h"

namespace {

namespace fs = std::filesystem;

CCentigrade Grid(int cells) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells));
    scene.ComputeAllNormals();
    return scene;
}

class Autosave : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quorvel-autosave-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static CCentigrade Load(const fs::path& file) {
        CCentigrade scene;
        LoadNativeDocument(file, scene);
        return scene;
    }

    fs::path folder;
};

// A copy that reuses the buffers of a bigger scene writes what a fresh one does.
TEST(DocumentCopy, WritesTheBytesOfANativeDocument) {
    CCentigrade scene = Grid(3);
    scene.models.push_back(MakeCube(2));
    scene.models.back().name = std::string(300, 'n');
    scene.models.back().faces[1].uvs = {{0.5f, 0.25f}, {1, 1}, {0, 0}, {1, 0}};
    scene.models.back().faces[2].indices = {0, 1};
    scene.materials.emplace_back(3).texture = "wood.bmp";
    scene.zoom = 42;
    ArchiveWriter expected;
    scene.Serialize(expected);
    DocumentCopy snapshot;
    snapshot.Take(Grid(5));  // buffers of another scene are reused
    snapshot.Take(scene);
    ArchiveWriter written;
    snapshot.WriteTo(written);
    EXPECT_EQ(written.Bytes(), expected.Bytes());
}

TEST_F(Autosave, LeftBehindByARunThatDidNotEndIsOfferedTakenOverOrDeclined) {
    const CCentigrade scene = Grid(4);
    fs::path written;
    {
        AutosaveSession crashed(folder);
        ASSERT_EQ(crashed.Failed().Message(), "");
        ASSERT_TRUE(crashed.Start(scene, "/home/u/models/robot.qvl"));
        EXPECT_EQ(crashed.Wait().Message(), "");
        written = crashed.File();
        EXPECT_TRUE(FindRecoverableAutosaves(folder).empty());  // its program still runs
    }  // ends without removing its autosave, as a crash does
    const auto offered = FindRecoverableAutosaves(folder);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].file, written);
    EXPECT_EQ(offered[0].document, "/home/u/models/robot.qvl");
    EXPECT_EQ(offered[0].name, "robot.qvl");
    EXPECT_EQ(offered[0].size, fs::file_size(written));
    EXPECT_TRUE(SameScene(scene, Load(offered[0].file), false));

    AutosaveSession next(folder);
    ASSERT_TRUE(next.Adopt(offered[0]));
    EXPECT_FALSE(fs::exists(written));
    EXPECT_TRUE(SameScene(scene, Load(next.File()), false));
    EXPECT_TRUE(FindRecoverableAutosaves(folder).empty());
    next.Remove();  // saved or closed cleanly
    EXPECT_FALSE(fs::exists(next.File()));
    {
        AutosaveSession untitled(folder);
        untitled.Start(scene, {});
        untitled.Wait();
    }
    const auto declined = FindRecoverableAutosaves(folder);
    ASSERT_EQ(declined.size(), 1u);
    EXPECT_EQ(declined[0].name, "");
    EXPECT_TRUE(DiscardAutosave(declined[0]));
    EXPECT_TRUE(FindRecoverableAutosaves(folder).empty());
}

// A full disk (the file size limit): the write reports the file and the
// cause, and the previous autosave is intact.
TEST_F(Autosave, AFailedWriteKeepsThePreviousAutosave) {
    AutosaveSession session(folder);
    const CCentigrade small = Grid(2);
    ASSERT_TRUE(session.Start(small, {}));
    ASSERT_EQ(session.Wait().Message(), "");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string reported;
    ASSERT_TRUE(
        session.Start(Grid(100), {}, [&](const FileFailure& f) { reported = f.Message(); }));
    const std::string failure = session.Wait().Message();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failure, reported);
    EXPECT_NE(failure.find(session.File().string()), std::string::npos) << failure;
    EXPECT_TRUE(SameScene(small, Load(session.File()), false));
}

// A program killed while it autosaves: what is offered next is a complete
// autosave, the last one finished or the one being written.
TEST_F(Autosave, KilledMidWriteLeavesACompleteAutosave) {
    const CCentigrade first = Grid(150);
    const CCentigrade second = Grid(180);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AutosaveSession session(folder);
        for (int k = 0;; ++k) {
            session.Start(k % 2 == 0 ? first : second, "/tmp/x.qvl");
            if (session.Wait()) {
                ::_exit(1);
            }
            if (k == 0) {
                (void)!::write(ready[1], "r", 1);
            }
        }
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_TRUE(WIFSIGNALED(status));
    const auto offered = FindRecoverableAutosaves(folder);
    ASSERT_EQ(offered.size(), 1u);
    const CCentigrade recovered = Load(offered[0].file);
    const bool isFirst = SameScene(first, recovered, false);
    EXPECT_TRUE(isFirst || SameScene(second, recovered, false));
    EXPECT_EQ(offered[0].document, "/tmp/x.qvl");
    EXPECT_TRUE(DiscardAutosave(offered[0]));
    EXPECT_TRUE(fs::is_empty(folder));  // with any half-written temporary file
}

}  // namespace
