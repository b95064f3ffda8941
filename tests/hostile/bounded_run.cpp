#include "bounded_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The child's environment: this one with TMPDIR replaced, plus what the
// build asks for under the sanitizers ("env A=B C=D ").
std::vector<std::string> ChildEnvironment(const std::filesystem::path& temporaryFolder) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (!std::string_view(*e).starts_with("TMPDIR=")) {
            env.emplace_back(*e);
        }
    }
    env.push_back("TMPDIR=" + temporaryFolder.string());
    std::istringstream extra(QUORVEL_CLI_ENV);
    for (std::string word; extra >> word;) {
        if (word != "env") {
            env.push_back(word);
        }
    }
    return env;
}

// An unnamed file for what the child writes (a pipe could fill up and stall it).
int CapturingFile() {
    char pattern[] = "/tmp/quorvel-output-XXXXXX";
    const int fd = ::mkstemp(pattern);
    ::unlink(pattern);
    return fd;
}

std::string Captured(int fd) {
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char buffer[1 << 16];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

double TimeBound(double seconds) {
    return kSanitized ? seconds * 6 : seconds;
}

double MemoryBoundMb() {
    return kSanitized ? 512 * 4 : 512;
}

BoundedRun RunCli(const std::vector<std::string>& arguments,
                  const std::filesystem::path& temporaryFolder, RunLimits limits) {
    std::vector<std::string> argv{QUORVEL_CLI};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env = ChildEnvironment(temporaryFolder);
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envPointers = Pointers(env);
    const int outFd = CapturingFile();
    const int errFd = CapturingFile();

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only calls that are safe after a fork, up to the exec.
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        if (limits.fileSizeBytes > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{limits.fileSizeBytes, limits.fileSizeBytes};
            ::setrlimit(RLIMIT_FSIZE, &size);
        }
        ::execve(argvPointers[0], argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    BoundedRun run;
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (done == pid) {
            run.finished = true;
            run.seconds = elapsed;
            break;
        }
        if (elapsed > limits.seconds) {
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            run.seconds = elapsed;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.status = run.finished && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto time = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    run.cpuSeconds = time(usage.ru_utime) + time(usage.ru_stime);
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.out = Captured(outFd);
    run.err = Captured(errFd);
    return run;
}
