// brivane-cli probe URL: the version record of a remote executable, read through
// range requests, and what reading it cost.

#include "catalogue/remote_file_info.h"
#include "cli/commands.h"
#include "cli/hosts_option.h"
#include "cli/version_info_output.h"
#include "net/net_errors.h"
#include "net/uri.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace brivane::cli {

void RegisterProbeCommand(CLI::App& aApp) {
    struct TOptions {
        std::string URL;
        std::string Hosts;
        bool Json = false;
    };
    auto options = std::make_shared<TOptions>();
    CLI::App* command = aApp.add_subcommand(
        "probe", "Read the version information of a remote executable through range requests");
    command->add_option("URL", options->URL, "http or https address of the executable")->required();
    AddHostsOption(*command, options->Hosts);
    command->add_flag("--json", options->Json, "Print JSON");
    command->callback([options] {
        try {
            const auto scheme = net::TURI::Parse(options->URL).Scheme;
            if (scheme != "http" && scheme != "https") {
                throw TCliError("Not an http or https address: " + options->URL);
            }
        } catch (const net::ENetURIException& e) {
            throw TCliError(e.what());
        }
        ApplyHostsOption(options->Hosts);
        TRemoteFileInfo probe(options->URL);
        try {
            probe.GetInfo(false, false);
        } catch (const TConversionError& e) {
            throw TCliError(options->URL + ": " + e.what(), kExitFailure);
        }
        PrintVersionInfo(std::cout, probe.FileVersionInfo(), probe.Requests(), probe.Bytes(),
                         options->Json);
    });
}

} // namespace brivane::cli
