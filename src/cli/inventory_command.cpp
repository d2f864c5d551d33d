// brivane-cli inventory: the system facts and the installed applications, as the
// catalogue entries see them.

#include "catalogue/os_information.h"
#include "catalogue/software_information.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/registry_option.h"
#include "platform/registry.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

struct TInventoryOptions {
    std::string fRegistry;
    bool fJson = false;
};

nlohmann::ordered_json SystemJson(const TOSInformation& aSystem) {
    return {{"Name", aSystem.fName},
            {"Version", aSystem.fVersion},
            {"ServicePack", aSystem.fServicePack},
            {"Is64Bit", aSystem.fIs64Bit},
            {"Edition", aSystem.fEdition},
            {"SystemLanguage", aSystem.fSystemLanguage}};
}

void PrintInventory(const TOSInformation& aSystem, bool aIsWindows64,
                    const std::vector<TApplicationItem>& aItems, bool aJson) {
    if (aJson) {
        nlohmann::ordered_json applications = nlohmann::ordered_json::array();
        for (const auto& item : aItems) {
            applications.push_back({{"Name", item.Name},
                                    {"Version", item.Version},
                                    {"Icon", item.Icon},
                                    {"InstallLocation", item.InstallLocation},
                                    {"UninstallString", item.UninstallString}});
        }
        PrintJson(std::cout, {{"system", SystemJson(aSystem)},
                              {"isWindows64", aIsWindows64},
                              {"applications", std::move(applications)}});
        return;
    }
    TTable system({"System", ""});
    system.AddRow({"Name", aSystem.fName});
    system.AddRow({"Version", aSystem.fVersion});
    system.AddRow({"Service pack", aSystem.fServicePack});
    system.AddRow({"Edition", aSystem.fEdition});
    system.AddRow({"64-bit", aSystem.fIs64Bit ? "yes" : "no"});
    system.AddRow({"Language", aSystem.fSystemLanguage});
    system.AddRow({"Windows 64-bit", aIsWindows64 ? "yes" : "no"});
    system.Print(std::cout);
    std::cout << '\n';
    TTable table({"Name", "Version", "Icon", "Install location", "Uninstall string"});
    for (const auto& item : aItems) {
        table.AddRow(
            {item.Name, item.Version, item.Icon, item.InstallLocation, item.UninstallString});
    }
    table.Print(std::cout);
}

void RunInventory(const TInventoryOptions& aOptions) {
    ApplyRegistryOption(aOptions.fRegistry);
    // One reading of the registry serves the facts and the inventory alike.
    const std::shared_ptr<platform::IRegistry> registry = platform::OpenRegistry();
    if (const auto warnings = registry->GetWarnings(); !warnings.empty()) {
        std::string line;
        for (const auto& warning : warnings) {
            line += (line.empty() ? "" : "; ") + warning;
        }
        std::cerr << "brivane-cli: warning: " << line << '\n';
    }
    const TOSInformation system = TOSInformation::Create(*registry);
    const TSoftwareInformation software([&registry] { return registry; });
    PrintInventory(system, software.IsWindows64(), *software.GetApplications(), aOptions.fJson);
}

} // namespace

void RegisterInventoryCommand(CLI::App& aApp) {
    auto options = std::make_shared<TInventoryOptions>();
    CLI::App* command =
        aApp.add_subcommand("inventory", "Show the system and the installed applications");
    AddRegistryOption(*command, options->fRegistry);
    command->add_flag("--json", options->fJson, "Print JSON");
    command->callback([options] { RunInventory(*options); });
}

} // namespace brivane::cli
