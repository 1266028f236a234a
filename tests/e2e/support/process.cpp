#include "support/process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <thread>

#include "support/error.hpp"

extern char** environ;

namespace vtl::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::string errnoText(int err) {
    return std::strerror(err);
}

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

class FileActions {
  public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attr_);
        // Children start with default signal handling even when we ignore SIGPIPE, and with
        // nothing blocked.
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attr_, &defaults);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attr_, &none);
        posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    posix_spawnattr_t* get() { return &attr_; }

  private:
    posix_spawnattr_t attr_;
};

std::vector<char*> cStrings(const std::vector<std::string>& strings) {
    std::vector<char*> out;
    out.reserve(strings.size() + 1);
    for (const auto& s : strings)
        out.push_back(const_cast<char*>(s.c_str()));
    out.push_back(nullptr);
    return out;
}

// Wires one of the child's standard descriptors; returns the child's end of a pipe, which must
// stay open until the child has been spawned.
UniqueFd wireStdio(FileActions& actions, Stdio mode, int fd, const std::string& file,
                   UniqueFd& parentEnd) {
    const bool childReads = fd == STDIN_FILENO;
    switch (mode) {
    case Stdio::Inherit: return {};
    case Stdio::Null:
        posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null",
                                         childReads ? O_RDONLY : O_WRONLY, 0);
        return {};
    case Stdio::AppendTo:
        if (childReads || file.empty()) throw Error("ChildProcess: no file to append to");
        posix_spawn_file_actions_addopen(actions.get(), fd, file.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
        return {};
    case Stdio::Pipe: {
        Pipe pipe = Pipe::create();
        UniqueFd childEnd = childReads ? std::move(pipe.read) : std::move(pipe.write);
        parentEnd = childReads ? std::move(pipe.write) : std::move(pipe.read);
        posix_spawn_file_actions_adddup2(actions.get(), childEnd.get(), fd);
        return childEnd;
    }
    }
    return {};
}

// Writing to a child that has gone must give EPIPE, not kill the test.
void ignoreBrokenPipes() {
    static const bool ignored = [] {
        ::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

} // namespace

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

Pipe Pipe::create() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw Error("pipe2 failed: " + errnoText(errno));
    return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

std::vector<std::string> environmentWith(const std::map<std::string, std::string>& set,
                                         const std::vector<std::string>& unset) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string_view entry(*e);
        std::string_view name = entry.substr(0, entry.find('='));
        bool dropped = set.count(std::string(name)) != 0;
        for (const auto& u : unset)
            dropped = dropped || name == u;
        if (!dropped) env.emplace_back(entry);
    }
    for (const auto& [name, value] : set)
        env.push_back(name + "=" + value);
    return env;
}

int exitCodeFromStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

ChildProcess::ChildProcess(const SpawnOptions& options) {
    if (options.argv.empty()) throw Error("ChildProcess: empty argument list");
    name_ = options.argv.front();

    if (options.in == Stdio::Pipe) ignoreBrokenPipes();
    FileActions actions;
    SpawnAttributes attributes;
    UniqueFd childIn = wireStdio(actions, options.in, STDIN_FILENO, {}, stdin_);
    UniqueFd childOut = wireStdio(actions, options.out, STDOUT_FILENO, options.outFile, stdout_);
    UniqueFd childErr = wireStdio(actions, options.err, STDERR_FILENO, options.errFile, stderr_);
    if (options.workingDirectory) {
        posix_spawn_file_actions_addchdir_np(actions.get(), options.workingDirectory->c_str());
    }

    std::vector<char*> argv = cStrings(options.argv);
    std::vector<char*> envp;
    if (options.env) envp = cStrings(*options.env);
    int rc = posix_spawnp(&pid_, argv[0], actions.get(), attributes.get(), argv.data(),
                          options.env ? envp.data() : environ);
    if (rc != 0) {
        pid_ = -1;
        throw Error("cannot start " + name_ + ": " + errnoText(rc));
    }
}

ChildProcess::~ChildProcess() {
    release();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : name_(std::move(other.name_)), pid_(other.pid_), exitCode_(other.exitCode_),
      stdin_(std::move(other.stdin_)), stdout_(std::move(other.stdout_)),
      stderr_(std::move(other.stderr_)) {
    other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        release();
        name_ = std::move(other.name_);
        pid_ = other.pid_;
        exitCode_ = other.exitCode_;
        stdin_ = std::move(other.stdin_);
        stdout_ = std::move(other.stdout_);
        stderr_ = std::move(other.stderr_);
        other.pid_ = -1;
    }
    return *this;
}

void ChildProcess::release() noexcept {
    if (pid_ > 0 && !exitCode_) kill();
    pid_ = -1;
}

bool ChildProcess::tryReap() {
    if (exitCode_) return true;
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        exitCode_ = exitCodeFromStatus(status);
        return true;
    }
    if (r < 0 && errno != EINTR) {
        exitCode_ = -1; // not our child any more: nothing left to reap
        return true;
    }
    return false;
}

bool ChildProcess::running() {
    return pid_ > 0 && !tryReap();
}

std::optional<int> ChildProcess::waitExit(std::chrono::milliseconds timeout) {
    if (pid_ <= 0) return exitCode_;
    auto deadline = Clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    while (!tryReap()) {
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(5)) pause *= 2;
    }
    return exitCode_;
}

void ChildProcess::kill() {
    if (pid_ <= 0 || tryReap()) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    pid_t r = -1;
    do {
        r = ::waitpid(pid_, &status, 0);
    } while (r < 0 && errno == EINTR);
    exitCode_ = r == pid_ ? exitCodeFromStatus(status) : -1;
}

CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout,
                         const std::string& input) {
    SpawnOptions options;
    options.argv = argv;
    return runCommand(std::move(options), timeout, input);
}

CommandResult runCommand(SpawnOptions options, std::chrono::milliseconds timeout,
                         const std::string& input) {
    const std::vector<std::string>& argv = options.argv;
    options.in = input.empty() ? Stdio::Null : Stdio::Pipe;
    options.out = Stdio::Pipe;
    options.err = Stdio::Pipe;
    ChildProcess child(options);
    const auto deadline = Clock::now() + timeout;
    auto timedOut = [&] {
        child.kill();
        return Error(argv.front() + " did not finish within " + std::to_string(timeout.count()) +
                     " ms");
    };

    CommandResult result;
    std::size_t written = 0;
    if (child.stdinPipe()) ::fcntl(child.stdinPipe().get(), F_SETFL, O_NONBLOCK);
    while (child.stdinPipe() || child.stdoutPipe() || child.stderrPipe()) {
        std::vector<pollfd> fds;
        std::vector<UniqueFd*> owners;
        std::vector<std::string*> sinks;
        if (child.stdinPipe()) {
            fds.push_back({child.stdinPipe().get(), POLLOUT, 0});
            owners.push_back(&child.stdinPipe());
            sinks.push_back(nullptr);
        }
        if (child.stdoutPipe()) {
            fds.push_back({child.stdoutPipe().get(), POLLIN, 0});
            owners.push_back(&child.stdoutPipe());
            sinks.push_back(&result.out);
        }
        if (child.stderrPipe()) {
            fds.push_back({child.stderrPipe().get(), POLLIN, 0});
            owners.push_back(&child.stderrPipe());
            sinks.push_back(&result.err);
        }
        int ready = ::poll(fds.data(), fds.size(), remainingMs(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) throw Error("poll failed: " + errnoText(errno));
        if (ready == 0) throw timedOut();
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            if (sinks[i] == nullptr) {
                ssize_t n = ::write(fds[i].fd, input.data() + written, input.size() - written);
                if (n > 0) written += static_cast<std::size_t>(n);
                if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
                    owners[i]->reset();
                }
                continue;
            }
            char buf[65536];
            ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<std::size_t>(n));
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                owners[i]->reset();
            }
        }
    }
    auto code = child.waitExit(std::chrono::milliseconds(remainingMs(deadline)));
    if (!code) throw timedOut();
    result.exitCode = *code;
    return result;
}

} // namespace vtl::e2e
