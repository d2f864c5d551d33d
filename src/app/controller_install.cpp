// The controller's install flows: the ticked rows go to the installer queue (Library rows
// after their download links were retrieved on the library pool), the queue's events
// become the texts and values of the main window and the progress window, and after the
// run the inventory is read again and the lists rebuilt.

#include "app/controller.h"

#include "app/localization.h"
#include "app/settings.h"
#include "catalogue/base_software.h"
#include "install/installer.h"
#include "platform/folders.h"
#include "tasks/main_thread.h"
#include "tasks/overlapped_pool.h"

#include <charconv>

namespace brivane {

namespace {

// At most 5 installers are downloaded at once.
constexpr int kDownloadThreads = 5;

// aValue with one decimal digit and a "." whatever the locale: "66.7".
std::string FormatPercent(float aValue) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, aValue, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

} // namespace

install::TInstaller& TController::Installer() {
    if (fInstaller) {
        return *fInstaller;
    }
    const auto folder = fOptions.DownloadsFolder.empty() ? platform::GetDownloadsFolder()
                                                         : fOptions.DownloadsFolder;
    fInstaller = std::make_unique<install::TInstaller>(folder, kDownloadThreads, fOptions.Download);
    fInstaller->SetOnDownloadProgress(
        [this](install::TProgramm&, std::int64_t aPostion, std::int64_t aMax) {
            OnDownloadProgress(aPostion, aMax);
        });
    fInstaller->SetOnInstall([this](install::TProgramm&, std::int64_t aPostion, std::int64_t aMax) {
        OnInstallProgress(aPostion, aMax);
    });
    fInstaller->SetOnInit([this](install::TProgramm&, std::int64_t aPostion, std::int64_t aMax) {
        OnDownloadInit(aPostion, aMax);
    });
    fInstaller->SetOnInstallStart([this](install::TInstaller&) { OnStartInstall(); });
    return *fInstaller;
}

std::vector<TProgramInfo> TController::TickedUpdates() const {
    std::vector<TProgramInfo> selected;
    for (int i = 0; i < fView->UpdatesCount(); ++i) {
        if (fView->GetUpdateChecked(i)) {
            selected.push_back(fView->GetUpdate(i));
        }
    }
    return selected;
}

std::vector<TProgramInfo> TController::TickedPrograms() const {
    std::vector<TProgramInfo> selected;
    for (int i = 0; i < fView->ProgramsCount(); ++i) {
        if (fView->GetProgramChecked(i)) {
            selected.push_back(fView->GetProgram(i));
        }
    }
    return selected;
}

void TController::OnInstallUpdates() {
    InstallItems(TickedUpdates());
}

void TController::OnInstallPrograms() {
    InstallWithLinks(TickedPrograms());
}

void TController::InstallTicked() {
    auto selected = TickedUpdates();
    for (auto& program : TickedPrograms()) {
        selected.push_back(std::move(program));
    }
    InstallWithLinks(selected);
}

std::vector<std::string> TController::StartedInstallers() const {
    std::lock_guard lock(fStartedLock);
    return fStarted;
}

std::vector<std::pair<std::string, std::string>> TController::FailedInstallers() const {
    std::lock_guard lock(fStartedLock);
    return fFailed;
}

void TController::InstallWithLinks(const std::vector<TProgramInfo>& aSelected) {
    fStopRetrievingLinks = false;
    if (!aSelected.empty()) {
        RetrieveLinks(aSelected);
    }
    if (!fStopRetrievingLinks) {
        InstallItems(aSelected); // those still without a link are dropped there
    }
}

void TController::RetrieveLinks(const std::vector<TProgramInfo>& aSelected) {
    fView->SetOnCancel([this] { OnCancelRetrievingLinks(); });
    fView->SetProgress(0);
    fView->SetDisplayMode(dmProgress);
    const auto tasks = fLibraryPool->Tasks();
    bool paused = false;
    try {
        fView->SetProgressText(Localize("gc.retrievinglinks"));
        fView->SetProgressState(psIndeterminate);
        const bool beta = fConfig->GetBoolean(kAllowBeta);
        // The library pass waits meanwhile; its checks already running go on.
        tasks.ChangeStatus({dsWaiting}, dsIgnore);
        paused = true;
        const auto link = tasks.AgentProc<TBaseSoftware*, bool>(
            [this](TBaseSoftware* aSoftware, bool aBeta) { LinkTask(aSoftware, aBeta); });
        for (const auto& program : aSelected) {
            auto* software = GetSoftwareByName(program.Name);
            if (software != nullptr && KnownState(*software).DownloadURL.empty()) {
                link(software, beta);
            }
        }
        // Serving the main thread, so that Cancel works.
        tasks.Wait(true);
    } catch (...) {
        if (paused) {
            tasks.ChangeStatus({dsIgnore}, dsWaiting);
        }
        fView->SetProgressState(psNormal);
        fView->SetOnCancel(fOnCancelInstall);
        fView->SetDisplayMode(dmList);
        throw;
    }
    tasks.ChangeStatus({dsIgnore}, dsWaiting);
    fView->SetProgressState(psNormal);
    fView->SetOnCancel(fOnCancelInstall);
    fView->SetDisplayMode(dmList);
}

void TController::LinkTask(TBaseSoftware* aSoftware, bool aCheckBeta) {
    if (fStopRetrievingLinks) {
        return;
    }
    // Like a library task: checked unless its link is known, then noted and its row
    // replaced.
    LibraryTask(aSoftware, aCheckBeta);
}

void TController::InstallItems(const std::vector<TProgramInfo>& aItems) {
    fSomeFlag = false;
    if (aItems.empty()) {
        return;
    }
    install::TInstallList links;
    std::vector<std::string> names;
    for (const auto& item : aItems) {
        auto* software = GetSoftwareByName(item.Name);
        if (software == nullptr) {
            continue;
        }
        const auto state = KnownState(*software);
        if (state.DownloadURL.empty()) {
            continue;
        }
        names.push_back(software->Info().Name());
        links.emplace_back(names.back(), install::TDownloadParams::Create(state.DownloadURL,
                                                                          state.DownloadReferer,
                                                                          state.DownloadSize));
    }
    fView->SetProgress(0);
    if (links.empty()) {
        return;
    }
    {
        std::lock_guard lock(fStartedLock);
        fStarted.clear();
        fFailed.clear();
    }
    fDownloadText.clear();
    fInstallRunning = true;
    Installer().SetOnInstallStop([this, names](install::TInstaller& aSender) {
        {
            std::lock_guard lock(fStartedLock);
            fStarted = aSender.StartedNames();
            fFailed = aSender.Failures();
        }
        InstallEnd(names);
    });
    Installer().Run(std::move(links));
}

void TController::InstallEnd(const std::vector<std::string>& aNames) {
    try {
        {
            // Not while a refresh cycle reads the inventory and initialises the entries.
            const std::lock_guard cycle(fCycleLock);
            fSystem.Read();
            for (const auto& name : aNames) {
                auto* software = GetSoftwareByName(name);
                if (software == nullptr) {
                    continue;
                }
                const TEntryLocks::TLock entry(fEntryLocks, software);
                try {
                    software->RefreshCurrentVersion();
                } catch (...) {
                    // Listed with what it had.
                }
                // The lists are built from what is remembered: the new installed version.
                Remember(*software);
            }
        }
        RunInMainThread([this] {
            FillLists();
            fView->ProgressWindow().SetVisible(false);
            fView->SetDisplayMode(dmList);
            fView->SetVisible(true);
        });
    } catch (...) {
        fInstallRunning = false;
        throw;
    }
    fInstallRunning = false;
}

void TController::OnStartInstall() {
    RunInMainThread([this] { fView->SetProgress(0); });
}

void TController::OnDownloadInit(std::int64_t aPostion, std::int64_t aMax) {
    aPostion = std::min(aPostion, aMax);
    const float progress =
        aMax > 0 ? static_cast<float>(static_cast<double>(aPostion) * 100.0 / aMax) : 0.0F;
    const std::string text = Localize("gc.initdownload") + ": " + FormatPercent(progress) + " %";
    RunInMainThread([this, progress, &text] {
        fView->SetProgress(progress);
        fView->SetDisplayMode(dmProgress);
        fView->SetProgressText(text);
    });
}

void TController::OnDownloadProgress(std::int64_t aPostion, std::int64_t aMax) {
    if (aMax == 0) {
        return;
    }
    aPostion = std::min(aPostion, aMax);
    const float progress = static_cast<float>(static_cast<double>(aPostion) * 100.0 / aMax);
    std::string text = Localize("gc.downloaded") + " " + FormatPercent(progress) + " %";
    // Every block is reported; the view hears only of a new percentage and of the end.
    const bool complete = aPostion >= aMax;
    if (text == fDownloadText && !complete) {
        return;
    }
    fDownloadText = text;
    RunInMainThread([this, progress, &text, aPostion, aMax, complete] {
        fView->SetProgressText(text);
        fView->SetProgress(progress);
        auto& window = fView->ProgressWindow();
        window.SetDownloadProgress(progress);
        window.SetDownloadText(text);
        window.SetDownloadedBytes(aPostion, aMax);
        if (complete) {
            fView->SetTaskbarProgressPosition(0);
        }
    });
}

void TController::OnInstallProgress(std::int64_t aPostion, std::int64_t aMax) {
    RunInMainThread([this, aPostion, aMax] {
        auto& window = fView->ProgressWindow();
        if (!fSomeFlag) {
            // The main window gives way to the progress window at the first installer.
            fSomeFlag = true;
            fView->SetVisible(false);
            window.SetVisible(true);
            window.SetInstallProgressMax(static_cast<float>(aMax));
        }
        window.SetInstallText(Localize("gc.installprogress") + ": " + std::to_string(aPostion) +
                              " " + Localize("gc.from") + " " + std::to_string(aMax));
        window.SetInstallProgress(static_cast<float>(aPostion));
    });
}

void TController::OnCancelInstall() {
    fView->SetProgressText(Localize("gc.installcancel"));
    if (fInstaller) {
        fInstaller->Stop();
    }
}

void TController::OnCancelRetrievingLinks() {
    fView->SetProgressText(Localize("gc.retrievinglinkscancel"));
    fView->SetOnCancel(nullptr);
    fStopRetrievingLinks = true;
}

void TController::OnProgressCancel() {
    auto& window = fView->ProgressWindow();
    window.SetInstallText(Localize("gc.installcancel"));
    window.SetDownloadText(Localize("gc.downloadcancel"));
    if (fInstaller) {
        fInstaller->Stop();
    }
}

} // namespace brivane
