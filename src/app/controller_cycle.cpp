// The controller's start sequence and its refresh cycle: Init, the update pass over the
// installed entries, the library pass over the others, and the notification after each
// entry's check.

#include "app/controller.h"

#include "app/assessment.h"
#include "app/localization.h"
#include "app/settings.h"
#include "catalogue/base_software.h"
#include "install/installer.h"
#include "tasks/main_thread.h"
#include "tasks/task_runtime.h"

namespace brivane {

void TController::HandleOnStart(IMainView& aSender) {
    fView = &aSender;
    ApplyCatalogueFilter();
    ShowWaitScreen(true);
    LoadConfig();
    HookView();
    AddBody([this] { StartBody(); });
}

void TController::ShowWaitScreen(bool aSearching) {
    fView->SetProgress(0);
    fView->SetProgressText(Localize(aSearching ? "gc.searchinstalled" : "gc.listupdating"));
    fView->SetDisplayMode(aSearching ? dmSplash : dmProgress);
}

void TController::HookView() {
    fView->SetOnCancel(fOnCancelInstall);
    fView->SetOnConfigChanged([this] { OnConfigChanged(); });
    fView->SetOnLanguageChanged([this] { OnLanguageChanged(); });
    fView->SetOnInstallPrograms([this] { OnInstallPrograms(); });
    fView->SetOnInstallUpdates([this] { OnInstallUpdates(); });
    fView->ProgressWindow().SetOnCancel([this] { OnProgressCancel(); });
}

std::shared_ptr<IExecutable> TController::AddBody(std::function<void()> aBody) {
    // A body's failure (the application ending under it, say) ends only that body.
    auto task = DefaultTasks() >= [body = std::move(aBody)] {
        try {
            body();
        } catch (...) {
        }
    };
    std::lock_guard lock(fBodiesLock);
    fBodies.push_back(task);
    return task;
}

void TController::StartBody() {
    const std::lock_guard cycle(fCycleLock);
    const auto assessment = InitAnimations();
    RefreshSoftwareList(true);
    if (assessment) {
        assessment->Wait(false);
    }
    ShowListsWithLibraryPass();
}

void TController::ShowListsWithLibraryPass() {
    // Queued before the lists show: a link retrieval the user starts from them at once
    // must not have its tasks dropped by the start of the pass.
    CheckLibraryUpdate();
    RunInMainThread([this] { ShowLists(); });
}

std::shared_ptr<IExecutable> TController::InitAnimations() {
    if (const auto stored = fConfig->FindBoolean(kEnableAnimations)) {
        RunInMainThread([this, value = *stored] { fView->SetEnableAnimations(value); });
        return nullptr;
    }
    return AddBody([this] { RunAssessment(); });
}

void TController::RunAssessment() {
    const TWinSAT assessment(fOptions.CreateAssessmentQuery ? fOptions.CreateAssessmentQuery()
                                                            : nullptr);
    if (!assessment.Available()) {
        return; // the view keeps animations off and nothing is stored
    }
    RunInMainThread([this, score = assessment.GraphicsInfo().Score] {
        fView->SetEnableAnimations(score >= 4.0);
        OnConfigChanged();
    });
}

void TController::Init() {
    RunInMainThread([this] { fView->SetProgressState(psIndeterminate); });
    // Checks of the library pass still running would meet the entries' Init.
    DrainLibraryPool();
    fSystem.Read();
    {
        std::lock_guard lock(fSoftwareLock);
        for (auto* software : fSoftware) {
            const TEntryLocks::TLock entry(fEntryLocks, software);
            try {
                software->Init();
            } catch (...) {
                // One entry that cannot find its installed copy keeps the others going.
            }
            Remember(*software);
        }
    }
    RunInMainThread([this] {
        fView->SetProgressState(psNormal);
        fView->SetProgress(0);
    });
}

void TController::RefreshSoftwareList(bool aRecheck) {
    if (!aRecheck) {
        return;
    }
    Init();
    bool checkBeta = false;
    bool checkShareware = false;
    RunInMainThread([&] {
        fView->SetProgressText(Localize("checkupdate"));
        checkBeta = fView->AllowBeta();
        checkShareware = fView->AllowShareware();
    });
    std::vector<TBaseSoftware*> installed;
    for (auto* software : GetSoftwareList()) {
        const auto state = KnownState(*software);
        if (state.Installed && (checkShareware || state.License != slShareware)) {
            installed.push_back(software);
        }
    }
    if (!installed.empty()) {
        CheckSoftwareUpdate(installed, checkBeta);
    }
}

void TController::CheckSoftwareUpdate(const std::vector<TBaseSoftware*>& aList, bool aCheckBeta) {
    fStop = false;
    // Counted on the main thread only.
    struct TProgress {
        int Max = 0;
        int Current = 0;
    };
    const auto progress = std::make_shared<TProgress>(TProgress{static_cast<int>(aList.size())});
    RunInMainThread([this] { fView->SetProgressState(psNormal); });

    auto pool = TOverlappedPool::Make(4, 3);
    const auto check = pool->Tasks().AgentProc<TBaseSoftware*, bool>(
        [this, progress](TBaseSoftware* aSoftware, bool aBeta) {
            if (aSoftware == nullptr || fStop) {
                return;
            }
            {
                const TEntryLocks::TLock entry(fEntryLocks, aSoftware);
                aSoftware->Check(aBeta, CurrentLanguage.load());
                NotifyChecked(aSoftware);
            }
            RunInMainThread([this, progress] {
                ++progress->Current;
                fView->SetProgress(progress->Max > 0 ? static_cast<float>(progress->Current *
                                                                          100.0 / progress->Max)
                                                     : 0);
            });
        });
    for (auto* software : aList) {
        check(software, aCheckBeta);
    }
    pool->Tasks().Wait(true);
    RunInMainThread([this] { fView->SetProgress(0); });
    pool.reset(); // ends its workers once the task in hand is done
}

void TController::DrainLibraryPool() {
    const auto tasks = fLibraryPool->Tasks();
    tasks.Clear({dsWaiting, dsIgnore});
    tasks.Wait(false);
}

void TController::CheckLibraryUpdate() {
    fStop = false;
    const bool beta = fConfig->GetBoolean(kAllowBeta);
    const auto snapshot = GetSoftwareList();
    DrainLibraryPool();
    const auto check = fLibraryPool->Tasks().AgentProc<TBaseSoftware*, bool>(
        [this](TBaseSoftware* aSoftware, bool aBeta) { LibraryTask(aSoftware, aBeta); });
    for (auto* software : snapshot) {
        if (!KnownState(*software).Installed) {
            check(software, beta);
        }
    }
}

void TController::LibraryTask(TBaseSoftware* aSoftware, bool aCheckBeta) {
    if (aSoftware == nullptr || fStop) {
        return;
    }
    // A link task of the install flows may have it in hand; then this one waits and
    // finds it checked: it is checked once between two Inits.
    const TEntryLocks::TLock entry(fEntryLocks, aSoftware);
    if (aSoftware->DownloadURL().empty()) {
        aSoftware->Check(aCheckBeta, CurrentLanguage.load());
    }
    NotifyChecked(aSoftware);
}

void TController::NotifyChecked(TBaseSoftware* aSoftware) {
    if (!fOnSoftwareChecked) {
        return;
    }
    try {
        fOnSoftwareChecked(aSoftware);
    } catch (...) {
        // A failing notification must not stop the pass.
    }
}

void TController::OnSoftwareUpdate(TBaseSoftware* aSoftware) {
    const auto info = Remember(*aSoftware);
    const auto& name = aSoftware->Info().Name();
    info.SaveToCache(name);
    if (!KnownState(*aSoftware).Installed) {
        RunInMainThread([this, &info, &name] {
            if (const int index = fView->IndexOfProgram(name); index >= 0) {
                fView->SetProgram(index, info);
            }
        });
    }
}

TController::TEntryState TController::StateOf(TBaseSoftware& aSoftware) {
    return {aSoftware.MakeProgramInfo(),
            aSoftware.IsInstalled(),
            aSoftware.Info().License(),
            aSoftware.AvailableVersion(),
            aSoftware.DownloadURL(),
            aSoftware.DownloadReferer(),
            aSoftware.Size()};
}

TProgramInfo TController::Remember(TBaseSoftware& aSoftware) {
    TEntryState state = StateOf(aSoftware);
    auto info = state.Info;
    std::lock_guard lock(fKnownLock);
    fKnown.insert_or_assign(&aSoftware, std::move(state));
    return info;
}

TController::TEntryState TController::KnownState(TBaseSoftware& aSoftware) {
    {
        std::lock_guard lock(fKnownLock);
        if (const auto found = fKnown.find(&aSoftware); found != fKnown.end()) {
            return found->second;
        }
    }
    // Not initialised yet, so nothing else works on it.
    TEntryState state = StateOf(aSoftware);
    std::lock_guard lock(fKnownLock);
    return fKnown.try_emplace(&aSoftware, std::move(state)).first->second;
}

bool TController::Idle() {
    {
        std::lock_guard lock(fBodiesLock);
        std::erase_if(fBodies, [](const auto& aBody) { return aBody->Status() == dsExecuted; });
        if (!fBodies.empty()) {
            return false;
        }
    }
    const auto tasks = fLibraryPool->Tasks();
    return tasks.CountOf(dsWaiting, 1) == 0 && tasks.CountOf(dsInProgress, 1) == 0 &&
           !fInstallRunning;
}

bool TController::WaitUntilIdle() {
    while (!Idle()) {
        std::vector<std::shared_ptr<IExecutable>> bodies;
        {
            std::lock_guard lock(fBodiesLock);
            bodies = fBodies;
        }
        for (const auto& body : bodies) {
            if (!body->Wait(true)) {
                return false;
            }
        }
        if (!fLibraryPool->Tasks().Wait(true)) {
            return false;
        }
        if (fInstaller && !fInstaller->Wait(true)) {
            return false;
        }
    }
    return true;
}

TController::TEntryLocks::TLock::TLock(TEntryLocks& aOwner, const TBaseSoftware* aSoftware)
    : fOwner(aOwner), fSoftware(aSoftware) {
    std::unique_lock lock(fOwner.fLock);
    fOwner.fReleased.wait(lock, [this] { return !fOwner.fBusy.contains(fSoftware); });
    fOwner.fBusy.insert(fSoftware);
}

TController::TEntryLocks::TLock::~TLock() {
    {
        std::lock_guard lock(fOwner.fLock);
        fOwner.fBusy.erase(fSoftware);
    }
    fOwner.fReleased.notify_all();
}

} // namespace brivane
