#include "support/test_installer.h"

#include "support/registry_fixtures.h"

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace brivane::test {

std::string MakeInstaller(const TInstallerPlan& aPlan) {
    std::string script;
    if (aPlan.Padding > 0) {
        script += "#" + std::string(aPlan.Padding, '-') + "\n";
    }
    if (!aPlan.Name.empty()) {
        const std::string log = aPlan.Log.string();
        const std::string& name = aPlan.Name;
        script += "echo 'setup of " + name + " running'\n" + "echo \"start " + name +
                  " $(date +%s%N)\" >> '" + log + "'\n" + "sleep 0.5\n" +
                  // A quoted delimiter keeps the record's backslashes as they are.
                  "cat >> \"$BRIVANE_REGISTRY\" <<'RECORD'\n\n" +
                  UninstallRecordText(name, aPlan.DisplayName, aPlan.Version) + "RECORD\n" +
                  "echo \"end " + name + " $(date +%s%N)\" >> '" + log + "'\n";
    }
    if (aPlan.WritesArguments) {
        script += "printf '%s\\n' \"$@\" > \"$0.arguments\"\n";
    }
    if (aPlan.ExitCode != 0) {
        script += "exit " + std::to_string(aPlan.ExitCode) + "\n";
    }
    return script;
}

std::optional<std::string> InstallerLauncher() {
    return "/bin/sh";
}

int RestartRequiredExitCode() {
    return 3010 & 0xff;
}

bool InstallerOutputIsLogged() {
    return true;
}

void WaitForProgramsFrom(const std::filesystem::path& aFolder) {
    const std::string prefix = aFolder.string() + "/";
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        // The words it was started with, each ended by a NUL; empty once it has ended.
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        const std::string words{std::istreambuf_iterator<char>(file), {}};
        bool fromFolder = false;
        for (std::size_t start = 0; start < words.size();) {
            const std::size_t end = std::min(words.find('\0', start), words.size());
            fromFolder |= std::string_view(words).substr(start, end - start).starts_with(prefix);
            start = end + 1;
        }
        if (!fromFolder) {
            continue;
        }
        // Not our child: a process descriptor says when it ends.
        const int process = static_cast<int>(syscall(SYS_pidfd_open, std::stoi(pid), 0));
        if (process < 0) {
            continue; // ended already
        }
        pollfd ended{process, POLLIN, 0};
        while (poll(&ended, 1, -1) < 0 && errno == EINTR) {
        }
        close(process);
    }
}

} // namespace brivane::test
