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

// The members of the system's JSON whose values the registry does not record.
std::vector<std::string> AssumedMembers(const TOSInformation& aSystem) {
    std::vector<std::string> members;
    if (aSystem.fVersionAssumed) {
        members.insert(members.end(), {"Name", "Version", "ServicePack", "Edition"});
    }
    if (aSystem.fIs64BitAssumed) {
        members.emplace_back("Is64Bit");
    }
    if (aSystem.fLanguageAssumed) {
        members.emplace_back("SystemLanguage");
    }
    return members;
}

nlohmann::ordered_json SystemJson(const TOSInformation& aSystem) {
    return {{"Name", aSystem.fName},
            {"Version", aSystem.fVersion},
            {"ServicePack", aSystem.fServicePack},
            {"Is64Bit", aSystem.fIs64Bit},
            {"Edition", aSystem.fEdition},
            {"SystemLanguage", aSystem.fSystemLanguage},
            {"Assumed", AssumedMembers(aSystem)}};
}

// A value of the system table, marked when the registry does not record it.
std::string Fact(const std::string& aValue, bool aAssumed) {
    if (!aAssumed) {
        return aValue;
    }
    return aValue.empty() ? "(assumed)" : aValue + " (assumed)";
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
    const bool version = aSystem.fVersionAssumed;
    const bool bits = aSystem.fIs64BitAssumed;
    TTable system({"System", ""});
    system.AddRow({"Name", Fact(aSystem.fName, version)});
    system.AddRow({"Version", Fact(aSystem.fVersion, version)});
    system.AddRow({"Service pack", Fact(aSystem.fServicePack, version)});
    system.AddRow({"Edition", Fact(aSystem.fEdition, version)});
    system.AddRow({"64-bit", Fact(aSystem.fIs64Bit ? "yes" : "no", bits)});
    system.AddRow({"Language", Fact(aSystem.fSystemLanguage, aSystem.fLanguageAssumed)});
    system.AddRow({"Windows 64-bit", Fact(aIsWindows64 ? "yes" : "no", bits)});
    system.Print(std::cout);
    if (version || bits) {
        std::cout << "(assumed): not recorded in the registry read; the defaults (a 64-bit "
                     "Windows 10 workstation) stand in.\n";
    }
    if (aSystem.fLanguageAssumed) {
        std::cout << "(assumed) language: not recorded in the registry read; this computer's "
                     "locale stands in.\n";
    }
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
