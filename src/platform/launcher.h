#pragma once
// Starting a downloaded program the way the user's desktop would open it, and waiting
// for it to end.
//
// Windows: the shell's execute call with the default verb; the process handle is kept.
// A launcher set with SetLauncherOverride or BRIVANE_LAUNCHER starts its words, the file
// and the parameters as a process of their own instead (reading nothing, writing to
// FILE.log), with BRIVANE_REGISTRY handed on when the registry is read from files.
// Linux: posix_spawn of a command line chosen by the file's kind:
//   - a launcher set with SetLauncherOverride: its words, then the file, then the
//     parameters (the demo runs its installers so);
//   - BRIVANE_LAUNCHER set: its words, then the file, then the parameters
//     (BRIVANE_LAUNCHER=/bin/sh runs a shell script as the "installer");
//   - ".exe" with Wine installed: wine FILE PARAMETERS...;
//   - ".msi" with Wine installed: wine msiexec /i FILE PARAMETERS...;
//   - anything else: xdg-open FILE (the desktop picks the program; it takes no parameters).
// When the registry is read from a Wine prefix, the program runs in that prefix
// (WINEPREFIX), and BRIVANE_REGISTRY names the registry source for the child, so what
// an installer records is what the next inventory reads. The child reads nothing, writes
// its output to FILE.log beside the file, and has a process group of its own (Ctrl+C in
// our terminal does not reach it).

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace brivane::platform {

// A program started by StartProgram.
class IStartedProcess {
public:
    virtual ~IStartedProcess() = default;

    // Waits up to aTimeOut for the process to end; kWaitForever waits without limit and
    // a zero time-out only looks. True when it has ended (also when it cannot be waited
    // for any more), false when the time ran out. Safe to call again after it ended.
    virtual bool Wait(std::chrono::milliseconds aTimeOut) = 0;

    // The process's exit code once Wait returned true; -1 while it runs, when it was
    // ended by a signal, or when the system did not say.
    virtual int ExitCode() const = 0;
};

inline constexpr std::chrono::milliseconds kWaitForever{-1};

struct TStartResult {
    std::shared_ptr<IStartedProcess> Process; // null when nothing was started
    std::string Error;                        // why, when Process is null
};

// The command that opens every file from now on, in place of the choice above: its
// words, which the file and the parameters follow. An empty command ends the override.
void SetLauncherOverride(std::vector<std::string> aCommand);

// Opens aFile as the desktop would (no verb, no elevation of our own), passing
// aParameters where the way of opening it takes any.
TStartResult StartProgram(const std::filesystem::path& aFile,
                          const std::vector<std::string>& aParameters = {});

} // namespace brivane::platform
