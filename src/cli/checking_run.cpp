#include "cli/checking_run.h"

#include "app/controller.h"
#include "app/run_settings.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "cli/commands.h"
#include "cli/hosts_option.h"
#include "cli/registry_option.h"
#include "cli/run_settings.h"
#include "tasks/main_thread.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <stdexcept>

namespace brivane::cli {

void AddCheckingOptions(CLI::App& aCommand, TCheckingOptions& aOptions) {
    aCommand.add_flag("--beta", aOptions.Beta, "offer pre-release versions (this run only)");
    aCommand.add_flag("--shareware", aOptions.Shareware, "show paid programs (this run only)");
    AddRegistryOption(aCommand, aOptions.Registry);
    AddHostsOption(aCommand, aOptions.Hosts);
}

std::unique_ptr<TRunSettings> ApplyCheckingOptions(const TCheckingOptions& aOptions) {
    ApplyHostsOption(aOptions.Hosts);
    ApplyRegistryOption(aOptions.Registry);
    return ReadRunSettings(aOptions.Beta, aOptions.Shareware);
}

std::vector<TBaseSoftware*> FindNames(const TController& aController,
                                      const std::vector<std::string>& aNames) {
    const auto catalogue = aController.GetSoftwareList();
    std::vector<TBaseSoftware*> entries;
    for (const auto& name : aNames) {
        const auto found =
            std::find_if(catalogue.begin(), catalogue.end(), [&name](const auto* aSoftware) {
                return SameText(aSoftware->Info().Name(), name);
            });
        if (found == catalogue.end()) {
            throw TCliError("Not in the catalogue: " + name);
        }
        entries.push_back(*found);
    }
    return entries;
}

std::unique_ptr<TController> MakeCheckingController(const TRunSettings& aSettings,
                                                    const std::vector<std::string>& aNames) {
    TControllerOptions options;
    options.Config = aSettings.Config();
    options.CatalogueFilter = aNames;
    auto controller = std::make_unique<TController>(std::move(options));
    RegisterCatalogue(*controller);
    FindNames(*controller, aNames);
    return controller;
}

std::shared_ptr<TWakingMainLoop> CliMainLoop() {
    auto loop = std::dynamic_pointer_cast<TWakingMainLoop>(MainThreadDispatcher());
    if (!loop) {
        throw std::logic_error("the command needs the waking main loop of brivane-cli");
    }
    return loop;
}

void RunUntilIdle(TWakingMainLoop& aLoop, TController& aController, const std::string& aFailure) {
    if (!aLoop.RunUntil([&aController] { return aController.Idle(); },
                        std::chrono::milliseconds(50))) {
        throw TCliError(aFailure, kExitFailure);
    }
}

} // namespace brivane::cli
