#pragma once
// The main window as the controller sees it: the screens, the three lists of programs
// (Updates, Actuals, Library), the progress display, the settings menu and the events
// the controller handles. The Qt window, the console front end and the test fakes
// implement it. Every member is called on the main thread only.

#include "app/progress_view.h"
#include "catalogue/program_info.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace brivane {

enum TDisplayMode : std::uint8_t { dmSplash, dmList, dmProgress };

enum TListMode : std::uint8_t { lmUpdates, lmActual, lmLibrary };

enum TProgressState : std::uint8_t { psNone, psIndeterminate, psNormal, psError, psPaused };

class IMainView {
public:
    virtual ~IMainView() = default;

    virtual void SetDisplayMode(TDisplayMode aValue) = 0;
    virtual void SetListMode(TListMode aValue) = 0;

    // The progress screen's text (also the splash screen's), its value from 0 to 100,
    // and the state mirrored to the taskbar.
    virtual void SetProgressText(const std::string& aValue) = 0;
    virtual void SetProgress(float aValue) = 0;
    virtual void SetProgressState(TProgressState aValue) = 0;

    // The Cancel button is visible exactly while a handler is set.
    virtual void SetOnCancel(TViewEvent aHandler) = 0;

    // The settings menu; writing ticks an item without raising OnConfigChanged.
    virtual bool AllowBeta() const = 0;
    virtual void SetAllowBeta(bool aValue) = 0;
    virtual bool AllowShareware() const = 0;
    virtual void SetAllowShareware(bool aValue) = 0;
    virtual bool CheckForUpdate() const = 0;
    virtual void SetCheckForUpdate(bool aValue) = 0;
    virtual bool EnableAnimations() const = 0;
    virtual void SetEnableAnimations(bool aValue) = 0;

    virtual void ClearUpdates() = 0;
    virtual void ClearActuals() = 0;
    virtual void ClearPrograms() = 0;

    // Append a row (unticked) and return its index.
    virtual int AddUpdate(const TProgramInfo& aProgramInfo) = 0;
    virtual int AddActual(const TProgramInfo& aProgramInfo) = 0;
    virtual int AddProgram(const TProgramInfo& aProgramInfo) = 0;

    virtual void SetUpdateChecked(int aIndex, bool aValue) = 0;

    // The Library row named aName in any letter case, or a negative value.
    virtual int IndexOfProgram(std::string_view aName) const = 0;
    virtual void SetProgram(int aIndex, const TProgramInfo& aValue) = 0;

    virtual int UpdatesCount() const = 0;
    virtual int ActualsCount() const = 0;
    virtual int ProgramsCount() const = 0;

    // The rows of the Updates and the Library list, and whether the user ticked them.
    virtual bool GetUpdateChecked(int aIndex) const = 0;
    virtual TProgramInfo GetUpdate(int aIndex) const = 0;
    virtual bool GetProgramChecked(int aIndex) const = 0;
    virtual TProgramInfo GetProgram(int aIndex) const = 0;

    // The main window gives way to the progress window while installers run.
    virtual void SetVisible(bool aValue) = 0;
    virtual IProgressView& ProgressWindow() = 0;
    // The taskbar button's progress position out of 100; 0 switches its progress off.
    virtual void SetTaskbarProgressPosition(std::int64_t aValue) = 0;

    // Starts the introduction shown on the first run.
    virtual void PlayHelp() = 0;

    // The user changed a setting in the menu / chose another interface language
    // (CurrentLanguage already holds it) / asked to install the ticked rows.
    virtual void SetOnConfigChanged(TViewEvent aHandler) = 0;
    virtual void SetOnLanguageChanged(TViewEvent aHandler) = 0;
    virtual void SetOnInstallPrograms(TViewEvent aHandler) = 0;
    virtual void SetOnInstallUpdates(TViewEvent aHandler) = 0;
};

// The start hook: the main window calls it once, the first time it is shown, passing
// itself. The controller installs it while it lives. Main thread only.
using TStartHook = std::function<void(IMainView& aSender)>;
void SetOnStart(TStartHook aHook);
// Calls the hook when one is set; true when it did.
bool CallOnStart(IMainView& aSender);

} // namespace brivane
