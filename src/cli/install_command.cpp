// brivane-cli install: the check of brivane-cli check, then the install flow for the
// programs named (or every update): their download links, the installer queue with its
// downloads and the installers one at a time, the inventory read again; then the lists.

#include "app/controller.h"
#include "app/run_settings.h"
#include "base/unicode.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/install_run.h"
#include "cli/interrupt.h"
#include "cli/lists_output.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "platform/console.h"
#include "tasks/main_thread.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>

namespace brivane::cli {

namespace {

struct TInstallOptions {
    std::vector<std::string> Names;
    bool All = false;
    bool Yes = false;
    TCheckingOptions Checking;
    bool Json = false;
};

bool Confirm(const TNames& aTicked) {
    std::cerr << "Install " << JoinNames(aTicked) << "? [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return SameText(answer, "y") || SameText(answer, "yes");
}

void RunInstall(const TInstallOptions& aOptions) {
    if (aOptions.Names.empty() && !aOptions.All) {
        throw TCliError("Name the programs to install, or give --all");
    }
    if (!aOptions.Yes && !platform::IsTerminal(platform::TStandardStream::Input)) {
        throw TCliError("Standard input is not a terminal: give --yes to install without asking");
    }
    const auto settings = ApplyCheckingOptions(aOptions.Checking);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = CliMainLoop();
    TConsoleView view(bar);
    const auto owned = MakeCheckingController(*settings, aOptions.Names);
    auto& controller = *owned;

    TInterrupt interrupt;
    // Ctrl+C during the checks: no check starts any more, and nothing is installed.
    interrupt.SetAction([&controller] { controller.Stop(); });
    controller.HandleOnStart(view);
    RunUntilIdle(*loop, controller, "The installation was interrupted");
    TNames failed;
    const TNames ticked = TickPrograms(view, aOptions.Names, aOptions.All, failed);
    const TNames unlisted = failed;
    bool declined = false;
    if (!interrupt.Interrupted() && !ticked.empty()) {
        bar.Clear();
        declined = !aOptions.Yes && !Confirm(ticked);
        if (!declined) {
            InstallTicked(controller, view, *loop, interrupt);
        }
    }
    bar.Clear();
    // Declining installs nothing, and nothing failed.
    const TNames started = StartedInstallers(controller, declined ? TNames{} : ticked, failed);
    const auto reasons = FailureReasons(controller, failed, unlisted);
    if (aOptions.Json) {
        nlohmann::ordered_json why = nlohmann::ordered_json::object();
        for (const auto& name : failed) {
            why[name] = reasons.at(name);
        }
        nlohmann::ordered_json result{
            {"started", started}, {"failed", failed}, {"reasons", std::move(why)}};
        auto lists = ListsJson(controller, view);
        for (auto& [key, value] : lists.items()) {
            result[key] = std::move(value);
        }
        PrintJson(std::cout, result);
    } else {
        PrintLists(controller, view, false);
        std::cout << "\nStarted: " << (started.empty() ? "none" : JoinNames(started)) << '\n';
    }
    ThrowIfNotInstalled(failed, reasons);
}

} // namespace

void RegisterInstallCommand(CLI::App& aApp) {
    auto options = std::make_shared<TInstallOptions>();
    auto* command = aApp.add_subcommand(
        "install", "Check the programs, then download and start the installers of those named");
    command->add_option("NAME", options->Names,
                        "install these programs: an update or a Library program (any letter case)");
    command->add_flag("--all", options->All, "install every update");
    command->add_flag("--yes", options->Yes, "install without asking");
    AddCheckingOptions(*command, options->Checking);
    command->add_flag("--json", options->Json, "print what started and the three lists as JSON");
    command->callback([options] { RunInstall(*options); });
}

} // namespace brivane::cli
