// Runs quorvel-cli as the thumbnailer runs it, on files made to hurt it, and
// measures the run: whether it finished within its time, how long it took and
// how much memory it held at its peak.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct BoundedRun {
    bool finished = false;  // false: killed at the time limit
    int status = -1;        // the exit status when it finished
    double seconds = 0;     // wall time
    double cpuSeconds = 0;  // user and system time
    double peakMb = 0;      // peak resident memory
    std::string out;        // what it wrote on standard output
    std::string err;        // and on standard error
};

struct RunLimits {
    double seconds = 5;
    std::uint64_t fileSizeBytes = 0;  // RLIMIT_FSIZE when not 0: a disk that fills up
};

// Runs quorvel-cli with `arguments` and TMPDIR set to `temporaryFolder`.
BoundedRun RunCli(const std::vector<std::string>& arguments,
                  const std::filesystem::path& temporaryFolder, RunLimits limits = {});

// The bounds every such run must keep: 5 s and 512 MB as the thumbnailer
// needs them, more under the sanitizers, which slow a run and add memory.
double TimeBound(double seconds);
double MemoryBoundMb();
