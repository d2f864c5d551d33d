#include "cli/registry_option.h"

#include "cli/commands.h"
#include "platform/registry_source.h"

#include <CLI/CLI.hpp>

#include <filesystem>

namespace brivane::cli {

void AddRegistryOption(CLI::App& aCommand, std::string& aPath) {
    aCommand.add_option("--registry", aPath,
                        "a Wine prefix folder or an exported .reg file to read");
}

void ApplyRegistryOption(const std::string& aPath) {
    if (aPath.empty()) {
        return;
    }
    std::error_code error;
    const auto status = std::filesystem::status(aPath, error);
    if (!std::filesystem::exists(status)) {
        throw TCliError("No registry file or Wine prefix at " + aPath);
    }
    if (!std::filesystem::is_directory(status) && !std::filesystem::is_regular_file(status)) {
        throw TCliError("Not a registry file or Wine prefix folder: " + aPath);
    }
    platform::SetRegistryPathOverride(aPath);
}

} // namespace brivane::cli
