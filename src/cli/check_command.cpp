// brivane-cli check: the program's start sequence without its window. It reads the
// inventory, checks the installed catalogue entries (the update pass), checks the others
// (the library pass) to the end and prints the Updates, Actuals and Library lists.

#include "app/controller.h"
#include "app/localization.h"
#include "app/settings.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/hosts_option.h"
#include "cli/lists_output.h"
#include "cli/progress_bar.h"
#include "cli/registry_option.h"
#include "cli/run_settings.h"
#include "tasks/main_thread.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

struct TCheckOptions {
    std::vector<std::string> Names;
    bool Beta = false;
    bool Shareware = false;
    std::string Registry;
    std::string Hosts;
    bool Json = false;
};

void RunCheck(const TCheckOptions& aOptions) {
    ApplyHostsOption(aOptions.Hosts);
    ApplyRegistryOption(aOptions.Registry);
    const TRunSettings settings(aOptions.Beta, aOptions.Shareware);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = CliMainLoop();
    TConsoleView view(bar);
    const auto controller = MakeCheckingController(settings, aOptions.Names);

    controller->HandleOnStart(view);
    RunUntilIdle(*loop, *controller, "The check was interrupted");
    bar.Clear();
    PrintLists(*controller, view, aOptions.Json);
}

} // namespace

void RegisterCheckCommand(CLI::App& aApp) {
    auto options = std::make_shared<TCheckOptions>();
    auto* command = aApp.add_subcommand(
        "check", "Check the installed programs and the catalogue online and list the results");
    command->add_option("NAME", options->Names,
                        "check only these catalogue programs (any letter case)");
    AddCheckingOptions(*command, options->Beta, options->Shareware, options->Registry,
                       options->Hosts);
    command->add_flag("--json", options->Json, "print the three lists as JSON");
    command->callback([options] { RunCheck(*options); });
}

} // namespace brivane::cli
