#include "support/run_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
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

    std::vector<std::string> args{aProgram};
    args.insert(args.end(), aArgs.begin(), aArgs.end());
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> env = BuildEnvironment(aEnv);
    std::vector<char*> envp;
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int rc =
        ::posix_spawnp(&pid, aProgram.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    if (rc != 0) {
        ::close(in[1]);
        ::close(out[0]);
        ::close(err[0]);
        throw std::runtime_error("cannot start " + aProgram);
    }

    // Feed standard input and drain both outputs together so that no pipe fills up.
    ::signal(SIGPIPE, SIG_IGN);
    TProcessResult result;
    std::size_t fed = 0;
    int inFd = in[1];
    if (aStdin.empty()) {
        ::close(inFd);
        inFd = -1;
    }
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[3];
        int n = 0;
        if (outOpen) {
            fds[n++] = {out[0], POLLIN, 0};
        }
        if (errOpen) {
            fds[n++] = {err[0], POLLIN, 0};
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
                (fds[i].fd == out[0] ? outOpen : errOpen) = false;
            } else {
                (fds[i].fd == out[0] ? result.Out : result.Err).append(buffer, r);
            }
        }
    }
    if (inFd >= 0) {
        ::close(inFd);
    }
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

TProcessResult RunCli(const std::vector<std::string>& aArgs, const std::string& aStdin,
                      const std::map<std::string, std::optional<std::string>>& aEnv) {
    return RunProcess(BRIVANE_CLI_PATH, aArgs, aStdin, aEnv);
}

} // namespace brivane::test
