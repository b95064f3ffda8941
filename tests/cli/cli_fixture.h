// Runs quorvel-cli as a user does, in a folder of its own for each test:
// the exit status, what it printed and what it said on stderr.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "scene/atomic_file.h"
#include "scene/cp932.h"
#include "scene/native_document.h"
#include "support/mesh_generators.h"

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  (std::string("quorvel-cli-") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun Cli(const std::string& arguments) {
        const fs::path err = folder_ / "stderr.txt";
        const std::string command =
            std::string(QUORVEL_CLI_ENV) + QUORVEL_CLI + " " + arguments + " 2>" + err.string();
        CliRun run;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            run.out.append(buffer, n);
        }
        run.status = WEXITSTATUS(pclose(pipe));
        ReadWholeFile(err, run.err);
        return run;
    }

    fs::path SaveCube() {
        CCentigrade scene = MakeSceneWith(MakeCube(2));
        scene.models[0].name = Utf8ToCp932("立方体");
        scene.materials[0].name = Utf8ToCp932("木目");
        // Stored face normals as an open computes them, so a converted copy is identical.
        scene.ComputeAllNormals();
        const fs::path path = folder_ / "cube.qvl";
        SaveNativeDocument(path, scene);
        return path;
    }

    fs::path folder_;
};
