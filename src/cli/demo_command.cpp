// brivane-cli demo: the whole program at work on any machine, offline, against the demo
// world (demo/demo_world.h): the check and its three lists, then the install of two
// updates and one Library program with their progress, then the lists again.
// brivane-cli demo-installer FILE, a command of its own, is the demo's launcher: it
// "runs" a downloaded demo installer.

#include "app/controller.h"
#include "cli/check_report.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/install_run.h"
#include "cli/interrupt.h"
#include "cli/lists_output.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "cli/run_settings.h"
#include "demo/demo_installer.h"
#include "demo/demo_world.h"
#include "platform/folders.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace brivane::cli {

namespace {

struct TDemoCommandOptions {
    bool Json = false;
    std::string Keep;
};

std::unique_ptr<demo::TDemoWorld> MakeWorld(const TDemoCommandOptions& aOptions) {
    try {
        return std::make_unique<demo::TDemoWorld>(demo::TDemoOptions{
            .Data = demo::DemoDataFolder(),
            .Keep = aOptions.Keep,
            .Launcher = {platform::GetExecutableFile().string(), "demo-installer"},
        });
    } catch (const demo::EDemoError& e) {
        throw TCliError(e.what(), e.BadInput() ? kExitBadInput : kExitFailure);
    }
}

void RunDemo(const TDemoCommandOptions& aOptions) {
    const auto world = MakeWorld(aOptions);
    std::cerr << "The demo: every publisher served from " << world->Origin() << ", the machine in "
              << world->Prefix().string() << std::endl;
    const auto settings = ReadRunSettings(false, false);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = CliMainLoop();
    TConsoleView view(bar);
    const auto owned = MakeCheckingController(*settings, {});
    auto& controller = *owned;

    TInterrupt interrupt;
    // Ctrl+C during the checks: no check starts any more, and nothing is installed.
    interrupt.SetAction([&controller] { controller.Stop(); });
    controller.HandleOnStart(view);
    RunUntilIdle(*loop, controller, "The demo was interrupted");
    bar.Clear();
    std::cerr << CheckSummary(view.Updates(), view.Actuals(), view.Programs()) << std::endl;
    nlohmann::ordered_json result;
    if (aOptions.Json) {
        result["before"] = ListsJson(controller, view);
    } else {
        PrintLists(controller, view, false);
    }

    TNames failed;
    const TNames ticked = TickPrograms(view, demo::kDemoInstalls, false, failed);
    const TNames unlisted = failed;
    if (!interrupt.Interrupted() && !ticked.empty()) {
        if (!aOptions.Json) {
            std::cout << "\nInstalling " << JoinNames(ticked) << std::endl;
        }
        InstallTicked(controller, view, *loop, interrupt);
    }
    bar.Clear();
    const TNames started = StartedInstallers(controller, ticked, failed);
    if (aOptions.Json) {
        result["installed"] = started;
        result["after"] = ListsJson(controller, view);
        PrintJson(std::cout, result);
    } else {
        std::cout << "Started: " << (started.empty() ? "none" : JoinNames(started)) << "\n\n";
        PrintLists(controller, view, false);
    }
    std::cerr << "The demo's sites answered " << world->Requests() << " requests on "
              << world->Origin() << "; no request left this computer." << std::endl;
    if (!aOptions.Keep.empty()) {
        std::cerr << "The demo's data folder and machine are kept in " << world->Folder().string()
                  << std::endl;
    }
    ThrowIfNotInstalled(failed, FailureReasons(controller, failed, unlisted));
}

} // namespace

void RegisterDemoCommand(CLI::App& aApp) {
    auto options = std::make_shared<TDemoCommandOptions>();
    auto* command = aApp.add_subcommand(
        "demo", "Show the program at work offline: check, install two updates and a Library "
                "program, on a demo machine against a local copy of every publisher's site");
    command->add_flag("--json", options->Json,
                      "print {\"before\": lists, \"installed\": names, \"after\": lists}");
    command->add_option("--keep", options->Keep,
                        "keep the demo's data folder and machine in this empty folder");
    command->callback([options] { RunDemo(*options); });

    // The demo's launcher, not a command for people: it prints nothing on success, since
    // it shares the demo's output.
    auto file = std::make_shared<std::string>();
    auto* installer = aApp.add_subcommand("demo-installer", "Run a demo installer file");
    installer->group("");
    installer->add_option("FILE", *file, "the demo installer")->required();
    installer->allow_extras();
    installer->callback([file] {
        try {
            demo::RunDemoInstaller(*file);
        } catch (const demo::EDemoInstallerError& e) {
            throw TCliError(e.what(), kExitFailure);
        }
    });
}

} // namespace brivane::cli
