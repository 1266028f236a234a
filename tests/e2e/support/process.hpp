// Child processes for the end-to-end tests: file descriptors, pipes, spawning, waiting with a
// timeout and killing, all owned so that no path leaves a descriptor open or a zombie behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vtl::e2e {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1);

  private:
    int fd_ = -1;
};

struct Pipe {
    UniqueFd read;
    UniqueFd write;
    static Pipe create(); // both ends close-on-exec
};

// AppendTo: stdout or stderr appended to the file named in SpawnOptions::outFile / errFile.
enum class Stdio { Inherit, Null, Pipe, AppendTo };

struct SpawnOptions {
    std::vector<std::string> argv;               // argv[0] is looked up in PATH
    std::optional<std::vector<std::string>> env; // "NAME=value" entries; unset: inherit ours
    std::optional<std::string> workingDirectory;
    Stdio in = Stdio::Null;
    Stdio out = Stdio::Inherit;
    Stdio err = Stdio::Inherit;
    std::string outFile;
    std::string errFile;
};

// Our environment as "NAME=value" entries, with `set` replacing or adding entries and the names
// in `unset` left out.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& set,
                                         const std::vector<std::string>& unset = {});

// Exit code as a shell reports it: the code itself, or 128 + signal number.
int exitCodeFromStatus(int status);

class ChildProcess {
  public:
    explicit ChildProcess(const SpawnOptions& options);
    // Kills the process if it still runs, then reaps it.
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    const std::string& name() const { return name_; }

    bool running();
    // Exit code, or nothing when the process still runs after the timeout.
    std::optional<int> waitExit(std::chrono::milliseconds timeout);
    // SIGKILL and reap; returns at once when the process already ended.
    void kill();

    // The parent's ends of the pipes asked for in SpawnOptions (empty otherwise).
    UniqueFd& stdinPipe() { return stdin_; }
    UniqueFd& stdoutPipe() { return stdout_; }
    UniqueFd& stderrPipe() { return stderr_; }

  private:
    bool tryReap();
    void release() noexcept;

    std::string name_;
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    UniqueFd stdin_;
    UniqueFd stdout_;
    UniqueFd stderr_;
};

struct CommandResult {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// Runs a program to its end, feeding it `input` and collecting stdout and stderr. Throws when it
// cannot be started or does not end within the timeout (it is killed then).
CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                         const std::string& input = {});
// The same with environment and working directory from `options` (its Stdio fields are ignored).
CommandResult runCommand(SpawnOptions options, std::chrono::milliseconds timeout,
                         const std::string& input = {});

} // namespace vtl::e2e
