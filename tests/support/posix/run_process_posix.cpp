#include "support/run_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace brivane::test {

namespace {

std::vector<std::string>
BuildEnvironment(const std::map<std::string, std::optional<std::string>>& aEnv) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (aEnv.find(name) == aEnv.end()) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : aEnv) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& aTexts) {
    std::vector<char*> pointers;
    for (auto& text : aTexts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts aProgram with the file actions given; the child's ends of the pipes are the
// caller's to close afterwards. Throws when the program cannot be started.
pid_t Spawn(const std::string& aProgram, const std::vector<std::string>& aArgs,
            const std::map<std::string, std::optional<std::string>>& aEnv,
            posix_spawn_file_actions_t& aActions) {
    std::vector<std::string> args{aProgram};
    args.insert(args.end(), aArgs.begin(), aArgs.end());
    std::vector<std::string> env = BuildEnvironment(aEnv);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, aProgram.c_str(), &aActions, nullptr, Pointers(args).data(),
                                  Pointers(env).data());
    posix_spawn_file_actions_destroy(&aActions);
    if (rc != 0) {
        throw std::runtime_error("cannot start " + aProgram);
    }
    return pid;
}

// Feeds aStdin to aIn (when it is open) and drains aOut and aErr together, so that no
// pipe fills up, until both outputs end; closes all three. A terminal whose last
// writer has gone reads as an error rather than an end: either ends the output.
void Exchange(int aIn, const std::string& aStdin, int aOut, int aErr, TProcessResult& aResult) {
    ::signal(SIGPIPE, SIG_IGN);
    std::size_t fed = 0;
    int inFd = aIn;
    if (inFd >= 0 && aStdin.empty()) {
        ::close(inFd);
        inFd = -1;
    }
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3];
        int n = 0;
        if (outOpen) {
            fds[n++] = {aOut, POLLIN, 0};
        }
        if (errOpen) {
            fds[n++] = {aErr, POLLIN, 0};
        }
        if (inFd >= 0) {
            fds[n++] = {inFd, POLLOUT, 0};
        }
        if (::poll(fds, static_cast<nfds_t>(n), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < n; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            if (fds[i].fd == inFd) {
                const ssize_t w = ::write(inFd, aStdin.data() + fed, aStdin.size() - fed);
                if (w > 0) {
                    fed += static_cast<std::size_t>(w);
                }
                if (w < 0 || fed == aStdin.size()) {
                    ::close(inFd);
                    inFd = -1;
                }
                continue;
            }
            char buffer[65536];
            const ssize_t r = ::read(fds[i].fd, buffer, sizeof buffer);
            if (r <= 0) {
                (fds[i].fd == aOut ? outOpen : errOpen) = false;
            } else {
                (fds[i].fd == aOut ? aResult.Out : aResult.Err).append(buffer, r);
            }
        }
    }
    if (inFd >= 0) {
        ::close(inFd);
    }
    ::close(aOut);
    ::close(aErr);
}

int WaitForExit(pid_t aPid) {
    int status = 0;
    while (::waitpid(aPid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TProcessResult RunProcess(const std::string& aProgram, const std::vector<std::string>& aArgs,
                          const std::string& aStdin,
                          const std::map<std::string, std::optional<std::string>>& aEnv) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
        ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_t pid = 0;
    try {
        pid = Spawn(aProgram, aArgs, aEnv, actions);
    } catch (...) {
        for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            ::close(fd);
        }
        throw;
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    TProcessResult result;
    Exchange(in[1], aStdin, out[0], err[0], result);
    result.ExitCode = WaitForExit(pid);
    return result;
}

namespace {

// A pseudo-terminal without output processing: its controlling end, and the end a child
// is given (the caller closes both).
std::pair<int, int> OpenRawTerminal() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (terminal < 0 || ::tcgetattr(terminal, &mode) != 0) {
        throw std::runtime_error("cannot open the pseudo-terminal");
    }
    ::cfmakeraw(&mode); // no line feed turned into CR LF, no echo
    ::tcsetattr(terminal, TCSANOW, &mode);
    return {master, terminal};
}

} // namespace

TProcessResult RunCliOnTerminal(const std::vector<std::string>& aArgs,
                                const std::map<std::string, std::optional<std::string>>& aEnv) {
    const auto [master, terminal] = OpenRawTerminal();
    int err[2];
    if (::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, terminal, 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    const pid_t pid = Spawn(BRIVANE_CLI_PATH, aArgs, aEnv, actions);
    ::close(terminal); // the child holds the only other end now
    ::close(err[1]);
    TProcessResult result;
    Exchange(-1, {}, master, err[0], result);
    result.ExitCode = WaitForExit(pid);
    return result;
}

TProcessResult RunCliInTerminal(const std::vector<std::string>& aArgs, const std::string& aInput,
                                const std::map<std::string, std::optional<std::string>>& aEnv) {
    const auto [master, terminal] = OpenRawTerminal();
    // Typed ahead: the terminal keeps it until the program reads.
    if (!aInput.empty() &&
        ::write(master, aInput.data(), aInput.size()) != static_cast<ssize_t>(aInput.size())) {
        throw std::runtime_error("cannot type into the pseudo-terminal");
    }
    int none[2]; // nothing comes apart from the terminal
    if (::pipe2(none, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    ::close(none[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int stream : {0, 1, 2}) {
        posix_spawn_file_actions_adddup2(&actions, terminal, stream);
    }
    const pid_t pid = Spawn(BRIVANE_CLI_PATH, aArgs, aEnv, actions);
    ::close(terminal);
    TProcessResult result;
    Exchange(-1, {}, master, none[0], result);
    result.ExitCode = WaitForExit(pid);
    return result;
}

} // namespace brivane::test
