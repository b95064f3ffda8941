// What runs that ended abnormally leave in the autosave folder: at the next
// start a session nobody holds is offered for recovery when its autosave is
// complete, and removed otherwise, with the temporary files of its writes.
#include <gtest/gtest.h>

#include <fstream>

#include "history/autosave.h"
#include "scene/centigrade.h"
#include "scene/native_document.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

struct Leftover {
    const char* what;
    std::vector<std::string> suffixes;  // of the session's files: ".lock", ".qvl", ".qvl.Xy12Zw"
    std::vector<std::string> kept;      // of those, what the start keeps
};

// A session's file by its suffix; "+" marks a writer's temporary file (".ID.qvl.XXXXXX").
fs::path FileOf(const fs::path& folder, std::size_t session, const std::string& suffix) {
    const std::string id = "quorvel-" + std::to_string(100 + session) + "-1";
    return folder / (suffix.starts_with('+') ? "." + id + suffix.substr(1) : id + suffix);
}

void Leave(const fs::path& file) {
    if (file.extension() == ".qvl") {
        SaveNativeDocument(file, CCentigrade());
    } else {
        std::ofstream(file) << std::string(1 << 20, 'x');
    }
}

}  // namespace

TEST(AutosaveLeftovers, ASessionNobodyHoldsIsOfferedWhenCompleteAndRemovedOtherwise) {
    const Leftover leftovers[] = {
        {"killed during its first autosave", {".lock", ".path", "+.qvl.Xy12Zw"}, {}},
        {"ended abnormally after a clean save", {".lock"}, {}},
        {"a path file without its lock", {".path", "+.path.Ab34Cd"}, {}},
        {"killed during a later autosave",
         {".lock", ".path", ".qvl", "+.qvl.Cd56Ef"},
         {".lock", ".path", ".qvl"}},
    };
    TempFolder folder;
    AutosaveSession running(folder.Path());
    const std::string runningId = running.File().stem().string();
    Leave(folder.Path() / ("." + runningId + ".qvl.Gh78Ij"));
    for (std::size_t k = 0; k < std::size(leftovers); ++k) {
        for (const std::string& suffix : leftovers[k].suffixes) {
            Leave(FileOf(folder.Path(), k, suffix));
        }
    }

    RemoveAbandonedSessions(folder.Path());

    for (std::size_t k = 0; k < std::size(leftovers); ++k) {
        for (const std::string& suffix : leftovers[k].suffixes) {
            const bool kept = std::find(leftovers[k].kept.begin(), leftovers[k].kept.end(),
                                        suffix) != leftovers[k].kept.end();
            const fs::path file = FileOf(folder.Path(), k, suffix);
            EXPECT_EQ(fs::exists(file), kept) << leftovers[k].what << ": " << file;
        }
    }
    EXPECT_TRUE(fs::exists(folder.Path() / ("." + runningId + ".qvl.Gh78Ij")))
        << "a running session's write";
    const std::vector<RecoverableAutosave> offered = FindRecoverableAutosaves(folder.Path());
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].file.filename(), "quorvel-103-1.qvl");
}
