// brivane-cli self-update: asks the update server for the newest release, and on consent
// downloads, verifies and starts its installer. --sign and --keygen are the maintainers'
// tools for signing releases.

#include "app/localization.h"
#include "app/settings.h"
#include "app/update_offer.h"
#include "base/identity.h"
#include "base/unicode.h"
#include "cli/commands.h"
#include "cli/hosts_option.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "cli/release_signing.h"
#include "install/auto_updater.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>
#include <optional>

namespace brivane::cli {

namespace {

using install::TAutoUpdater;
using install::TUpdateState;
using install::TVersionInfo;

struct TSelfUpdateOptions {
    bool Check = false;
    bool Yes = false;
    std::string Hosts;
    std::vector<std::string> Sign; // SECRET_KEY_FILE INSTALLER
    std::string Keygen;
};

// The updater reports on threads of its own; this hands its reports to the command's
// thread in the order they came. Progress keeps only the latest values. It must outlive
// the updater, whose destructor waits for those threads.
class TUpdateReports {
public:
    void Attach(TAutoUpdater& aUpdater) {
        aUpdater.SetOnUpdateStateChanged(
            [this](TUpdateState aState) { Change([&] { fStates.push_back(aState); }); });
        aUpdater.SetOnUpdateCheckResult([this](bool aAvailable, const TVersionInfo& aInfo) {
            Change([&] { fResult.emplace(aAvailable, aInfo); });
        });
        aUpdater.SetOnUpdateProgress([this](std::int64_t aReceived, std::int64_t aTotal) {
            Change([&] {
                fProgress = {aReceived, aTotal};
                fProgressChanged = true;
            });
        });
    }

    // The check's result, or nothing when the check ended in Error.
    std::optional<std::pair<bool, TVersionInfo>> WaitForResult() {
        std::unique_lock lock(fLock);
        fChanged.wait(lock, [this] { return fResult || Saw(TUpdateState::Error); });
        return fResult;
    }

    // Waits for the update's end (Completed, Error or Canceled), showing its progress.
    TUpdateState WaitForEnd(TProgressBar& aBar) {
        std::unique_lock lock(fLock);
        while (true) {
            fChanged.wait(lock, [this] { return fProgressChanged || !fStates.empty(); });
            if (fProgressChanged) {
                fProgressChanged = false;
                const auto [received, total] = fProgress;
                lock.unlock();
                aBar.Show(Localize("au.downloading"),
                          total > 0
                              ? 100.0 * static_cast<double>(received) / static_cast<double>(total)
                              : 0.0);
                lock.lock();
            }
            while (!fStates.empty()) {
                const TUpdateState state = fStates.front();
                fStates.pop_front();
                if (state == TUpdateState::Completed || state == TUpdateState::Error ||
                    state == TUpdateState::Canceled) {
                    return state;
                }
            }
        }
    }

private:
    template <class TBody>
    void Change(TBody aBody) {
        {
            std::lock_guard lock(fLock);
            aBody();
        }
        fChanged.notify_all();
    }
    bool Saw(TUpdateState aState) const {
        return std::find(fStates.begin(), fStates.end(), aState) != fStates.end();
    }

    std::mutex fLock;
    std::condition_variable fChanged;
    std::deque<TUpdateState> fStates;
    std::optional<std::pair<bool, TVersionInfo>> fResult;
    std::pair<std::int64_t, std::int64_t> fProgress;
    bool fProgressChanged = false;
};

bool UserAgrees() {
    std::cout << '\n' << Localize("au.installupdate") << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::cout << '\n';
        return false;
    }
    for (const char* yes : {"y", "yes", "д", "да"}) {
        if (SameText(answer, yes)) {
            return true;
        }
    }
    return false;
}

void RunSelfUpdate(const TSelfUpdateOptions& aOptions) {
    ApplyHostsOption(aOptions.Hosts);
    TConfig stored;
    PrintWarnings(std::cerr, stored.TakeWarnings());
    InitLocalization(stored);

    TUpdateReports reports;
    TAutoUpdater updater;
    reports.Attach(updater);
    updater.Init(install::UpdateManifestURL(), kProgramVersion, kProgramBuild);
    updater.CheckUpdate();
    const auto result = reports.WaitForResult();
    if (!result) {
        throw TCliError(updater.ErrorText(), kExitFailure);
    }
    const auto& [available, offered] = *result;
    if (!available) {
        std::cout << "Brivane " << updater.CurrentVersionAsString()
                  << " is up to date (the update server offers " << offered.AsString() << ")\n";
        return;
    }
    std::cout << UpdateOfferText(offered) << '\n';
    if (aOptions.Check) {
        throw TCliError("", kExitUpdateOffered);
    }
    if (!aOptions.Yes && !UserAgrees()) {
        return;
    }
    TProgressBar bar(std::cerr, TProgressBar::StandardErrorIsTerminal());
    updater.Update(offered);
    const TUpdateState end = reports.WaitForEnd(bar);
    bar.Clear();
    if (end != TUpdateState::Completed) {
        throw TCliError(updater.ErrorText(), kExitFailure);
    }
    std::cout << "The installer of " << offered.AsString() << " has started\n";
}

} // namespace

void RegisterSelfUpdateCommand(CLI::App& aApp) {
    auto options = std::make_shared<TSelfUpdateOptions>();
    auto* command = aApp.add_subcommand("self-update", "Check for a newer Brivane and install it");
    auto* check = command->add_flag(
        "--check", options->Check,
        "only check: exit 0 when up to date, 10 when an update is offered, 1 on failure");
    auto* yes =
        command->add_flag("--yes", options->Yes, "install an offered update without asking");
    AddHostsOption(*command, options->Hosts);
    auto* sign = command->add_option("--sign", options->Sign,
                                     "print the manifest members of a release's installer, "
                                     "signed with the secret key (maintainers)");
    sign->expected(2)->type_name("SECRET_KEY_FILE INSTALLER");
    auto* keygen = command->add_option(
        "--keygen", options->Keygen,
        "write a new release key pair: the secret key to FILE, the public key to FILE.pub");
    keygen->type_name("SECRET_KEY_FILE");
    sign->excludes(check, yes, keygen);
    keygen->excludes(check, yes);
    command->callback([options] {
        if (!options->Sign.empty()) {
            PrintInstallerSeal(std::cout, options->Sign[0], options->Sign[1]);
        } else if (!options->Keygen.empty()) {
            WriteReleaseKeyPair(std::cout, options->Keygen);
        } else {
            RunSelfUpdate(*options);
        }
    });
}

} // namespace brivane::cli
