#include "platform/launcher.h"

#include "base/unicode.h"
#include "platform/launcher_command.h"
#include "platform/registry_source.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace brivane::platform {

namespace {

// An executable named aName in one of PATH's folders.
std::optional<std::filesystem::path> FindInPath(std::string_view aName) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : folder) / aName;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindWine() {
    if (auto wine = FindInPath("wine")) {
        return wine;
    }
    return FindInPath("wine64");
}

// The command line that opens aFile; see launcher.h for the choice.
std::vector<std::string> CommandLine(const std::filesystem::path& aFile,
                                     const std::vector<std::string>& aParameters) {
    std::vector<std::string> command = LauncherCommand();
    const std::string extension = LowerCase(aFile.extension().string());
    bool takesParameters = true;
    if (!command.empty()) {
        // The override or BRIVANE_LAUNCHER decides alone.
    } else if (const auto wine = FindWine(); wine && extension == ".exe") {
        command = {wine->string()};
    } else if (wine && extension == ".msi") {
        command = {wine->string(), "msiexec", "/i"};
    } else {
        command = {"xdg-open"};
        takesParameters = false;
    }
    command.push_back(aFile.string());
    if (takesParameters) {
        command.insert(command.end(), aParameters.begin(), aParameters.end());
    }
    return command;
}

// The environment of the child: ours, with the registry source handed on so an
// installer writes where the next inventory reads.
std::vector<std::string> ChildEnvironment() {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string_view::npos) {
            variables[std::string(text.substr(0, equals))] = std::string(text.substr(equals + 1));
        }
    }
    const TRegistrySource source = GetRegistrySource();
    std::error_code ec;
    if (source.fKind == TRegistrySourceKind::WinePrefix ||
        source.fKind == TRegistrySourceKind::ExportFile) {
        const std::filesystem::path path = std::filesystem::absolute(source.fPath, ec);
        variables["BRIVANE_REGISTRY"] = (ec ? source.fPath : path).string();
        if (source.fKind == TRegistrySourceKind::WinePrefix) {
            variables["WINEPREFIX"] = variables["BRIVANE_REGISTRY"];
        }
    }
    std::vector<std::string> result;
    result.reserve(variables.size());
    for (const auto& [name, value] : variables) {
        result.push_back(name + "=" + value);
    }
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& aTexts) {
    std::vector<char*> pointers;
    pointers.reserve(aTexts.size() + 1);
    for (auto& text : aTexts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

class TSpawnedProcess final : public IStartedProcess {
public:
    explicit TSpawnedProcess(pid_t aPid)
        : fPid(aPid), fPidFd(static_cast<int>(syscall(SYS_pidfd_open, aPid, 0))) {}

    ~TSpawnedProcess() override {
        if (!fEnded) {
            Reap(WNOHANG); // one still running is left to itself, as the desktop would
        }
        if (fPidFd >= 0) {
            close(fPidFd);
        }
    }

    bool Wait(std::chrono::milliseconds aTimeOut) override {
        const std::lock_guard lock(fLock);
        if (fEnded) {
            return true;
        }
        if (aTimeOut < std::chrono::milliseconds::zero()) {
            return Reap(0);
        }
        if (Reap(WNOHANG)) {
            return true;
        }
        if (fPidFd >= 0) {
            // The descriptor becomes readable when the process ends.
            pollfd descriptor{fPidFd, POLLIN, 0};
            const auto limit = std::min<std::int64_t>(aTimeOut.count(), INT32_MAX);
            while (poll(&descriptor, 1, static_cast<int>(limit)) < 0 && errno == EINTR) {
            }
            return Reap(WNOHANG);
        }
        // Kernels without process descriptors: look at the process now and then.
        const auto deadline = std::chrono::steady_clock::now() + aTimeOut;
        while (std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (Reap(WNOHANG)) {
                return true;
            }
        }
        return false;
    }

    int ExitCode() const override {
        const std::lock_guard lock(fLock);
        return fExitCode;
    }

private:
    // True when the process has ended (or can no longer be waited for).
    bool Reap(int aOptions) {
        int status = 0;
        pid_t result = 0;
        do {
            result = waitpid(fPid, &status, aOptions);
        } while (result < 0 && errno == EINTR);
        if (result == 0) {
            return false;
        }
        fEnded = true;
        if (result > 0 && WIFEXITED(status)) {
            fExitCode = WEXITSTATUS(status);
        }
        return true;
    }

    const pid_t fPid;
    const int fPidFd;
    mutable std::mutex fLock;
    bool fEnded = false;
    int fExitCode = -1;
};

} // namespace

TStartResult StartProgram(const std::filesystem::path& aFile,
                          const std::vector<std::string>& aParameters) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(aFile, ec)) {
        return {nullptr, "no such file: " + aFile.string()};
    }
    std::vector<std::string> command = CommandLine(aFile, aParameters);
    std::vector<std::string> environment = ChildEnvironment();
    auto argv = Pointers(command);
    auto envp = Pointers(environment);

    // The child starts with default signal handling and no blocked signals, whatever
    // the front end set up for itself (Ctrl+C handling, ignored SIGPIPE).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGPIPE, SIGHUP, SIGQUIT, SIGCHLD}) {
        sigaddset(&defaults, signal);
    }
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);

    // A process group of its own: Ctrl+C in our terminal is for us (we cancel cleanly),
    // never a signal that kills an installer half-way.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                              POSIX_SPAWN_SETPGROUP);

    // Nothing to read, and what it writes goes to its log: our own output (progress bars,
    // JSON) stays ours.
    std::filesystem::path log = aFile;
    log += ".log";
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&streams, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    posix_spawn_file_actions_adddup2(&streams, STDOUT_FILENO, STDERR_FILENO);

    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &streams, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&streams);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return {nullptr,
                "cannot start " + command.front() + ": " + std::generic_category().message(error)};
    }
    return {std::make_shared<TSpawnedProcess>(pid), {}};
}

} // namespace brivane::platform
