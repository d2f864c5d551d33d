// brivane-cli install: the check of brivane-cli check, then the install flow for the
// programs named (or every update): their download links, the installer queue with its
// downloads and the installers one at a time, the inventory read again; then the lists.

#include "app/controller.h"
#include "base/unicode.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/hosts_option.h"
#include "cli/interrupt.h"
#include "cli/lists_output.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "cli/registry_option.h"
#include "cli/run_settings.h"
#include "tasks/main_thread.h"
#include "tasks/waking_main_loop.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

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
    bool Beta = false;
    bool Shareware = false;
    std::string Registry;
    std::string Hosts;
    bool Json = false;
};

using TNames = std::vector<std::string>;

bool Named(const TNames& aNames, const std::string& aName) {
    return std::any_of(aNames.begin(), aNames.end(),
                       [&aName](const std::string& aNamed) { return SameText(aNamed, aName); });
}

bool Listed(const std::vector<TListRow>& aRows, const std::string& aName) {
    return std::any_of(aRows.begin(), aRows.end(),
                       [&aName](const TListRow& aRow) { return SameText(aRow.Item.Name, aName); });
}

std::string Join(const TNames& aNames) {
    std::string text;
    for (const auto& name : aNames) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// Ticks exactly the programs to install: the named rows of Updates and Library, and
// with --all every Updates row. Returns their names in list order; aUnlisted receives
// the names that are in neither list nor among the current programs.
TNames Tick(TConsoleView& aView, const TInstallOptions& aOptions, TNames& aUnlisted) {
    const auto& names = aOptions.Names;
    TNames ticked;
    for (int i = 0; i < aView.UpdatesCount(); ++i) {
        const auto& name = aView.Updates()[static_cast<std::size_t>(i)].Item.Name;
        const bool tick = aOptions.All || Named(names, name);
        aView.SetUpdateChecked(i, tick);
        if (tick) {
            ticked.push_back(name);
        }
    }
    for (int i = 0; i < aView.ProgramsCount(); ++i) {
        const auto& name = aView.Programs()[static_cast<std::size_t>(i)].Item.Name;
        if (Named(names, name)) {
            aView.SetProgramChecked(i, true);
            ticked.push_back(name);
        }
    }
    TNames warnings;
    for (const auto& name : names) {
        if (Listed(aView.Actuals(), name)) {
            warnings.push_back(name + " is up to date");
        } else if (!Listed(aView.Updates(), name) && !Listed(aView.Programs(), name)) {
            warnings.push_back(name + " is not listed (paid programs need --shareware)");
            aUnlisted.push_back(name);
        }
    }
    PrintWarnings(std::cerr, warnings);
    return ticked;
}

bool Confirm(const TNames& aTicked) {
    std::cerr << "Install " << Join(aTicked) << "? [y/N] " << std::flush;
    std::string answer;
    std::getline(std::cin, answer);
    return SameText(answer, "y") || SameText(answer, "yes");
}

// Ctrl+C during the install: the Cancel the screen in front offers.
void Cancel(TConsoleView& aView) {
    if (aView.ProgressWindow().Visible()) {
        aView.ProgressWindow().Cancel();
    } else {
        aView.Cancel();
    }
}

void RunInstall(const TInstallOptions& aOptions) {
    if (aOptions.Names.empty() && !aOptions.All) {
        throw TCliError("Name the programs to install, or give --all");
    }
    if (!aOptions.Yes && ::isatty(STDIN_FILENO) != 1) {
        throw TCliError("Standard input is not a terminal: give --yes to install without asking");
    }
    ApplyHostsOption(aOptions.Hosts);
    ApplyRegistryOption(aOptions.Registry);
    const auto settings = ReadRunSettings(aOptions.Beta, aOptions.Shareware);

    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    const auto loop = CliMainLoop();
    TConsoleView view(bar);
    const auto owned = MakeCheckingController(*settings, aOptions.Names);
    auto& controller = *owned;
    const auto waitIdle = [&] {
        RunUntilIdle(*loop, controller, "The installation was interrupted");
    };

    TInterrupt interrupt;
    // Ctrl+C during the checks: no check starts any more, and nothing is installed.
    interrupt.SetAction([&controller] { controller.Stop(); });
    controller.HandleOnStart(view);
    waitIdle();
    TNames failed;
    const TNames ticked = Tick(view, aOptions, failed);
    const TNames failedBeforeRun = failed;
    bool declined = false;
    if (!interrupt.Interrupted() && !ticked.empty()) {
        bar.Clear();
        declined = !aOptions.Yes && !Confirm(ticked);
        if (!declined) {
            interrupt.SetAction([&view] { Cancel(view); });
            controller.InstallTicked();
            // A Ctrl+C while the run was being handed over reaches it now.
            if (interrupt.Interrupted()) {
                Cancel(view);
            }
            waitIdle();
        }
    }
    bar.Clear();
    const TNames started = controller.StartedInstallers();
    // Declining installs nothing, and nothing failed.
    for (const auto& name : declined ? TNames{} : ticked) {
        if (std::find(started.begin(), started.end(), name) == started.end()) {
            failed.push_back(name);
        }
    }
    // Why each did not install: the queue knows for those it got; the others had no link.
    std::map<std::string, std::string> reasons;
    for (auto& [name, why] : controller.FailedInstallers()) {
        reasons[name] = std::move(why);
    }
    for (const auto& name : failed) {
        reasons.try_emplace(name, Named(failedBeforeRun, name) ? "Not listed"
                                                               : "No download link was found");
    }
    if (aOptions.Json) {
        nlohmann::ordered_json why = nlohmann::ordered_json::object();
        for (const auto& name : failed) {
            why[name] = reasons[name];
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
        std::cout << "\nStarted: " << (started.empty() ? "none" : Join(started)) << '\n';
    }
    if (!failed.empty()) {
        TNames described;
        for (const auto& name : failed) {
            described.push_back(name + " (" + reasons[name] + ")");
        }
        throw TCliError("Not installed: " + Join(described), kExitFailure);
    }
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
    AddCheckingOptions(*command, options->Beta, options->Shareware, options->Registry,
                       options->Hosts);
    command->add_flag("--json", options->Json, "print what started and the three lists as JSON");
    command->callback([options] { RunInstall(*options); });
}

} // namespace brivane::cli
