// brivane-cli version-of FILE: the version record of a local executable.

#include "cli/commands.h"
#include "cli/version_info_output.h"
#include "pe/byte_range_source.h"
#include "pe/executable_resources.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace brivane::cli {

void RegisterVersionOfCommand(CLI::App& aApp) {
    struct TOptions {
        std::string File;
        bool Json = false;
    };
    auto options = std::make_shared<TOptions>();
    CLI::App* command =
        aApp.add_subcommand("version-of", "Print the version information of a local executable");
    command->add_option("FILE", options->File, "The executable")->required();
    command->add_flag("--json", options->Json, "Print JSON");
    command->callback([options] {
        const auto source = platform::OpenFileRangeSource(options->File);
        if (!source) {
            throw TCliError("Cannot read '" + options->File + "'");
        }
        TFileVersionInfo info;
        try {
            ReadFileVersionInfo(*source, info);
        } catch (const TConversionError& e) {
            throw TCliError(options->File + ": " + e.what(), kExitFailure);
        }
        PrintVersionInfo(std::cout, info, 0, 0, options->Json);
    });
}

} // namespace brivane::cli
