#pragma once
// The command line of brivane: the options it shares with brivane-cli (--registry,
// --hosts, --beta, --shareware), --demo (the window against the demo world, see
// demo/demo_world.h), --screenshot, and the controller's start arguments ("debug"
// followed by a display name narrows the catalogue to that entry). --demo-installer FILE,
// not an option for people, makes the program the demo's launcher: it runs the demo
// installer and ends without a window.

#include <stdexcept>
#include <string>
#include <vector>

namespace brivane::ui {

struct TStartOptions {
    std::string Registry;
    std::string Hosts;
    bool Beta = false;
    bool Shareware = false;
    bool Demo = false;
    std::string DemoInstaller;
    std::string Screenshot;
    std::vector<std::string> Arguments;
};

// Why the program does not start: the text to print and the exit code (0 after --help).
class EStartError : public std::runtime_error {
public:
    EStartError(const std::string& aText, int aExitCode)
        : std::runtime_error(aText), fExitCode(aExitCode) {}
    int ExitCode() const { return fExitCode; }

private:
    int fExitCode;
};

inline constexpr int kExitBadInput = 2;

// Throws EStartError.
TStartOptions ParseStartOptions(int aArgc, const char* const* aArgv);

// Installs the host map and the registry source (the demo world makes its own). Throws
// EStartError on bad input.
void ApplyStartOptions(const TStartOptions& aOptions);

} // namespace brivane::ui
