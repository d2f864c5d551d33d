#include "cli/install_run.h"

#include "app/controller.h"
#include "base/unicode.h"
#include "cli/checking_run.h"
#include "cli/commands.h"
#include "cli/console_view.h"
#include "cli/interrupt.h"
#include "cli/output.h"

#include <algorithm>
#include <iostream>

namespace brivane::cli {

namespace {

bool Named(const TNames& aNames, const std::string& aName) {
    return std::any_of(aNames.begin(), aNames.end(),
                       [&aName](const std::string& aNamed) { return SameText(aNamed, aName); });
}

bool Listed(const std::vector<TListRow>& aRows, const std::string& aName) {
    return std::any_of(aRows.begin(), aRows.end(),
                       [&aName](const TListRow& aRow) { return SameText(aRow.Item.Name, aName); });
}

// Ctrl+C during the install: the Cancel the screen in front offers.
void Cancel(TConsoleView& aView) {
    if (aView.ProgressWindow().Visible()) {
        aView.ProgressWindow().Cancel();
    } else {
        aView.Cancel();
    }
}

} // namespace

TNames TickPrograms(TConsoleView& aView, const TNames& aNames, bool aAllUpdates,
                    TNames& aUnlisted) {
    TNames ticked;
    for (int i = 0; i < aView.UpdatesCount(); ++i) {
        const auto& name = aView.Updates()[static_cast<std::size_t>(i)].Item.Name;
        const bool tick = aAllUpdates || Named(aNames, name);
        aView.SetUpdateChecked(i, tick);
        if (tick) {
            ticked.push_back(name);
        }
    }
    for (int i = 0; i < aView.ProgramsCount(); ++i) {
        const auto& name = aView.Programs()[static_cast<std::size_t>(i)].Item.Name;
        if (Named(aNames, name)) {
            aView.SetProgramChecked(i, true);
            ticked.push_back(name);
        }
    }
    TNames warnings;
    for (const auto& name : aNames) {
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

void InstallTicked(TController& aController, TConsoleView& aView, TWakingMainLoop& aLoop,
                   TInterrupt& aInterrupt) {
    aInterrupt.SetAction([&aView] { Cancel(aView); });
    aController.InstallTicked();
    // A Ctrl+C while the run was being handed over reaches it now.
    if (aInterrupt.Interrupted()) {
        Cancel(aView);
    }
    RunUntilIdle(aLoop, aController, "The installation was interrupted");
}

TNames StartedInstallers(const TController& aController, const TNames& aTicked, TNames& aFailed) {
    TNames started = aController.StartedInstallers();
    const auto failures = aController.FailedInstallers();
    for (const auto& name : aTicked) {
        const bool failed =
            std::any_of(failures.begin(), failures.end(),
                        [&name](const auto& aFailure) { return aFailure.first == name; });
        if (failed || std::find(started.begin(), started.end(), name) == started.end()) {
            aFailed.push_back(name);
        }
    }
    return started;
}

std::map<std::string, std::string> FailureReasons(const TController& aController,
                                                  const TNames& aFailed, const TNames& aUnlisted) {
    std::map<std::string, std::string> reasons;
    for (auto& [name, why] : aController.FailedInstallers()) {
        reasons[name] = std::move(why);
    }
    for (const auto& name : aFailed) {
        reasons.try_emplace(name,
                            Named(aUnlisted, name) ? "Not listed" : "No download link was found");
    }
    return reasons;
}

void ThrowIfNotInstalled(const TNames& aFailed,
                         const std::map<std::string, std::string>& aReasons) {
    if (aFailed.empty()) {
        return;
    }
    TNames described;
    for (const auto& name : aFailed) {
        const auto why = aReasons.find(name);
        described.push_back(why == aReasons.end() ? name : name + " (" + why->second + ")");
    }
    throw TCliError("Not installed: " + JoinNames(described), kExitFailure);
}

std::string JoinNames(const TNames& aNames) {
    std::string text;
    for (const auto& name : aNames) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

} // namespace brivane::cli
