// brivane-cli version-of FILE: the version record of a local executable.

#include "cli/commands.h"
#include "cli/version_info_output.h"
#include "pe/byte_range_source.h"
#include "pe/executable_reader.h"
#include "pe/executable_resources.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

// Why a file cannot be opened for reading.
std::string OpenFailure(const std::string& aFile) {
    std::error_code error;
    const auto status = std::filesystem::status(aFile, error);
    if (!std::filesystem::exists(status)) {
        return "no such file";
    }
    return std::filesystem::is_regular_file(status) ? "cannot be read" : "not a regular file";
}

} // namespace

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
        const std::string& file = options->File;
        const auto source = platform::OpenFileRangeSource(file);
        if (!source) {
            throw TCliError(file + ": " + OpenFailure(file));
        }
        TFileVersionInfo info;
        try {
            if (!ReadFileVersionInfo(*source, info)) {
                TExecutableReader image(*source);
                const bool executable = image.ReadHeaders() || !image.Sections().empty();
                throw TCliError(file + (executable ? ": has no version information"
                                                   : ": not a Windows executable"),
                                kExitFailure);
            }
        } catch (const TConversionError& e) {
            throw TCliError(file + ": " + e.what(), kExitFailure);
        }
        PrintVersionInfo(std::cout, info, 0, 0, options->Json);
    });
}

} // namespace brivane::cli
