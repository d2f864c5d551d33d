// brivane-cli probe URL: the version record of a remote executable, read through
// range requests, and what reading it cost.

#include "catalogue/remote_file_info.h"
#include "cli/commands.h"
#include "cli/hosts_option.h"
#include "cli/version_info_output.h"
#include "cli/web_address.h"

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
        RequireWebAddress(options->URL);
        ApplyHostsOption(options->Hosts);
        TRemoteFileInfo probe(options->URL);
        try {
            probe.GetInfo(false, false);
        } catch (const TConversionError& e) {
            throw TCliError(options->URL + ": " + e.what(), kExitFailure);
        }
        if (!probe.HasVersionInfo()) {
            // An answer that is no executable is most often an error page or no answer.
            std::string reason =
                probe.IsExecutable() ? "has no version information" : probe.ReadFailure();
            if (reason.empty()) {
                reason = "not a Windows executable";
            }
            throw TCliError(options->URL + ": " + reason, kExitFailure);
        }
        PrintVersionInfo(std::cout, probe.FileVersionInfo(), probe.Requests(), probe.Bytes(),
                         options->Json);
    });
}

} // namespace brivane::cli
