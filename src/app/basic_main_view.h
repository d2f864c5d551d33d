#pragma once
// A main view without a window: it keeps the screen, the progress, the settings menu,
// the three lists with their ticks and the event handlers in memory. The console front
// end and the test fakes derive from it and add what they show or record.

#include "app/basic_progress_view.h"
#include "app/main_view.h"

#include <vector>

namespace brivane {

// One list row as the controller handed it, with its tick.
struct TListRow {
    TProgramInfo Item;
    bool Checked = false;
};

class TBasicMainView : public IMainView {
public:
    void SetDisplayMode(TDisplayMode aValue) override { fDisplayMode = aValue; }
    void SetListMode(TListMode aValue) override { fListMode = aValue; }
    void SetProgressText(const std::string& aValue) override { fProgressText = aValue; }
    void SetProgress(float aValue) override { fProgress = aValue; }
    void SetProgressState(TProgressState aValue) override { fProgressState = aValue; }
    void SetOnCancel(TViewEvent aHandler) override { fOnCancel = std::move(aHandler); }

    bool AllowBeta() const override { return fAllowBeta; }
    void SetAllowBeta(bool aValue) override { fAllowBeta = aValue; }
    bool AllowShareware() const override { return fAllowShareware; }
    void SetAllowShareware(bool aValue) override { fAllowShareware = aValue; }
    bool CheckForUpdate() const override { return fCheckForUpdate; }
    void SetCheckForUpdate(bool aValue) override { fCheckForUpdate = aValue; }
    bool EnableAnimations() const override { return fEnableAnimations; }
    void SetEnableAnimations(bool aValue) override { fEnableAnimations = aValue; }

    void ClearUpdates() override { fUpdates.clear(); }
    void ClearActuals() override { fActuals.clear(); }
    void ClearPrograms() override { fPrograms.clear(); }
    int AddUpdate(const TProgramInfo& aProgramInfo) override;
    int AddActual(const TProgramInfo& aProgramInfo) override;
    int AddProgram(const TProgramInfo& aProgramInfo) override;
    // An index outside the list is ignored.
    void SetUpdateChecked(int aIndex, bool aValue) override;
    void SetProgramChecked(int aIndex, bool aValue);
    int IndexOfProgram(std::string_view aName) const override;
    void SetProgram(int aIndex, const TProgramInfo& aValue) override;
    int UpdatesCount() const override { return static_cast<int>(fUpdates.size()); }
    int ActualsCount() const override { return static_cast<int>(fActuals.size()); }
    int ProgramsCount() const override { return static_cast<int>(fPrograms.size()); }
    // An index outside the list gives an unticked, empty row.
    bool GetUpdateChecked(int aIndex) const override;
    TProgramInfo GetUpdate(int aIndex) const override;
    bool GetProgramChecked(int aIndex) const override;
    TProgramInfo GetProgram(int aIndex) const override;

    void SetVisible(bool aValue) override { fVisible = aValue; }
    IProgressView& ProgressWindow() override { return fProgressWindow; }
    void SetTaskbarProgressPosition(std::int64_t aValue) override { fTaskbarPosition = aValue; }

    void PlayHelp() override {}

    void SetOnConfigChanged(TViewEvent aHandler) override {
        fOnConfigChanged = std::move(aHandler);
    }
    void SetOnLanguageChanged(TViewEvent aHandler) override {
        fOnLanguageChanged = std::move(aHandler);
    }
    void SetOnInstallPrograms(TViewEvent aHandler) override {
        fOnInstallPrograms = std::move(aHandler);
    }
    void SetOnInstallUpdates(TViewEvent aHandler) override {
        fOnInstallUpdates = std::move(aHandler);
    }

    TDisplayMode DisplayMode() const { return fDisplayMode; }
    TListMode ListMode() const { return fListMode; }
    const std::string& ProgressText() const { return fProgressText; }
    float Progress() const { return fProgress; }
    TProgressState ProgressState() const { return fProgressState; }
    const std::vector<TListRow>& Updates() const { return fUpdates; }
    const std::vector<TListRow>& Actuals() const { return fActuals; }
    const std::vector<TListRow>& Programs() const { return fPrograms; }
    bool CancelVisible() const { return static_cast<bool>(fOnCancel); }
    bool Visible() const { return fVisible; }
    std::int64_t TaskbarProgressPosition() const { return fTaskbarPosition; }

    // Raise the events as the user would; an unbound event does nothing.
    void ConfigChanged() const { Raise(fOnConfigChanged); }
    void LanguageChanged() const { Raise(fOnLanguageChanged); }
    void Cancel() const { Raise(fOnCancel); }
    void InstallUpdates() const { Raise(fOnInstallUpdates); }
    void InstallPrograms() const { Raise(fOnInstallPrograms); }

private:
    // By value: a handler may rebind the event it was raised by.
    static void Raise(TViewEvent aEvent) {
        if (aEvent) {
            aEvent();
        }
    }

    TDisplayMode fDisplayMode = dmSplash;
    TListMode fListMode = lmUpdates;
    std::string fProgressText;
    float fProgress = 0;
    TProgressState fProgressState = psNormal;
    bool fAllowBeta = false;
    bool fAllowShareware = false;
    bool fCheckForUpdate = false;
    bool fEnableAnimations = false;
    std::vector<TListRow> fUpdates;
    std::vector<TListRow> fActuals;
    std::vector<TListRow> fPrograms;
    bool fVisible = true;
    TBasicProgressView fProgressWindow;
    std::int64_t fTaskbarPosition = 0;
    TViewEvent fOnCancel;
    TViewEvent fOnConfigChanged;
    TViewEvent fOnLanguageChanged;
    TViewEvent fOnInstallPrograms;
    TViewEvent fOnInstallUpdates;
};

} // namespace brivane
