// The controller on the main thread: sorting the entries into the three lists, showing
// them, and the settings the view and the store exchange.

#include "app/controller.h"

#include "app/localization.h"
#include "app/settings.h"
#include "catalogue/base_software.h"
#include "tasks/main_thread.h"

#include <chrono>
#include <thread>

namespace brivane {

void TController::FillLists() {
    fView->ClearUpdates();
    fView->ClearActuals();
    fView->ClearPrograms();
    const bool allowShareware = fView->AllowShareware();
    for (auto* software : GetSoftwareList()) {
        try {
            const auto state = KnownState(*software);
            auto info = state.Info;
            if (!allowShareware && state.License == slShareware) {
                continue;
            }
            if (!state.Installed) {
                info.CurrentVersion = kEmptyVersion;
                fView->AddProgram(info);
            } else if (const std::string& newest =
                           fListsFromCache ? info.AvailableVersion : state.FoundVersion;
                       !newest.empty() &&
                       software->CompareVersions(info.CurrentVersion, newest, 4) < 0) {
                // New versions are ticked for installation.
                fView->SetUpdateChecked(fView->AddUpdate(info), true);
            } else {
                // Up to date, or not checked: the row's Problem tells the two apart.
                if (fListsFromCache && newest.empty()) {
                    info.Problem.Kind = TCheckProblem::NotChecked;
                }
                info.AvailableVersion = kEmptyVersion;
                info.Size = kZeroSize;
                fView->AddActual(info);
            }
        } catch (...) {
            // An entry that cannot be listed leaves the others listed.
        }
    }
}

void TController::ShowLists() {
    FillLists();
    fView->SetListMode(fView->UpdatesCount() > 0   ? lmUpdates
                       : fView->ActualsCount() > 0 ? lmActual
                                                   : lmLibrary);
    fView->SetDisplayMode(dmList);
    // The introduction plays once, at the first list display with fresh settings.
    if (fConfig->GetExists(kFirstRun)) {
        fConfig->SetBoolean(kFirstRun, false);
    } else {
        fConfig->SetBoolean(kFirstRun, true);
        fView->PlayHelp();
    }
}

void TController::OnConfigChanged() {
    const bool oldBeta = fConfig->GetBoolean(kAllowBeta);
    const bool oldShareware = fConfig->GetBoolean(kAllowShareware);
    SaveConfig();
    if (fConfig->GetBoolean(kAllowBeta) != oldBeta) {
        // Every entry is initialised and checked again under the new setting.
        ShowWaitScreen(true);
        AddBody([this] {
            const std::lock_guard cycle(fCycleLock);
            RefreshSoftwareList(true);
            ShowListsWithLibraryPass();
        });
    } else if (fConfig->GetBoolean(kAllowShareware) != oldShareware) {
        // The lists are rebuilt from the results already known.
        fView->SetOnCancel(nullptr);
        ShowWaitScreen(false);
        AddBody([this] {
            // Long enough for the progress screen to be seen.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            RunInMainThread([this] {
                ShowLists();
                fView->SetOnCancel(fOnCancelInstall);
            });
        });
    }
}

void TController::OnLanguageChanged() {
    fConfig->SetInteger(kLanguage, CurrentLanguage.load());
}

void TController::LoadConfig() {
    if (const auto allowBeta = fConfig->FindBoolean(kAllowBeta)) {
        fView->SetAllowBeta(*allowBeta);
    }
    if (const auto allowShareware = fConfig->FindBoolean(kAllowShareware)) {
        fView->SetAllowShareware(*allowShareware);
    }
    fView->SetCheckForUpdate(fConfig->FindBoolean(kCheckForUpdate).value_or(true));
}

void TController::SaveConfig() {
    fConfig->SetBooleans({
        {kEnableAnimations, fView->EnableAnimations()},
        {kCheckForUpdate, fView->CheckForUpdate()},
        {kAllowBeta, fView->AllowBeta()},
        {kAllowShareware, fView->AllowShareware()},
    });
}

void TController::ShowKnownLists(IMainView& aSender) {
    fView = &aSender;
    fListsFromCache = true;
    ApplyCatalogueFilter();
    LoadConfig();
    {
        const std::lock_guard cycle(fCycleLock);
        Init();
    }
    FillLists();
}

} // namespace brivane
