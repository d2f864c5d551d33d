#pragma once
// Installers for tests: files that the product downloads and starts as it would a
// publisher's installer, and that do what the test plans.
// POSIX: a shell script, which the product runs through BRIVANE_LAUNCHER=/bin/sh.
// Windows: a copy of a small program of the tests' own with the plan appended after its
// image, which the product starts through the shell as any downloaded program.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace brivane::test {

struct TInstallerPlan {
    // The program it installs: "start NAME TIME" and "end NAME TIME" (nanoseconds since
    // 1970) in Log around half a second of work, in which it appends NAME's uninstall
    // record with DisplayName and Version to the registry file the product reads. An
    // empty Name installs nothing. The script finds that file in BRIVANE_REGISTRY, which
    // the product's launcher hands on; the shell that starts the program on Windows
    // hands on nothing of ours, so the program is told Registry.
    std::string Name = {};
    std::string DisplayName = {};
    std::string Version = {};
    std::filesystem::path Log = {};
    std::filesystem::path Registry = {};
    // Writes the words it was started with, one a line, to "<itself>.arguments".
    bool WritesArguments = false;
    int ExitCode = 0;
    std::size_t Padding = 0; // bytes that make it larger
};

// The installer's bytes, as a server sends them.
std::string MakeInstaller(const TInstallerPlan& aPlan);

// The value of BRIVANE_LAUNCHER under which the product starts these installers:
// "/bin/sh" on POSIX; none on Windows, where the shell starts them.
std::optional<std::string> InstallerLauncher();

// An installer's exit code for "done, restart required" as the product sees it: 3010 on
// Windows, its low byte (194) through a POSIX exit status.
int RestartRequiredExitCode();

// Whether the product keeps what an installer writes to its output in "<installer>.log"
// beside it: POSIX's launcher does; a program the Windows shell starts has no console.
bool InstallerOutputIsLogged();

// Waits until every process running a program from aFolder, or started with a file from
// it, has ended: an installer that the product started and left running.
void WaitForProgramsFrom(const std::filesystem::path& aFolder);

} // namespace brivane::test
