#include "ui/start_options.h"

#include "base/identity.h"
#include "net/host_map.h"
#include "platform/registry_source.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <sstream>

namespace brivane::ui {

TStartOptions ParseStartOptions(int aArgc, const char* const* aArgv) {
    TStartOptions options;
    CLI::App app{"Brivane keeps the programs on this computer up to date.", "brivane"};
    app.set_version_flag("--version", std::string("Brivane ") + kProgramVersion + " build " +
                                          std::to_string(kProgramBuild));
    auto* registry = app.add_option("--registry", options.Registry,
                                    "a Wine prefix folder or an exported .reg file to read");
    auto* hosts =
        app.add_option("--hosts", options.Hosts,
                       "JSON file mapping origins to replacement bases (else BRIVANE_HOSTS)");
    app.add_flag("--demo", options.Demo,
                 "show the program offline: a demo machine against a local copy of every "
                 "publisher's site, in a temporary data folder")
        ->excludes(registry)
        ->excludes(hosts);
    app.add_option("--demo-installer", options.DemoInstaller, "run a demo installer file")
        ->group("");
    app.add_flag("--beta", options.Beta, "offer pre-release versions (this run only)");
    app.add_flag("--shareware", options.Shareware, "show paid programs (this run only)");
    app.add_option("--screenshot", options.Screenshot,
                   "save the window as PNG once the lists are shown, then quit");
    app.add_option("ARGS", options.Arguments,
                   "\"debug NAME\": check only the catalogue program of that name");
    try {
        app.parse(aArgc, aArgv);
    } catch (const CLI::Success& e) {
        // --help or --version: what CLI11 prints for them.
        std::ostringstream text;
        app.exit(e, text, text);
        auto message = text.str();
        while (!message.empty() && message.back() == '\n') {
            message.pop_back();
        }
        throw EStartError(message, 0);
    } catch (const CLI::ParseError& e) {
        throw EStartError(e.what(), kExitBadInput);
    }
    return options;
}

void ApplyStartOptions(const TStartOptions& aOptions) {
    if (aOptions.Demo) {
        return;
    }
    try {
        if (aOptions.Hosts.empty()) {
            net::CurrentHostMap();
        } else {
            net::SetHostMap(
                std::make_shared<const net::THostMap>(net::THostMap::LoadFile(aOptions.Hosts)));
        }
    } catch (const net::EHostMapError& e) {
        throw EStartError(e.what(), kExitBadInput);
    }
    if (aOptions.Registry.empty()) {
        return;
    }
    std::error_code error;
    const auto status = std::filesystem::status(aOptions.Registry, error);
    if (!std::filesystem::is_directory(status) && !std::filesystem::is_regular_file(status)) {
        throw EStartError("No registry file or Wine prefix at " + aOptions.Registry, kExitBadInput);
    }
    platform::SetRegistryPathOverride(aOptions.Registry);
}

} // namespace brivane::ui
