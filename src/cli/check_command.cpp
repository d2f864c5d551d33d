// brivane-cli check: the program's start sequence without its window. It reads the
// inventory, checks the installed catalogue entries (the update pass), checks the others
// (the library pass) to the end and prints the Updates, Actuals and Library lists, each
// row with the Problem that kept its check from finding a version, and a summary line on
// standard error. With --trace it also prints what the named entries' checks did.

#include "app/controller.h"
#include "app/localization.h"
#include "app/run_settings.h"
#include "app/settings.h"
#include "base/unicode.h"
#include "catalogue/base_software.h"
#include "catalogue/catalogue_table.h"
#include "cli/check_report.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/lists_output.h"
#include "cli/progress_bar.h"
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
    TCheckingOptions Checking;
    bool Json = false;
    bool Trace = false;
};

void RunCheck(const TCheckOptions& aOptions) {
    const auto settings = ApplyCheckingOptions(aOptions.Checking);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = CliMainLoop();
    TConsoleView view(bar);
    const auto controller = MakeCheckingController(*settings, aOptions.Names);
    std::vector<const TBaseSoftware*> traced;
    for (auto* entry : FindNames(*controller, aOptions.Names)) {
        if (aOptions.Trace && std::find(traced.begin(), traced.end(), entry) == traced.end()) {
            entry->SetTraceSteps(true);
            traced.push_back(entry);
        }
    }

    controller->HandleOnStart(view);
    RunUntilIdle(*loop, *controller, "The check was interrupted");
    bar.Clear();
    PrintLists(*controller, view, aOptions.Json, traced);
    std::cerr << CheckSummary(view.Updates(), view.Actuals(), view.Programs()) << std::endl;
}

} // namespace

void RegisterCheckCommand(CLI::App& aApp) {
    auto options = std::make_shared<TCheckOptions>();
    auto* command = aApp.add_subcommand(
        "check", "Check the installed programs and the catalogue online and list the results");
    auto* names = command->add_option("NAME", options->Names,
                                      "check only these catalogue programs (any letter case)");
    AddCheckingOptions(*command, options->Checking);
    command->add_flag("--json", options->Json, "print the three lists as JSON");
    command
        ->add_flag("--trace", options->Trace,
                   "also print every request and pattern of the named programs' checks")
        ->needs(names);
    command->callback([options] { RunCheck(*options); });
}

} // namespace brivane::cli
