#pragma once
// Each subcommand of brivane-cli registers itself on the application here.
// A command's callback throws TCliError for bad input; main turns it into one
// line on standard error and its exit code.

#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

namespace brivane::cli {

// Exit codes shared by all subcommands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the operation ran and failed (a request, say)
inline constexpr int kExitBadInput = 2;

// brivane-cli config list | get KEY | set KEY VALUE: the settings store.
void RegisterConfigCommand(CLI::App& aApp);

// brivane-cli version-of FILE [--json]: the version record of a local executable.
void RegisterVersionOfCommand(CLI::App& aApp);

// brivane-cli probe URL [--json]: the version record of a remote executable and its cost.
void RegisterProbeCommand(CLI::App& aApp);

class TCliError : public std::runtime_error {
public:
    TCliError(const std::string& aMessage, int aExitCode = kExitBadInput)
        : std::runtime_error(aMessage), fExitCode(aExitCode) {}
    int ExitCode() const { return fExitCode; }

private:
    int fExitCode;
};

// brivane-cli match PATTERN [--options N] [--all] [--json]
void RegisterMatchCommand(CLI::App& aApp);

// brivane-cli fetch URL [--head] [--post F]... [--range A-B] [--no-redirects] [--hosts FILE]
// [--json]
void RegisterFetchCommand(CLI::App& aApp);
// brivane-cli inventory [--registry PATH] [--json]
void RegisterInventoryCommand(CLI::App& aApp);

// brivane-cli check [NAME...] [--beta] [--shareware] [--registry PATH] [--hosts FILE] [--json]
void RegisterCheckCommand(CLI::App& aApp);

// brivane-cli list [--beta] [--shareware] [--registry PATH] [--json]
void RegisterListCommand(CLI::App& aApp);
// brivane-cli self-update [--check] [--yes] [--hosts FILE] | --sign KEY INSTALLER | --keygen KEY
void RegisterSelfUpdateCommand(CLI::App& aApp);
// The exit code of self-update --check when a newer build is offered.
inline constexpr int kExitUpdateOffered = 10;

// brivane-cli install [NAME...] [--all] [--yes] [--beta] [--shareware] [--registry PATH]
// [--hosts FILE] [--json]
void RegisterInstallCommand(CLI::App& aApp);

// brivane-cli demo [--json] [--keep DIR], and demo-installer FILE, the demo's launcher
void RegisterDemoCommand(CLI::App& aApp);

} // namespace brivane::cli
